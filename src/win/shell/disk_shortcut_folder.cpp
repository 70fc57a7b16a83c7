#include "win/shell/disk_shortcut_folder.h"

#include <windows.h>

#include "win/common/wide.h"
#include "win/shell/shell_folders.h"

namespace wendlix {

std::vector<std::string> DiskShortcutFolder::List(const std::string& folder) const {
  return ListShortcutFiles(folder, true, true);
}

ShortcutFolder::Entry DiskShortcutFolder::Probe(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::kNone;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Entry::kFile;
  return FolderHasShortcuts(path) ? Entry::kFolderWithShortcuts : Entry::kFolder;
}

}  // namespace wendlix
