#include "win/editor/editor_files_win.h"

#include <windows.h>

#include "core/shell/shortcut_data.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_links.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

bool IsUrlFile(const std::string& path) { return SameTextAscii(ExtractFileExt(path), ".URL"); }

// An internet shortcut to data.Target at `path`: a copy of the internet shortcut
// data.LinkFile with its address changed, so that its icon and every other line stay.
bool WriteUrlShortcut(const TShortCutData& data, const std::string& path) {
  static constexpr char kSection[] = "InternetShortcut";
  const std::optional<std::string> old = platform::ReadWholeFile(data.LinkFile);
  IniFile file = IniFile::FromBytes(old.value_or(std::string()), path);
  if (!file.WriteString(kSection, "URL", data.Target)) return false;
  if (!old) {
    if (!data.WorkDir.empty() && !file.WriteString(kSection, "WorkingDirectory", data.WorkDir)) return false;
    if (!data.IconFile.empty() && !file.WriteString(kSection, "IconFile", data.IconFile)) return false;
    if (!data.Arguments.empty() && !file.WriteString(kSection, "HotKey", data.Arguments)) return false;
  }
  return file.Save(true);
}

}  // namespace

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
  const std::optional<TShortCutData> data = ReadShortcutData(path);
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

bool WinEditorFiles::DeleteFile(const std::string& path) {
  const std::wstring wide = ToWide(path);
  // A read-only link is one the user protected: Windows refuses to delete it, and so do
  // we (Wine would delete it). Hidden links are deleted like any other.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  return ::DeleteFileW(wide.c_str()) != FALSE;
}

std::string WinEditorFiles::MakeShortcutFile(const std::string& target, const std::string& linkPath) {
  try {
    return wendlix::MakeShortcutFile(target, linkPath);
  } catch (...) {
    return {};
  }
}

bool WinEditorFiles::IsFolder(const std::string& path) const { return FolderExists(path); }

std::optional<TShortCutData> WinEditorFiles::ReadShortcutData(const std::string& path) const {
  try {
    TShortCutData data;
    if (IsUrlFile(path)) {
      // The profile store reads a missing file as empty; that is no shortcut.
      if (!platform::FileExists(path)) return std::nullopt;
      ReadUrlShortcut(path, data);
      data.LinkFile = path;
      return data;
    }
    if (!ReadShortcut(path, data)) return std::nullopt;
    return data;
  } catch (...) {
    return std::nullopt;
  }
}

bool WinEditorFiles::WriteShortcutFile(const TShortCutData& data, const std::string& path) {
  try {
    if (path.empty() || PathExists(path)) return false;
    if (IsUrlFile(data.LinkFile)) return WriteUrlShortcut(data, path);
    TShortCutData link = data;
    link.LinkFile = path;
    if (CreateShortcut(link)) return true;
    ::DeleteFileW(ToWide(path).c_str());  // whatever a failed save left
    return false;
  } catch (...) {
    return false;
  }
}

bool WinEditorFiles::ReplaceShortcutFile(const std::string& from, const std::string& to) {
  const std::wstring source = ToWide(from);
  const std::wstring target = ToWide(to);
  // As with deleting: a read-only file is not replaced (Wine's MoveFileEx would).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  // A hidden link stays hidden.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes & kKept)
    SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) | (attributes & kKept));
  return true;
}

}  // namespace wendlix
