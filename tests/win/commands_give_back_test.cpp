// Giving back the shell windows at exit, on stand-ins on a desktop of the test's own: what the
// bar hid or disabled comes back, what someone else did stays, and the states the bar saves
// read each window's own visibility.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell_test_support.h"
#include "win/shell/shell_windows.h"
#include "win/tweaks/system_tweaks_commands.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string Snapshot(HWND tray, HWND start, HWND view, HWND progman) {
  std::string out;
  for (HWND w : {tray, start, view, progman}) {
    out += HasVisibleStyle(w) ? 'V' : '-';
    out += IsWindowEnabled(w) ? 'E' : '-';
    out += ' ';
  }
  return out;
}

TEST(GiveBackShellWindows, WhatTheBarTookComesBackAndNothingElse) {
  struct Seen {
    bool found[4] = {};
    std::string afterChanges, afterGiveBack, afterSecondGiveBack;
    ShellWindowSnapshot saved;
    bool startVisibleBySystem = true;
    std::string owed, owedAtStart;
  } seen;
  const bool ran = RunOnOwnDesktop(L"WendlixGiveBackTest", [&] {
    const HWND tray = MakeWindow(L"Shell_TrayWnd", nullptr), start = MakeWindow(L"Button", tray);
    const HWND progman = MakeWindow(L"Progman", nullptr), view = MakeWindow(L"ShellDll_DefView", progman);
    seen.found[0] = FindShellWindow(shTaskBar) == tray;
    seen.found[1] = FindShellWindow(shStartButton) == start;
    seen.found[2] = FindShellWindow(shDesktopView) == view;
    seen.found[3] = FindShellWindow(shDesktop) == progman;
    BarState state;
    MenuModel menu = BuildSYSPMenu();
    {
      SystemTweaksCommands tweaks(nullptr, state);
      // At start the stored tweaks hide the desktop; then from the menu: the taskbar hidden,
      // the start button disabled, the desktop icons hidden and shown again.
      // The start button was disabled elsewhere before: disabling it at start owes nothing.
      EnableWindow(start, FALSE);
      tweaks.ApplyRestored({{kShellDesktop, ShellWindowCommand::kShow, false},
                            {kShellTaskBar, ShellWindowCommand::kEnable, true},
                            {kShellStartButton, ShellWindowCommand::kEnable, false}});
      seen.owedAtStart = tweaks.Owed().ToRecord();
      EnableWindow(start, TRUE);
      for (const char* item : {"A2", "WindowsW1", "D6", "D6"}) {
        tweaks.PrepareMenu(menu);
        tweaks.Execute(menu, *menu.Find(item));
      }
      // Someone else disables the desktop icons: not the bar's to undo.
      EnableWindow(view, FALSE);
      seen.afterChanges = Snapshot(tray, start, view, progman);
      seen.startVisibleBySystem = IsWindowVisible(start) != FALSE;
      seen.saved = ReadShellWindowSnapshot();
      seen.owed = tweaks.Owed().ToRecord();
      tweaks.GiveBack();
      seen.afterGiveBack = Snapshot(tray, start, view, progman);
      // A second way out (the window's destruction after WM_ENDSESSION) does nothing more.
      EnableWindow(start, FALSE);
      tweaks.GiveBack();
      seen.afterSecondGiveBack = Snapshot(tray, start, view, progman);
    }
    DestroyWindow(tray);
    DestroyWindow(progman);
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to change";
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(seen.found[i]) << i;
  EXPECT_EQ(seen.afterChanges, "-E V- V- -E ");
  EXPECT_EQ(seen.owedAtStart, "V6");
  EXPECT_EQ(seen.owed, "V6,V0,E2");
  // The start button on the hidden taskbar is not shown by the system, but it is not hidden:
  // saving "hidden" would make the next start hide it.
  EXPECT_FALSE(seen.startVisibleBySystem);
  EXPECT_TRUE(seen.saved.StartButton.Exists);
  EXPECT_TRUE(seen.saved.StartButton.Visible);
  EXPECT_FALSE(seen.saved.StartButton.Enabled);
  EXPECT_FALSE(seen.saved.TaskBar.Visible);
  EXPECT_FALSE(seen.saved.DesktopView.Enabled);
  const ShellWindowStates states = seen.saved.States();
  EXPECT_TRUE(states.StartButtonVisible);
  EXPECT_FALSE(states.TaskBarVisible);
  EXPECT_FALSE(states.DesktopVisible);
  EXPECT_EQ(seen.afterGiveBack, "VE VE V- VE ");
  EXPECT_EQ(seen.afterSecondGiveBack, "VE V- V- VE ");
}

TEST(GiveBackShellWindows, MissingWindowsAreReportedMissing) {
  ShellWindowSnapshot snapshot;
  bool ran = RunOnOwnDesktop(L"WendlixGiveBackEmpty", [&] {
    snapshot = ReadShellWindowSnapshot();
    GiveBackSet owed;
    owed.Note(kShellTaskBar, ShellWindowCommand::kShow, false);
    GiveBackShellWindows(owed, false);  // nothing to show: no crash, the set is emptied
    EXPECT_TRUE(owed.Empty());
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own";
  const ShellWindowPresence p = snapshot.Presence();
  EXPECT_FALSE(p.TaskBar || p.StartButton || p.DesktopView || p.Desktop);
  EXPECT_FALSE(HasVisibleStyle(nullptr));
}

}  // namespace
}  // namespace wendlix
