// Giving back at exit, on stand-ins for the shell's windows on a desktop of the test's own: what
// the bar hid or disabled comes back, what someone else did stays, and the states the bar saves
// read each window's own visibility. Then the record in the registry and the guard process, in a
// second run of this exe playing the bar.
#include <windows.h>

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cstdlib>

#include "core/platform/file_io.h"
#include "support/win_test_support.h"
#include "win/common/registry.h"
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
    const StandInShell shell;
    const HWND tray = shell.tray, start = shell.start, progman = shell.progman, view = shell.view;
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

std::optional<std::string> StoredRecord() {
  const unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false, KEY_READ);
  return key ? ReadRegString(key.get(), kGiveBackValue) : std::nullopt;
}

// The processes this one started that still run.
std::vector<DWORD> ChildProcesses() {
  std::vector<DWORD> children;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == GetCurrentProcessId()) children.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return children;
}

constexpr char kChildVariable[] = "WENDLIX_GUARD_CHILD";  // the report file; set only for the child

// The bar's part, run by the test below in a second process: owes the shell (nothing of it on
// this desktop of its own), reports its guard, and on the test's word gives back as a normal
// close does and ends. Disabled, so that only that test runs it.
TEST(GiveBackGuardChild, DISABLED_OwesThenClosesNormally) {
  const char* report = std::getenv(kChildVariable);
  ASSERT_NE(report, nullptr) << "run by GiveBackGuard.NormalCloseRemovesTheRecordAndTheGuardEnds";
  std::string lines;
  RunOnOwnDesktop(L"WendlixGuardChild", [&] {
    BarState state;
    MenuModel menu = BuildSYSPMenu();
    SystemTweaksCommands tweaks(nullptr, state);
    tweaks.Execute(menu, *menu.Find("D6"));  // hide the desktop icons
    const std::vector<DWORD> guards = ChildProcesses();
    lines = "guard=" + (guards.size() == 1 ? std::to_string(guards[0]) : "?") +
            "\nkept=" + (StoredRecord() ? "1" : "0") + "\n";
    WriteBytes(report, lines);
    const HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, L"WendlixGuardChildGo");
    WaitForSingleObject(go, kLimitMs);
    CloseHandle(go);
    tweaks.GiveBack();
    lines += std::string("after=") + (StoredRecord() ? "1" : "0") + "\n";
  });
  WriteBytes(report, lines);
}

TEST(GiveBackGuard, NormalCloseRemovesTheRecordAndTheGuardEnds) {
  TempFolder folder("guard");
  const std::string report = folder / "report.txt";
  const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, L"WendlixGuardChildGo");
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring commandLine =
      L"\"" + std::wstring(exe) + L"\" --gtest_also_run_disabled_tests --gtest_filter=GiveBackGuardChild.*";
  SetEnvironmentVariableA(kChildVariable, report.c_str());
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION child{};
  const bool started =
      CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &child);
  SetEnvironmentVariableA(kChildVariable, nullptr);
  ASSERT_TRUE(started);
  const auto read = [&] { return platform::ReadWholeFile(report).value_or(""); };
  ASSERT_TRUE(PumpUntil([&] { return !read().empty(); })) << "the child never reported";
  const std::string kept = read();
  const std::size_t at = kept.find("guard=") + 6;
  const DWORD guardId = static_cast<DWORD>(std::strtoul(kept.c_str() + at, nullptr, 10));
  const HANDLE guard = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, guardId);
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(child.hProcess, kLimitMs), WAIT_OBJECT_0);
  // The guard outlives the bar only to find nothing owed.
  EXPECT_NE(guard, nullptr) << kept;
  EXPECT_EQ(WaitForSingleObject(guard, kLimitMs), WAIT_OBJECT_0) << "the guard did not end";
  DWORD code = 1;
  GetExitCodeProcess(guard, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(read(), "guard=" + std::to_string(guardId) + "\nkept=1\nafter=0\n");
  EXPECT_EQ(StoredRecord(), std::nullopt);
  CloseHandle(guard);
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  CloseHandle(go);
}

}  // namespace
}  // namespace wendlix
