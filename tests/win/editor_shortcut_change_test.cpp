// Changing a shortcut on real files: what a link carried stays, an internet shortcut stays
// one, and a change that cannot finish leaves the folder exactly as it was.
// The Win32 side first: windows.h must rename the files interface's DeleteFile everywhere.
#include "win/editor/editor_files_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editor/editor_texts.h"
#include "core/editor/shortcut_change.h"
#include "core/profile/ini_file.h"
#include "core/text/paths.h"
#include "support/win_test_support.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

using namespace testing_support;

TShortCutData Read(const std::string& path) {
  TShortCutData data;
  ReadShortcut(path, data);
  return data;
}

TShortCutData MakeLink(const TempFolder& folder, const std::string& name, const std::string& workDir) {
  TShortCutData link;
  link.LinkFile = folder / name;
  link.Target = WindowsPath("notepad.exe");
  link.WorkDir = workDir;
  link.Arguments = "/p \"记事 本.txt\"";
  link.IconFile = WindowsPath("regedit.exe");
  link.IconIndex = 2;
  link.ShowCmd = SW_SHOWMINNOACTIVE;
  link.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  EXPECT_TRUE(CreateShortcut(link));
  return Read(link.LinkFile);  // as this system's link object gives it back
}

TEST(ShortcutChangeOnFiles, ALinkKeepsEverythingButItsTargetAndName) {
  TempFolder folder("change_lnk");
  WinEditorFiles files;
  const TShortCutData old = MakeLink(folder, "a.lnk", folder.Path() + "work");
  ShortcutChange c =
      ChangeShortcutFile(files, folder.Path(), folder / "a.lnk", "记事本", WindowsPath("regedit.exe"));
  ASSERT_TRUE(c.Changed) << c.Message;
  EXPECT_EQ(c.NewPath, folder / "记事本.lnk");
  EXPECT_EQ(EntryNames(folder.Path()), (std::vector<std::string>{"记事本.lnk"}));
  TShortCutData expected = old;
  expected.LinkFile = c.NewPath;
  expected.Target = WindowsPath("regedit.exe");
  EXPECT_EQ(Read(c.NewPath), expected);

  // The same name: replaced in place, nothing left beside it, a hidden link still hidden.
  SetFileAttributesW(ToWide(c.NewPath).c_str(), FILE_ATTRIBUTE_HIDDEN);
  c = ChangeShortcutFile(files, folder.Path(), c.NewPath, "记事本", WindowsPath("notepad.exe"));
  ASSERT_TRUE(c.Changed) << c.Message;
  EXPECT_EQ(EntryNames(folder.Path()), (std::vector<std::string>{"记事本.lnk"}));
  expected.Target = WindowsPath("notepad.exe");
  EXPECT_EQ(Read(c.NewPath), expected);
  EXPECT_TRUE(GetFileAttributesW(ToWide(c.NewPath).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(ShortcutChangeOnFiles, EachKindOfShortcutFileStaysItsKind) {
  TempFolder folder("change_names");
  WinEditorFiles files;
  const std::string notepad = WindowsPath("notepad.exe");
  // Names are numbered as the core decides (shortcut_change_test). A .pif becomes a link to the new target,
  // working in the target's folder.
  ASSERT_TRUE(WriteBytes(folder / "dos.pif", std::string(16, 'p')));
  const ShortcutChange pif = ChangeShortcutFile(files, folder.Path(), folder / "dos.pif", "dos", notepad);
  ASSERT_TRUE(pif.Changed) << pif.Message;
  EXPECT_EQ(pif.NewPath, folder / "dos.lnk");
  const TShortCutData made = Read(pif.NewPath);
  EXPECT_EQ((std::vector<std::string>{made.Target, AddBackslash(made.WorkDir)}),
            (std::vector<std::string>{notepad, WindowsPath("") + "\\"}));
  EXPECT_FALSE(Exists(folder / "dos.pif"));

  // An internet shortcut stays one: only its address changes.
  const std::string url =
      "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n[InternetShortcut]\r\nURL=http://old.cn/\r\n"
      "IconFile=C:\\w.ico\r\nIconIndex=4\r\nHotKey=1601\r\n";
  ASSERT_TRUE(WriteBytes(folder / "w.url", url));
  const ShortcutChange web =
      ChangeShortcutFile(files, folder.Path(), folder / "w.url", "网站 a.b", "http://新.cn/");
  ASSERT_TRUE(web.Changed) << web.Message;
  EXPECT_EQ(web.NewPath, folder / "网站 a.b.url");
  EXPECT_FALSE(Exists(folder / "w.url"));
  std::string changed = url;
  changed.replace(changed.find("http://old.cn/"), 14, "http://\xD0\xC2.cn/");  // 新, in code page 936
  EXPECT_EQ(ReadBytes(web.NewPath), changed);
  EXPECT_EQ(files.ReadLinkTarget(web.NewPath), "http://新.cn/");
}

TEST(ShortcutChangeOnFiles, WhatCannotBeReplacedStaysAsItWas) {
  TempFolder folder("change_fail");
  WinEditorFiles files;
  const std::string notepad = WindowsPath("notepad.exe");
  const TShortCutData old = MakeLink(folder, "a.lnk", "");
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder / "x.lnk").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(folder / "d.scf", "[Shell]\r\nCommand=2\r\n"));
  SetFileAttributesW(ToWide(folder / "a.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
  const std::vector<std::string> before = EntryNames(folder.Path());

  struct Case {
    const char* oldName;
    const char* newName;
    const char* message;
  } cases[] = {
      {"a.lnk", "b", kLinkDeleteFailedText},   // written, then taken back
      {"a.lnk", "a", kLinkReplaceFailedText},  // in place
      {"x.lnk", "y", kNotAShortcutText},       // a folder is never a button's file
      {"d.scf", "d", kNotAShortcutText},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.oldName) + " -> " + k.newName);
    const ShortcutChange c = ChangeShortcutFile(files, folder.Path(), folder / k.oldName, k.newName, notepad);
    EXPECT_FALSE(c.Changed);
    EXPECT_EQ(c.Message, std::string(k.message) + "\r\r\"" + (folder / k.oldName) + "\"");
    EXPECT_EQ(EntryNames(folder.Path()), before);
  }
  EXPECT_FALSE(Exists(folder.Path() + "..\\up.lnk"));
  EXPECT_EQ(Read(folder / "a.lnk"), old);
  EXPECT_FALSE(files.DeleteFile(folder / "a.lnk"));  // read-only is protected here too
  EXPECT_FALSE(files.DeleteFile(folder / "x.lnk"));
}

}  // namespace
}  // namespace wendlix
