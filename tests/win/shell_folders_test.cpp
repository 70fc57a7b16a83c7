// Folder listing, icons, special folders, drive shortcuts and the file context menu on
// the real file system and shell.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/shell/link_naming.h"
#include "core/text/name_order.h"
#include "support/win_test_support.h"
#include "win/common/unique_handle.h"
#include "win/shell/context_menu.h"
#include "win/shell/shell_error.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

using namespace testing_support;
using V = std::vector<std::string>;

// Creates an entry and reports whether the file system kept all the attribute bits.
bool MakeEntry(const TempFolder& folder, const std::string& name, DWORD attributes) {
  const std::wstring path = ToWide(folder / name);
  const bool made =
      (attributes & FILE_ATTRIBUTE_DIRECTORY) ? MakeFolder(folder / name) : WriteBytes(folder / name, "x");
  EXPECT_TRUE(made) << name;
  SetFileAttributesW(path.c_str(),
                     attributes & ~FILE_ATTRIBUTE_DIRECTORY ? attributes : FILE_ATTRIBUTE_NORMAL);
  return (GetFileAttributesW(path.c_str()) & attributes) == attributes;
}

// The ordering rules are the core's (tested natively); here the real file system feeds
// them: attributes as stored, names outside code page 936, a folder given either way, and
// an order of its own (Wine's returns names unsorted) that comes out as NTFS keeps names.
TEST(ShellFolders, ListingReadsTheRealFolder) {
  TempFolder folder("list");
  MakeEntry(folder, "b.lnk", FILE_ATTRIBUTE_ARCHIVE);
  MakeEntry(folder, "子目录", FILE_ATTRIBUTE_DIRECTORY);
  MakeEntry(folder, "ro.pif", FILE_ATTRIBUTE_READONLY);
  MakeEntry(folder, "站点 Ő.url", FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(MakeEntry(folder, "hidden.lnk", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN) &&
              MakeEntry(folder, "system.lnk", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM))
      << "the file system keeps hidden and system bits";
  MakeEntry(folder, "notes.txt", FILE_ATTRIBUTE_ARCHIVE);
  for (const char* name :
       {"计算器.lnk", "时钟.lnk", "Zip.lnk", "注册表编辑器.lnk", "_x.lnk", "10.lnk", "9.lnk"})
    MakeEntry(folder, name, FILE_ATTRIBUTE_ARCHIVE);

  const V all = ListShortcutFiles(folder.Path(), true, true);
  EXPECT_EQ(all, (V{"子目录", "10.lnk", "9.lnk", "b.lnk", "hidden.lnk", "Zip.lnk", "_x.lnk", "时钟.lnk",
                    "注册表编辑器.lnk", "计算器.lnk", "ro.pif", "站点 Ő.url"}));
  V list = {"first"};
  ListShortcutFiles(folder.Path().substr(0, folder.Path().size() - 1), list, false, false);
  EXPECT_EQ(list, (V{"first", "10.lnk", "9.lnk", "b.lnk", "Zip.lnk", "_x.lnk", "时钟.lnk", "注册表编辑器.lnk",
                     "计算器.lnk", "ro.pif", "站点 Ő.url"}));
  EXPECT_TRUE(ListShortcutFiles(folder / "missing\\", true, true).empty());

  EXPECT_TRUE(FolderHasShortcuts(folder.Path()));
  EXPECT_FALSE(FolderHasShortcuts(folder / "子目录"));
  EXPECT_FALSE(FolderHasShortcuts(folder / "missing"));

  EXPECT_GE(GetSysIconIndex(folder / "b.lnk"), 0);
  EXPECT_GE(GetSysIconIndex(folder.Path()), 0);
  EXPECT_EQ(GetSysIconIndex(folder / "missing.txt"), -1) << "the real file is asked for, not its type";
}

// The core's upcase table, which orders listings on every file system, is the system's
// code unit by code unit.
TEST(ShellFolders, UpcaseTableIsTheSystems) {
  using Upcase = WCHAR(WINAPI*)(WCHAR);
  const auto upcase = reinterpret_cast<Upcase>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
  ASSERT_NE(upcase, nullptr);
  for (unsigned c = 0; c < 0x10000; ++c)
    ASSERT_EQ(UpcaseCodeUnit(static_cast<char16_t>(c)), upcase(static_cast<WCHAR>(c))) << std::hex << c;
}

TEST(ShellFolders, SpecialFolders) {
  for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_PERSONAL}) {
    const std::string path = GetSpecialFolderPath(csidl);
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << path;
  }
  std::string path = "old";
  GetSpecialFolderPath(CSIDL_WINDOWS, path);
  EXPECT_EQ(CompareStringOrdinal(ToWide(path).c_str(), -1, ToWide(WindowsPath("")).c_str(), -1, TRUE),
            CSTR_EQUAL)
      << path;
  try {
    GetSpecialFolderPath(0x7E);  // no such folder
    ADD_FAILURE() << "no error";
  } catch (const ShellError& error) {
    EXPECT_STREQ(error.what(), "Error getting SHGetSpecialFolderLocation.");
  }
}

