// Shell links and internet shortcuts on real files.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "core/text/encoding.h"
#include "support/win_test_support.h"
#include "win/shell/shell_error.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

using namespace testing_support;

// Names with characters code page 936 lacks (Latin with double acute, Hangul, an emoji
// outside the basic plane) beside Chinese ones.
const std::string kWideName = "链接 Ő한🙂";

}  // namespace

void PrintTo(const TShortCutData& d, std::ostream* os) {
  *os << "{" << d.LinkFile << " | " << d.Arguments << " | " << d.Target << " | " << d.WorkDir << " | "
      << d.IconFile << " | " << d.IconIndex << " | " << d.ShowCmd << " | " << d.HotKey << "}";
}

namespace {

TEST(ShellLinks, WrittenAndReadBackFieldByField) {
  TempFolder folder("links");
  const std::string target = folder / ("目标 " + kWideName + ".exe");
  ASSERT_TRUE(WriteBytes(target, "MZ"));
  TShortCutData written;
  written.LinkFile = folder / (kWideName + ".lnk");
  written.Target = target;
  written.Arguments = "--open \"a b\" Ő 记事本";
  written.WorkDir = folder.Path() + "工作";
  written.IconFile = folder / "图标 Ő.ico";
  written.IconIndex = 3;
  written.ShowCmd = SW_SHOWMINNOACTIVE;
  written.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  ASSERT_TRUE(CreateShortcut(written));
  ASSERT_TRUE(Exists(written.LinkFile));

  TShortCutData read;
  ASSERT_TRUE(ReadShortcut(written.LinkFile, read));
  TShortCutData expected = written;
  if (RunningUnderWine()) expected.ShowCmd = SW_SHOWNORMAL;  // Wine 8 does not keep a link's show command
  EXPECT_EQ(read, expected);

  // Writing over an existing link replaces it.
  written.Arguments.clear();
  written.ShowCmd = SW_SHOWNORMAL;
  ASSERT_TRUE(CreateShortcut(written));
  ASSERT_TRUE(ReadShortcut(written.LinkFile, read));
  EXPECT_EQ(read.Arguments, "");
  EXPECT_EQ(read.ShowCmd, SW_SHOWNORMAL);
}

TEST(ShellLinks, FailuresAreReportedNotCrashed) {
  TempFolder folder("linkfail");
  TShortCutData data;
  EXPECT_THROW(ReadShortcut(folder / "missing.lnk", data), ShellError);
  EXPECT_EQ(data.LinkFile, folder / "missing.lnk");
  ASSERT_TRUE(WriteBytes(folder / "damaged.lnk", std::string("L\0\0\0garbage", 11)));
  EXPECT_THROW(ReadShortcut(folder / "damaged.lnk", data), ShellError);
  ASSERT_TRUE(WriteBytes(folder / "empty.lnk", ""));
  EXPECT_THROW(ReadShortcut(folder / "empty.lnk", data), ShellError);

  data = {};
  data.Target = "C:\\windows\\notepad.exe";
  data.LinkFile = folder / "no such folder\\x.lnk";
  EXPECT_FALSE(CreateShortcut(data));
  EXPECT_EQ(MakeShortcutFile("C:\\windows\\notepad.exe", folder / "no such folder\\x.lnk"), "");
}

TEST(ShellLinks, MakeShortcutFileNumbersTakenNames) {
  TempFolder folder("make");
  const std::string target = "C:\\windows\\notepad.exe";
  EXPECT_EQ(MakeShortcutFile(target, folder / "Notepad.exe"), folder / "Notepad.lnk");
  EXPECT_EQ(MakeShortcutFile(target, folder / "Notepad.lnk"), folder / "Notepad(1).lnk");
  EXPECT_EQ(MakeShortcutFile(target, folder / "Notepad"), folder / "Notepad(2).lnk");
  // A folder that holds the name counts as taken too.
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder / "Busy.lnk").c_str(), nullptr));
  EXPECT_EQ(MakeShortcutFile(target, folder / "Busy.txt"), folder / "Busy(1).lnk");
  EXPECT_EQ(MakeShortcutFile(target, folder / (kWideName + ".url")), folder / (kWideName + ".lnk"));

  for (const char* name : {"Notepad.lnk", "Notepad(1).lnk", "Notepad(2).lnk"}) {
    TShortCutData read;
    ASSERT_TRUE(ReadShortcut(folder / name, read)) << name;
    EXPECT_EQ(read.Target, target) << name;
    EXPECT_EQ(read.WorkDir, "C:\\windows\\") << name;
    EXPECT_EQ(read.Arguments, "") << name;
  }
}

TEST(ShellLinks, InternetShortcutsThroughTheProfileStore) {
  TempFolder folder("url");
  const std::string url =
      "[InternetShortcut]\r\nURL=http://例子.cn/路径?a=1\r\nWorkingDirectory=C:\\工作\r\n"
      "IconFile=C:\\图标.ico\r\nIconIndex=1\r\nHotKey=1601\r\n";
  ASSERT_TRUE(WriteBytes(folder / "站点.url", *Utf8ToCp936(url)));
  TShortCutData data;
  data.HotKey = 77;
  data.ShowCmd = 3;
  ASSERT_TRUE(ReadUrlShortcut(folder / "站点.url", data));
  // The hot key's text goes to Arguments; the rest of the record stays as it was.
  EXPECT_EQ(data, (TShortCutData{.LinkFile = "",
                                 .Arguments = "1601",
                                 .Target = "http://例子.cn/路径?a=1",
                                 .WorkDir = "C:\\工作",
                                 .IconFile = "C:\\图标.ico",
                                 .ShowCmd = 3,
                                 .HotKey = 77}));

  // No section, or no file: the record stays as it was.
  ASSERT_TRUE(WriteBytes(folder / "other.url", "[Other]\r\nURL=http://x\r\n"));
  for (const char* name : {"other.url", "missing.url"}) {
    TShortCutData kept = data;
    EXPECT_TRUE(ReadUrlShortcut(folder / name, kept)) << name;
    EXPECT_EQ(kept, data) << name;
  }
}

}  // namespace
}  // namespace wendlix
