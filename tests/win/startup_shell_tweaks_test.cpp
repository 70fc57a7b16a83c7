#include <gtest/gtest.h>
#include <windows.h>

#include "win/appbar/shell_windows.h"
#include "win/bar/shell_tweaks.h"

namespace wendlix {
namespace {

// What a thread saw on a desktop of its own, with stand-ins for the taskbar (and its start
// button) and the desktop (and its icon view): the session's real shell is never touched.
struct TweakRun {
  bool onOwnDesktop = false;
  ShellWindowStates untouched, afterApply;
  bool viewEnabled = true, trayEnabled = false, startVisible = true, desktopVisible = true;
  bool restored = false;
};

HWND Make(const wchar_t* cls, HWND parent) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, L"", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 10, 10, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

DWORD WINAPI RunOnOwnDesktop(void* param) {
  TweakRun& run = *static_cast<TweakRun*>(param);
  HDESK desktop = CreateDesktopW(L"WendlixStartupTweaksTest", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desktop || !SetThreadDesktop(desktop)) return 1;
  run.onOwnDesktop = true;
  const HWND tray = Make(L"Shell_TrayWnd", nullptr);
  const HWND start = Make(L"Button", tray);
  const HWND progman = Make(L"Progman", nullptr);
  const HWND view = Make(L"ShellDll_DefView", progman);

  ApplyShellWindowCommands({});  // nothing stored: nothing changes
  run.untouched = ReadShellWindowStates();

  using Cmd = ShellWindowCommand;
  ApplyShellWindowCommands({{kShellDesktopView, Cmd::kEnable, false},
                            {kShellTaskBar, Cmd::kEnable, true},
                            {kShellStartButton, Cmd::kShow, false},
                            {kShellDesktop, Cmd::kShow, false}});
  run.viewEnabled = IsWindowEnabled(view);
  run.trayEnabled = IsWindowEnabled(tray);
  run.startVisible = IsWindowVisible(start);
  run.desktopVisible = IsWindowVisible(progman);
  run.afterApply = ReadShellWindowStates();

  ApplyShellWindowCommands({{kShellDesktopView, Cmd::kEnable, true}, {kShellDesktop, Cmd::kShow, true}});
  run.restored = IsWindowEnabled(view) && IsWindowVisible(progman);
  DestroyWindow(tray);
  DestroyWindow(progman);
  return 0;
}

TEST(StartupShellTweaks, StoredStatesAreAppliedAndReadBack) {
  TweakRun run;
  const HANDLE thread = CreateThread(nullptr, 0, RunOnOwnDesktop, &run, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  if (!run.onOwnDesktop) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to change";

  const ShellWindowStates& u = run.untouched;
  EXPECT_TRUE(u.DesktopViewEnabled && u.StartButtonEnabled && u.TaskBarEnabled);
  EXPECT_TRUE(u.StartButtonVisible && u.TaskBarVisible && u.DesktopVisible);

  EXPECT_FALSE(run.viewEnabled);
  EXPECT_TRUE(run.trayEnabled);
  EXPECT_FALSE(run.startVisible);
  EXPECT_FALSE(run.desktopVisible);
  const ShellWindowStates& a = run.afterApply;
  EXPECT_FALSE(a.DesktopViewEnabled);
  EXPECT_TRUE(a.TaskBarEnabled && a.StartButtonEnabled && a.TaskBarVisible);
  EXPECT_FALSE(a.StartButtonVisible);
  EXPECT_FALSE(a.DesktopVisible);
  EXPECT_TRUE(run.restored);
}

}  // namespace
}  // namespace wendlix
