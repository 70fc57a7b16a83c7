// Which entries of a folder become buttons, and in which order: the rules applied to one
// enumeration of the folder (names with their file attributes, in any order).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wendlix {

// File attribute bits as the file system reports them.
enum : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrVolumeLabel = 0x08,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

struct DirEntry {
  std::string name;  // bare name, no folder
  std::uint32_t attributes = 0;
};

// Read-only, directory and archive; plus hidden when hidden entries are wanted.
std::uint32_t ListingAttributeMask(bool includeHidden);

// An entry passes when its attributes share a bit with `mask`, it carries none of
// hidden, system and volume label outside `mask`, and it is not "." or "..".
bool PassesAttributeMask(const DirEntry& entry, std::uint32_t mask);

// True when `name` matches "*" + `extension` ignoring ASCII case (extension with its
// dot, such as ".LNK"). Only the long name counts, so "a.lnk2" never matches ".LNK".
bool HasExtension(const std::string& name, const char* extension);

// Appends to `list` the names to show, in this order: the folders (only when
// `includeFolders`), then the ".SCF", ".LNK", ".PIF" and ".URL" entries; each group in
// the order NTFS keeps names in (`NameBefore`), so every file system gives the same order.
void ListShortcutEntries(const std::vector<DirEntry>& entries, std::vector<std::string>& list,
                         bool includeHidden, bool includeFolders);

// True when `entries` hold a folder, or a ".LNK", ".PIF" or ".URL" entry, that passes
// the mask without hidden entries.
bool HasShortcutEntries(const std::vector<DirEntry>& entries);

}  // namespace wendlix
