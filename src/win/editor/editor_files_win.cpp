#include "win/editor/editor_files_win.h"

#include <windows.h>

#include "core/appbar/shortcut_data.h"
#include "core/text/paths.h"
#include "win/appbar/shell_folders.h"
#include "win/appbar/shell_links.h"
#include "win/common/wide.h"

namespace wendlix {

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> WinEditorFiles::ListShortcutFiles(const std::string& folder) const {
  try {
    return wendlix::ListShortcutFiles(folder, true, true);
  } catch (...) {
    return {};
  }
}

bool WinEditorFiles::FileExists(const std::string& path) const { return PathExists(path); }

std::string WinEditorFiles::ReadLinkTarget(const std::string& path) const {
  try {
    TShortCutData data;
    const std::string ext = ExtractFileExt(path);
    if (ext.size() == 4 && (ext[1] | 0x20) == 'u' && (ext[2] | 0x20) == 'r' && (ext[3] | 0x20) == 'l') {
      ReadUrlShortcut(path, data);
    } else {
      ReadShortcut(path, data);
    }
    return data.Target;
  } catch (...) {
    return {};
  }
}

int WinEditorFiles::SysIconIndex(const std::string& path) const {
  if (deferIcons_) return -1;
  try {
    return GetSysIconIndex(path);
  } catch (...) {
    return -1;
  }
}

bool WinEditorFiles::DeleteFile(const std::string& path) {
  const std::wstring wide = ToWide(path);
  // A hidden or read-only link is still the user's button: clear what blocks the delete.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return ::DeleteFileW(wide.c_str()) != FALSE;
}

std::string WinEditorFiles::MakeShortcutFile(const std::string& target, const std::string& linkPath) {
  try {
    return wendlix::MakeShortcutFile(target, linkPath);
  } catch (...) {
    return {};
  }
}

}  // namespace wendlix
