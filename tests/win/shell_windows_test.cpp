// The shell's windows found by class, launching, and the program's identity.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/shell/command_line.h"
#include "support/win_test_support.h"
#include "win/common/wide.h"
#include "win/shell/shell_open.h"
#include "win/shell/shell_windows.h"

namespace wendlix {
namespace {

using namespace testing_support;

// A stand-in shell built from windows of the shell's classes on a desktop of the test's
// own; the session's real taskbar is never touched.
TEST(ShellWindows, FoundByClassHiddenAndDisabled) {
  HWND emptyTaskBar = nullptr;
  std::vector<HWND> found, expected;
  bool hidden = false, shownAgain = false, disabled = false, enabledAgain = false;
  const bool ran = RunOnOwnDesktop(L"WendlixShellWindowsTest", [&] {
    emptyTaskBar = FindShellWindow(shTaskBar);
    HideShellWindow(shTaskBar, true);  // nothing there: no error
    const StandInShell shell;
    const HWND tray = shell.tray, start = shell.start, progman = shell.progman, view = shell.view;
    const HWND notify = MakeWindow(L"TrayNotifyWnd", tray), rebar = MakeWindow(L"ReBarWindow32", tray);
    const HWND clock = MakeWindow(L"TrayClockWClass", notify);
    // By index: each of the shell's windows, then an index past them and an unknown one.
    expected = {tray, notify, start, rebar, clock, view, progman, nullptr, nullptr};
    for (std::uint16_t i = 0; i < 9; ++i) found.push_back(FindShellWindow(i == 8 ? 0xFFFF : i));
    HideShellWindow(shStartButton, true);
    hidden = !IsWindowVisible(start);
    HideShellWindow(shStartButton, false);
    shownAgain = IsWindowVisible(start);
    DisableShellWindow(shTaskBar, true);
    disabled = !IsWindowEnabled(tray);
    DisableShellWindow(shTaskBar, false);
    enabledAgain = IsWindowEnabled(tray);
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to hide";
  EXPECT_EQ(emptyTaskBar, nullptr);
  EXPECT_EQ(std::count(expected.begin(), expected.begin() + 7, nullptr), 0);
  EXPECT_EQ(found, expected);
  EXPECT_TRUE(hidden && shownAgain && disabled && enabledAgain);
}

TEST(ShellWindows, IdentityAndVersion) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  PathRemoveExtensionW(exe);
  EXPECT_EQ(AppRegistryKey(), "Software\\Holmvik\\" + FromWide(PathFindFileNameW(exe)));
  EXPECT_EQ(GetWindowsVersion(), 3);
}

// What may not reach the shell whole is refused before it runs anything.
TEST(ShellWindows, ShellOpenRefusesTargetsItCannotRun) {
  const auto code = [](HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); };
  EXPECT_EQ(code(ShellOpen(nullptr, "C:\\a\" & calc.exe", "", "", SW_SHOW)), ERROR_FILE_NOT_FOUND);
  EXPECT_LE(code(ShellOpen(nullptr, "C:\\no such folder\\x.pif", "", "", SW_SHOW)), 32);
}

}  // namespace
}  // namespace wendlix
