#include "core/shell/shortcut_listing.h"

#include <cstring>

#include "core/text/ascii.h"

namespace wendlix {

namespace {

constexpr const char* kShortcutPatterns[] = {".SCF", ".LNK", ".PIF", ".URL"};
constexpr std::uint32_t kExclusiveAttributes = kAttrHidden | kAttrSystem | kAttrVolumeLabel;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

std::uint32_t ListingAttributeMask(bool includeHidden) {
  const std::uint32_t mask = kAttrReadOnly | kAttrDirectory | kAttrArchive;
  return includeHidden ? mask | kAttrHidden : mask;
}

bool PassesAttributeMask(const DirEntry& entry, std::uint32_t mask) {
  if ((entry.attributes & mask) == 0) return false;
  if ((entry.attributes & kExclusiveAttributes & ~mask) != 0) return false;
  return !IsDotEntry(entry.name);
}

bool HasExtension(const std::string& name, const char* extension) {
  return name.size() >= std::strlen(extension) && EndsWithTextAscii(name, extension);
}

void ListShortcutEntries(const std::vector<DirEntry>& entries, std::vector<std::string>& list,
                         bool includeHidden, bool includeFolders) {
  const std::uint32_t mask = ListingAttributeMask(includeHidden);
  if (includeFolders) {
    for (const DirEntry& entry : entries)
      if ((entry.attributes & kAttrDirectory) && PassesAttributeMask(entry, mask)) list.push_back(entry.name);
  }
  for (const char* extension : kShortcutPatterns) {
    for (const DirEntry& entry : entries)
      if (HasExtension(entry.name, extension) && PassesAttributeMask(entry, mask)) list.push_back(entry.name);
  }
}

bool HasShortcutEntries(const std::vector<DirEntry>& entries) {
  const std::uint32_t mask = ListingAttributeMask(false);
  for (const DirEntry& entry : entries) {
    if (!PassesAttributeMask(entry, mask)) continue;
    if (entry.attributes & kAttrDirectory) return true;
    if (HasExtension(entry.name, ".LNK") || HasExtension(entry.name, ".PIF") ||
        HasExtension(entry.name, ".URL"))
      return true;
  }
  return false;
}

}  // namespace wendlix
