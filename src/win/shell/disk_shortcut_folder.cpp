#include "win/shell/disk_shortcut_folder.h"

#include <windows.h>

#include <string_view>

#include "core/shell/shortcut_listing.h"
#include "core/text/paths.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"

namespace wendlix {

std::vector<std::string> DiskShortcutFolder::List(const std::string& folder) const {
  return ListFrom(folder, ReadFolderStamps(folder));
}

std::vector<std::string> DiskShortcutFolder::ListFrom(const std::string& folder,
                                                      const std::vector<FolderEntryStamp>& entries) const {
  std::vector<DirEntry> names;
  std::unordered_map<std::string_view, std::uint32_t> attributes;
  names.reserve(entries.size());
  for (const FolderEntryStamp& e : entries) {
    names.push_back({e.Name, e.Attributes});
    attributes.emplace(e.Name, e.Attributes);
  }
  std::vector<std::string> list;
  ListShortcutEntries(names, list, true, true);
  // Only what is listed: the fill probes exactly these, and nothing is left behind for later.
  const std::string dir = AddBackslash(folder);
  listed_.clear();
  for (const std::string& name : list)
    if (const auto it = attributes.find(name); it != attributes.end())
      listed_.emplace(dir + name, it->second);
  return list;
}

ShortcutFolder::Entry DiskShortcutFolder::Probe(const std::string& path) const {
  // A fill probes each name it was just listed: the listing's attributes answer, once each.
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  if (auto it = listed_.find(path); it != listed_.end()) {
    attributes = it->second;
    listed_.erase(it);
  } else {
    attributes = GetFileAttributesW(ToWide(path).c_str());
  }
  if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::kNone;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Entry::kFile;
  return FolderHasShortcuts(path) ? Entry::kFolderWithShortcuts : Entry::kFolder;
}

}  // namespace wendlix
