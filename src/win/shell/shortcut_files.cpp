#include "win/shell/shortcut_files.h"

#include <windows.h>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/common/wide.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

bool IsUrlFile(const std::string& path) { return SameTextAscii(ExtractFileExt(path), ".URL"); }

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

// A file that may be removed or replaced: it exists, and is neither read-only nor a folder.
bool Unprotected(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<TShortCutData> ReadShortcutFile(const std::string& path) {
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

bool WriteShortcutFile(const TShortCutData& data, const std::string& path) {
  try {
    if (path.empty() || PathExists(path)) return false;
    if (IsUrlFile(data.LinkFile)) return WriteUrlShortcut(data, path);
    TShortCutData link = data;
    link.LinkFile = path;
    if (CreateShortcut(link)) return true;
    DeleteFileW(ToWide(path).c_str());  // whatever a failed save left
    return false;
  } catch (...) {
    return false;
  }
}

bool ReplaceShortcutFile(const std::string& from, const std::string& to) {
  const std::wstring source = ToWide(from);
  const std::wstring target = ToWide(to);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (!Unprotected(attributes)) return false;
  if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes & kKept)
    SetFileAttributesW(target.c_str(), GetFileAttributesW(target.c_str()) | (attributes & kKept));
  return true;
}

bool DeleteShortcutFile(const std::string& path) {
  const std::wstring wide = ToWide(path);
  // Hidden links are deleted like any other.
  return Unprotected(GetFileAttributesW(wide.c_str())) && DeleteFileW(wide.c_str()) != FALSE;
}

}  // namespace wendlix