TEST(ShellFolders, DriveShortcuts) {
  TempFolder folder("drives");
  CreateDriveShortcuts(folder.Path());
  std::size_t drives = 0;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    SHFILEINFOW info{};
    if (type < DRIVE_REMOVABLE || type > DRIVE_RAMDISK ||
        !SHGetFileInfoW(root, 0, &info, sizeof(info), SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX))
      continue;
    ++drives;
    const std::string link =
        folder / (type == DRIVE_CDROM ? "光盘" : DriveLinkName(FromWide(info.szDisplayName)));
    TShortCutData data;
    ASSERT_NO_THROW(ReadShortcut(link + ".lnk", data)) << link;
    EXPECT_EQ(data.Target, FromWide(root));
    EXPECT_EQ(data.WorkDir, FromWide(root));
    if (!RunningUnderWine()) {
      EXPECT_NE(data.ShowCmd, SW_SHOWNORMAL);  // Wine keeps no show command
    }
    if (type == DRIVE_CDROM) {
      EXPECT_EQ(data.IconIndex, 11);
    }
  }
  EXPECT_GE(drives, 1u);
  EXPECT_LE(ListShortcutFiles(folder.Path(), true, true).size(), drives) << "CD-ROM drives share one name";
}

// Waits for the popup menu to appear and dismisses it through its owner.
struct MenuDismisser {
  HWND owner = nullptr;
  bool sawMenu = false;
  static DWORD WINAPI Run(void* param) {
    auto& self = *static_cast<MenuDismisser*>(param);
    for (int i = 0; i < 1000 && !self.sawMenu; ++i) {  // a slow machine only waits longer
      const HWND menu = FindWindowW(L"#32768", nullptr);
      self.sawMenu = menu && IsWindowVisible(menu);
      if (self.sawMenu)
        PostMessageW(self.owner, WM_CANCELMODE, 0, 0);
      else
        Sleep(20);
    }
    return 0;
  }
};

TEST(ShellFolders, FileContextMenu) {
  TempFolder folder("menu");
  const std::string file = folder / "菜单 Ő.txt";
  ASSERT_TRUE(WriteBytes(file, "x"));
  const unique_hwnd owner(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  MenuDismisser dismisser{owner.get()};
  const HANDLE thread = CreateThread(nullptr, 0, MenuDismisser::Run, &dismisser, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_FALSE(ShowFileContextMenu(owner.get(), file)) << "dismissed: no command";
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_TRUE(dismisser.sawMenu) << "the file was found and its menu shown";

  for (const std::string& missing :
       {folder / "gone.lnk", folder / "no folder\\gone.lnk", std::string(), std::string("gone")})
    EXPECT_FALSE(ShowFileContextMenu(owner.get(), missing)) << missing;
}

}  // namespace
}  // namespace wendlix
