#include "win/shell/shell_folders.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/bar/group_loading.h"
#include "core/shell/link_naming.h"
#include "core/shell/shortcut_data.h"
#include "core/text/paths.h"
#include "win/common/owned_memory.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/shell_error.h"
#include "win/shell/shell_links.h"

namespace wendlix {

std::vector<FolderEntryStamp> ReadFolderStamps(const std::string& folder) {
  std::vector<FolderEntryStamp> entries;
  if (folder.empty()) return entries;
  WIN32_FIND_DATAW data{};
  const std::wstring pattern = ToWide(folder) + (folder.back() == '\\' ? L"*" : L"\\*");
  unique_find find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return entries;
  do {
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::uint64_t written = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                  data.ftLastWriteTime.dwLowDateTime;
    entries.push_back({FromWide(data.cFileName), data.dwFileAttributes, written, size});
  } while (FindNextFileW(find.get(), &data));
  return entries;
}

std::vector<DirEntry> ReadDirEntries(const std::string& dir) {
  std::vector<DirEntry> entries;
  for (FolderEntryStamp& e : ReadFolderStamps(dir)) entries.push_back({std::move(e.Name), e.Attributes});
  return entries;
}

void ListShortcutFiles(const std::string& dir, std::vector<std::string>& list, bool includeHidden,
                       bool includeFolders) {
  ListShortcutEntries(ReadDirEntries(dir), list, includeHidden, includeFolders);
}

std::vector<std::string> ListShortcutFiles(const std::string& dir, bool includeHidden, bool includeFolders) {
  std::vector<std::string> list;
  ListShortcutFiles(dir, list, includeHidden, includeFolders);
  return list;
}

bool FolderHasShortcuts(const std::string& dir) { return HasShortcutEntries(ReadDirEntries(dir)); }

int GetSysIconIndex(const std::string& fileName) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(ToWide(fileName).c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX)) return -1;
  return info.iIcon;
}

void StrRetToString(IShellFolder* folder, PCUITEMID_CHILD item, DWORD flags, std::string& name) {
  name.clear();
  if (!folder) return;
  STRRET value{};
  if (FAILED(folder->GetDisplayNameOf(item, flags, &value))) return;
  wchar_t* text = nullptr;
  if (FAILED(StrRetToStrW(&value, item, &text))) return;
  const unique_cotaskmem<wchar_t> held(text);
  if (held) name = FromWide(held.get());
}

std::string StrRetToString(IShellFolder* folder, PCUITEMID_CHILD item, DWORD flags) {
  std::string name;
  StrRetToString(folder, item, flags, name);
  return name;
}

void GetSpecialFolderPath(int csidl, std::string& path) {
  // Asked without COM: the bar reads its settings' folder before OLE is up.
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)) || !buffer[0])
    throw ShellError("Error getting SHGetSpecialFolderLocation.");
  path = FromWide(buffer);
}

std::string GetSpecialFolderPath(int csidl) {
  std::string path;
  GetSpecialFolderPath(csidl, path);
  return path;
}

std::string SpecialFolderPathOrEmpty(int csidl) {
  try {
    return GetSpecialFolderPath(csidl);
  } catch (...) {
    return {};
  }
}

std::string QuickLaunchPath() {
  try {
    return QuickLaunchFolder(GetSpecialFolderPath(CSIDL_APPDATA));
  } catch (...) {
    return {};
  }
}

void CreateDriveShortcuts(const std::string& folder) {
  wchar_t systemDir[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryW(systemDir, MAX_PATH);
  const std::string shell32 =
      AddBackslash(length > 0 && length < MAX_PATH ? FromWide(systemDir) : std::string()) + "Shell32.dll";
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    if (type < DRIVE_REMOVABLE || type > DRIVE_RAMDISK) continue;
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(root, 0, &info, sizeof(info), SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX)) continue;
    TShortCutData data;
    data.Target = FromWide(root);
    data.WorkDir = data.Target;
    data.ShowCmd = 2;
    if (type == DRIVE_CDROM) {
      data.LinkFile = folder + "光盘.lnk";
      data.IconFile = shell32;
      data.IconIndex = 11;
    } else {
      const std::string name = DriveLinkName(FromWide(info.szDisplayName));
      if (name.empty()) continue;
      data.LinkFile = folder + name + ".lnk";
    }
    CreateShortcut(data);
  }
}

}  // namespace wendlix
