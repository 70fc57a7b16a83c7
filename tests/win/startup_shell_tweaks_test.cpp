#include <windows.h>
#include <gtest/gtest.h>

#include "support/win_test_support.h"
#include "win/shell/shell_windows.h"
#include "win/tweaks/shell_give_back.h"
#include "win/tweaks/shell_tweaks.h"

namespace wendlix {
namespace {

using namespace testing_support;

// Stand-ins for the taskbar (and its start button) and the desktop (and its icon view)
// on a desktop of the test's own: the session's real shell is never touched.
TEST(StartupShellTweaks, StoredStatesAreAppliedAndReadBack) {
  ShellWindowStates untouched, afterApply;
  bool viewEnabled = true, trayEnabled = false, startVisible = true, desktopVisible = true, restored = false;
  const bool ran = RunOnOwnDesktop(L"WendlixStartupTweaksTest", [&] {
    const StandInShell shell;
    const HWND tray = shell.tray, start = shell.start, progman = shell.progman, view = shell.view;
    ApplyShellWindowCommands({});  // nothing stored: nothing changes
    untouched = ReadShellWindowSnapshot().States();
    using Cmd = ShellWindowCommand;
    ApplyShellWindowCommands({{kShellDesktopView, Cmd::kEnable, false},
                              {kShellTaskBar, Cmd::kEnable, true},
                              {kShellStartButton, Cmd::kShow, false},
                              {kShellDesktop, Cmd::kShow, false}});
    viewEnabled = IsWindowEnabled(view);
    trayEnabled = IsWindowEnabled(tray);
    startVisible = IsWindowVisible(start);
    desktopVisible = IsWindowVisible(progman);
    afterApply = ReadShellWindowSnapshot().States();
    ApplyShellWindowCommands({{kShellDesktopView, Cmd::kEnable, true}, {kShellDesktop, Cmd::kShow, true}});
    restored = IsWindowEnabled(view) && IsWindowVisible(progman);
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to change";

  const ShellWindowStates& u = untouched;
  EXPECT_TRUE(u.DesktopViewEnabled && u.StartButtonEnabled && u.TaskBarEnabled);
  EXPECT_TRUE(u.StartButtonVisible && u.TaskBarVisible && u.DesktopVisible);
  EXPECT_TRUE(!viewEnabled && trayEnabled && !startVisible && !desktopVisible && restored);
  const ShellWindowStates& a = afterApply;
  EXPECT_TRUE(a.TaskBarEnabled && a.StartButtonEnabled && a.TaskBarVisible);
  EXPECT_FALSE(a.DesktopViewEnabled || a.StartButtonVisible || a.DesktopVisible);
}

}  // namespace
}  // namespace wendlix
