#include "win/editor/editor_files_win.h"

#include "win/shell/shell_folders.h"
#include "win/shell/shell_links.h"

namespace wendlix {

std::vector<std::string> WinEditorFiles::ListShortcutFiles(const std::string& folder) const {
  try {
    return wendlix::ListShortcutFiles(folder, true, true);
  } catch (...) {
    return {};
  }
}

std::string WinEditorFiles::ReadLinkTarget(const std::string& path) const {
  const std::optional<TShortCutData> data = ReadShortcutFile(path);
  return data ? data->Target : std::string();
}

int WinEditorFiles::SysIconIndex(const std::string& path) const {
  if (deferIcons_) return -1;
  try {
    return GetSysIconIndex(path);
  } catch (...) {
    return -1;
  }
}

std::string WinEditorFiles::MakeShortcutFile(const std::string& target, const std::string& linkPath) {
  try {
    return wendlix::MakeShortcutFile(target, linkPath);
  } catch (...) {
    return {};
  }
}

}  // namespace wendlix
