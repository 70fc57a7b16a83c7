// Launch requests carried out through the shell: the command line a web address makes.
// Nothing is actually started.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/bar/panel_data.h"
#include "shell_test_support.h"
#include "win/bar/launch.h"

namespace wendlix {
namespace {

using namespace testing_support;

TEST(Launch, WebAddressReachesTheBrowserAsOneArgument) {
  const char* addresses[] = {
      "http://www.example.cn/",
      "http://www.example.cn/a b c",             // blanks
      "http://例子.cn/路径?q=中文&x=1^2%20|<>",  // non-ASCII and shell metacharacters
      "http://x.cn\\",                           // a trailing backslash must not eat the quote
      "http://x.cn/a\\\\ b\\",
      "http://x.cn/Ő한🙂",  // outside code page 936
  };
  for (const char* address : addresses) {
    SCOPED_TRACE(address);
    const LaunchRequest r = LaunchButtonRequest(gkWeb, address, false);
    ASSERT_EQ(r.Action, LaunchAction::kOpen);
    EXPECT_EQ(r.ShowCmd, kShowWebButton);
    EXPECT_EQ(SplitCommandLine(LaunchCommandLine(r)),
              (std::vector<std::wstring>{L"explorer.exe", ToWide(address)}));
    // From a menu item the same address opens maximised.
    const LaunchRequest fromMenu = DecideLaunch(MenuItemSender{address, 0, 0});
    EXPECT_EQ(fromMenu.ShowCmd, kShowMaximized);
    EXPECT_EQ(LaunchCommandLine(fromMenu), LaunchCommandLine(r));
  }
  // Addresses that could end the argument are never handed on.
  for (const char* address : {"http://x.cn/\" C:\\evil.exe", "http://x.cn/\r\nC:\\evil.exe"}) {
    const LaunchRequest r = LaunchButtonRequest(gkWeb, address, false);
    EXPECT_EQ(r.Action, LaunchAction::kNone);
    EXPECT_EQ(LaunchCommandLine(r), L"");
    EXPECT_FALSE(ExecuteLaunch(r));
  }
  // Only open requests reach the shell, and a path holding a quote is refused before it.
  EXPECT_FALSE(ExecuteLaunch(LaunchRequest{LaunchAction::kFillSubmenu, "C:\\", "", "", "", 0}));
  EXPECT_FALSE(ExecuteLaunch(LaunchRequest{LaunchAction::kOpen, "C:\\a\" b.exe", "", "", "", kShowNormal}));
}

}  // namespace
}  // namespace wendlix
