// Launch requests carried out through the shell: the command line a web address makes, and
// what the user is told when a launch fails (the shell's own message or the bar's box, once).
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <map>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/shell/command_line.h"
#include "shell_test_support.h"
#include "win/launch/launch.h"
#include "win/shell/shell_links.h"
#include "win/ui/message_form.h"

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
      "https://x.cn/Ő한🙂",  // outside code page 936
  };
  for (const char* address : addresses) {
    SCOPED_TRACE(address);
    const std::optional<ShellCall> call =
        LaunchShellCall(DecideLaunch(LaunchButtonSender{gkWeb, address, false}));
    ASSERT_TRUE(call);
    EXPECT_EQ(SplitCommandLine(L"\"" + call->File + L"\" " + call->Parameters),
              (std::vector<std::wstring>{L"explorer.exe", ToWide(address)}));
    // From a menu item the same address makes the same command line.
    const std::optional<ShellCall> fromMenu = LaunchShellCall(DecideLaunch(MenuItemSender{address, 0, 0}));
    ASSERT_TRUE(fromMenu);
    EXPECT_EQ(fromMenu->File, call->File);
    EXPECT_EQ(fromMenu->Parameters, call->Parameters);
  }
  // Only open requests reach the shell.
  EXPECT_FALSE(
      LaunchShellCall(DecideLaunch(LaunchButtonSender{gkWeb, "http://x.cn/\" C:\\evil.exe", false})));
  EXPECT_FALSE(ExecuteLaunch(DecideLaunch(MenuItemSender{"C:\\", kSubmenuTag, 1})).Started);
}

// The top-level windows this thread shows while a launch runs: each is noted and closed,
// from inside whichever modal loop shows it. One still open after about five seconds marks
// the run stuck (closing it did not work), so a box that will not go fails instead of hanging.
class MessageWatcher {
 public:
  MessageWatcher() : timer_(SetTimer(nullptr, 0, 20, &MessageWatcher::Tick)) { current_ = this; }
  ~MessageWatcher() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::vector<std::wstring> shell;  // the texts of the shell's dialogs
  std::vector<std::wstring> bar;    // caption and text of the bar's boxes
  bool stuck = false;

 private:
  static std::wstring TextOf(HWND h) {
    wchar_t text[1024] = {};
    GetWindowTextW(h, text, 1024);
    return text;
  }
  static BOOL CALLBACK Visit(HWND h, LPARAM) {
    MessageWatcher& self = *current_;
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (!IsWindowVisible(h)) return TRUE;
    int& ticks = self.open_[h];
    if (ticks++ == 0) {
      if (std::wstring(cls) == TMessageForm::kClassName) {
        self.bar.push_back(TextOf(h) + L"|" + TextOf(GetDlgItem(h, TMessageForm::kMessageId)));
      } else if (std::wstring(cls) == L"#32770") {
        std::wstring text;
        for (HWND c = nullptr; (c = FindWindowExW(h, c, L"Static", nullptr));) text += TextOf(c);
        self.shell.push_back(text);
      }
    }
    if (ticks == 250) self.stuck = true;
    PostMessageW(h, WM_CLOSE, 0, 0);
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) EnumThreadWindows(GetCurrentThreadId(), &Visit, 0);
  }
  static inline MessageWatcher* current_ = nullptr;
  std::map<HWND, int> open_;
  UINT_PTR timer_ = 0;
};

TEST(Launch, AFailureIsToldOnceByTheShellOrByTheBar) {
  TempFolder folder("launch_fail");
  TShortCutData broken;
  broken.LinkFile = folder / "断开 Ő.lnk";
  broken.Target = folder / "已删除\\工具.exe";
  broken.Arguments = "-x";
  ASSERT_TRUE(CreateShortcut(broken));
  const LaunchRequest link = DecideLaunch(LaunchButtonSender{gkShortcut, broken.LinkFile, false});
  ASSERT_TRUE(link.ShellReports);

  // A shortcut whose target is gone: the shell's link handler says so, and the bar adds nothing.
  {
    MessageWatcher watcher;
    const LaunchResult result = ExecuteLaunch(link);
    EXPECT_FALSE(result.Started);
    EXPECT_TRUE(result.ShellShowedMessage);
    EXPECT_FALSE(watcher.shell.empty());
    EXPECT_FALSE(watcher.stuck);
  }
  {
    MessageWatcher watcher;
    LaunchAndReport(link, nullptr);
    EXPECT_FALSE(watcher.shell.empty());
    EXPECT_TRUE(watcher.bar.empty());
    EXPECT_FALSE(watcher.stuck);
  }

  // A program that is gone is opened without the shell's message: the bar's box says it.
  const std::string gone = folder / "不在 Ő.exe";
  {
    MessageWatcher watcher;
    LaunchAndReport(DecideLaunch(MenuItemSender{gone, 0, 0}), nullptr);
    EXPECT_TRUE(watcher.shell.empty());
    EXPECT_EQ(watcher.bar, std::vector<std::wstring>{
                               ToWide("无法打开|找不到该文件，它可能已被移动或删除:\r\r\"" + gone + "\"")});
    EXPECT_FALSE(watcher.stuck);
  }
  // A path the shell must not see never reaches it.
  {
    MessageWatcher watcher;
    LaunchAndReport(DecideLaunch(LaunchButtonSender{gkShortcut, "C:\\a\" b.exe", false}), nullptr);
    EXPECT_TRUE(watcher.shell.empty());
    EXPECT_EQ(watcher.bar,
              std::vector<std::wstring>{ToWide("无法打开|" + LaunchRefusedText("C:\\a\" b.exe"))});
  }
}

}  // namespace
}  // namespace wendlix
