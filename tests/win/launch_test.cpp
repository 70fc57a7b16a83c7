// Launch requests carried out through the shell: what the user is told when a launch fails
// (the shell's own message or the bar's box, once).
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <map>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/shell/command_line.h"
#include "support/win_test_support.h"
#include "win/launch/launch.h"
#include "win/shell/shell_links.h"
#include "win/ui/message_form.h"

namespace wendlix {
namespace {

using namespace testing_support;

// Notes and closes every top-level window this thread shows while a launch runs, from inside
// whichever modal loop shows it. One still open after about four seconds marks the run stuck
// (closing it did not work), so a box that will not go fails instead of hanging.
class MessageWatcher {
 public:
  std::vector<std::string> shell;  // the texts of the shell's dialogs
  std::vector<std::string> bar;    // caption and text of the bar's boxes
  bool stuck = false;

 private:
  bool Visit() {
    ForEachThreadWindow([this](HWND h) {
      if (!IsWindowVisible(h)) return true;
      int& ticks = open_[h];
      if (ticks++ == 0) {
        if (ClassOf(h) == TMessageForm::kClassName) {
          bar.push_back(WindowText(h) + "|" + WindowText(GetDlgItem(h, TMessageForm::kMessageId)));
        } else if (ClassOf(h) == L"#32770") {
          std::string text;
          for (HWND c = nullptr; (c = FindWindowExW(h, c, L"Static", nullptr));) text += WindowText(c);
          shell.push_back(text);
        }
      }
      if (ticks == 250) stuck = true;
      PostMessageW(h, WM_CLOSE, 0, 0);
      return true;
    });
    return false;  // watches to the end
  }
  std::map<HWND, int> open_;
  ModalScript script_{{[this] { return Visit(); }}};
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
    EXPECT_EQ(watcher.bar,
              std::vector<std::string>{"无法打开|找不到该文件，它可能已被移动或删除:\r\r\"" + gone + "\""});
    EXPECT_FALSE(watcher.stuck);
  }
  // A path the shell must not see never reaches it.
  {
    MessageWatcher watcher;
    LaunchAndReport(DecideLaunch(LaunchButtonSender{gkShortcut, "C:\\a\" b.exe", false}), nullptr);
    EXPECT_TRUE(watcher.shell.empty());
    EXPECT_EQ(watcher.bar, std::vector<std::string>{"无法打开|" + LaunchRefusedText("C:\\a\" b.exe")});
  }
}

}  // namespace
}  // namespace wendlix
