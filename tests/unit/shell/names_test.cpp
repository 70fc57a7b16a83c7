// Names, command lines and version numbers the shell services derive from data.
#include <gtest/gtest.h>

#include <set>

#include "core/shell/command_line.h"
#include "core/shell/link_naming.h"
#include "core/shell/windows_version.h"

namespace wendlix {
namespace {

TEST(ShellNames, UniqueLinkPathNumbersTakenNames) {
  struct Case {
    std::string linkPath;
    std::set<std::string> taken;
    std::string expected;
  } cases[] = {
      {"C:\\g\\Notepad.exe", {}, "C:\\g\\Notepad.lnk"},
      {"C:\\g\\Notepad.exe", {"C:\\g\\Notepad.lnk"}, "C:\\g\\Notepad(1).lnk"},
      {"C:\\g\\Notepad", {"C:\\g\\Notepad.lnk", "C:\\g\\Notepad(2).lnk"}, "C:\\g\\Notepad(1).lnk"},
      {"C:\\g.d\\readme", {}, "C:\\g.d\\readme.lnk"},  // a dot in the folder is no extension
      {"C:\\g\\a.b.c", {"C:\\g\\a.b.lnk"}, "C:\\g\\a.b(1).lnk"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UniqueLinkPath(c.linkPath, [&](const std::string& p) { return c.taken.count(p) > 0; }),
              c.expected);
  // Past one digit, without leading zeros; and a broken existence test ends.
  std::set<std::string> taken = {"D:\\x.lnk"};
  for (int n = 1; n <= 10; ++n) taken.insert("D:\\x(" + std::to_string(n) + ").lnk");
  EXPECT_EQ(UniqueLinkPath("D:\\x.exe", [&](const std::string& p) { return taken.count(p) > 0; }),
            "D:\\x(11).lnk");
  EXPECT_EQ(UniqueLinkPath("D:\\x.exe", [](const std::string&) { return true; }), "");

  EXPECT_EQ(DriveLinkName("本地磁盘 (C:)"), "本地磁盘 (C)");
  EXPECT_EQ(DriveLinkName("share (\\\\srv\\pub) (Z:)"), "share (__srv_pub) (Z)");
  EXPECT_EQ(DriveLinkName("a:b:c*?\"<>|/"), "ab_c_______");
}

TEST(ShellNames, CommandLinesAndTargets) {
  // The system's own parser checks these round trips under Wine; here the exact text.
  EXPECT_EQ(QuoteCommandLineArgument("C:\\Program Files\\a.exe"), "\"C:\\Program Files\\a.exe\"");
  EXPECT_EQ(QuoteCommandLineArgument("C:\\dir\\"), "\"C:\\dir\\\\\"");
  EXPECT_EQ(QuoteCommandLineArgument("a\\\"b"), "\"a\\\\\\\"b\"");
  EXPECT_EQ(QuoteCommandLineArgument(""), "\"\"");

  for (const char* url : {"MAILTO:x@y", "ab:"}) EXPECT_TRUE(HasUrlScheme(url)) << url;
  for (const char* path : {"C:\\x", "1http:", ":x"}) EXPECT_FALSE(HasUrlScheme(path)) << path;
  EXPECT_EQ(SafeShellTarget("C:\\Program Files\\a b.lnk"), "C:\\Program Files\\a b.lnk");
  EXPECT_EQ(SafeShellTarget("http://h/a b\"c\td"), "http://h/a%20b%22c%09d");
  EXPECT_EQ(SafeShellTarget("http://中文.cn/路径"), "http://中文.cn/路径");
  EXPECT_EQ(SafeShellTarget("C:\\a\"b.exe"), std::nullopt);
  EXPECT_EQ(SafeShellTarget("C:\\a\nb.exe"), std::nullopt);
  // Trailing backslashes of an address would escape a handler's closing quote.
  EXPECT_EQ(SafeShellTarget("mailto:a@b.cn?s=x\\\\"), "mailto:a@b.cn?s=x%5C%5C");
  EXPECT_EQ(SafeShellTarget("http://h/a\\b"), "http://h/a\\b");
}

TEST(ShellNames, WindowsVersionMapping) {
  const std::uint32_t cases[][3] = {{0, 10, 0}, {1, 0, 1}, {1, 9, 1}, {1, 10, 2},
                                    {1, 90, 2}, {2, 0, 3}, {3, 0, 1}};
  for (const auto& c : cases) EXPECT_EQ(MapWindowsVersion(c[0], c[1]), int(c[2])) << c[0] << "." << c[1];
}

}  // namespace
}  // namespace wendlix
