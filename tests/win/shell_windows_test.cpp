// The shell's windows found by class, launching, and the program's identity.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "core/appbar/command_line.h"
#include "win/appbar/shell_open.h"
#include "win/appbar/shell_windows.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

HWND Create(const wchar_t* cls, HWND parent) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = cls;
  RegisterClassW(&wc);  // "Button" is the system's own and stays so
  return CreateWindowExW(0, cls, L"", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                         nullptr, nullptr);
}

// What a thread saw on a desktop of its own, where a stand-in shell is built from windows
// of the shell's classes; the session's real taskbar is never touched.
struct DesktopRun {
  bool onOwnDesktop = false;
  HWND emptyTaskBar = nullptr;
  HWND found[9] = {}, expected[9] = {};
  bool hidden = false, shownAgain = false, disabled = false, enabledAgain = false;
};

DWORD WINAPI RunOnOwnDesktop(void* param) {
  DesktopRun& run = *static_cast<DesktopRun*>(param);
  HDESK desktop = CreateDesktopW(L"WendlixShellWindowsTest", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desktop || !SetThreadDesktop(desktop)) return 1;
  run.onOwnDesktop = true;
  run.emptyTaskBar = FindShellWindow(shTaskBar);
  HideShellWindow(shTaskBar, true);  // nothing there: no error
  const HWND tray = Create(L"Shell_TrayWnd", nullptr), notify = Create(L"TrayNotifyWnd", tray);
  const HWND start = Create(L"Button", tray), progman = Create(L"Progman", nullptr);
  const HWND windows[9] = {tray,    notify, start, Create(L"ReBarWindow32", tray), Create(L"TrayClockWClass", notify),
                           Create(L"ShellDll_DefView", progman), progman, nullptr, nullptr};
  for (std::uint16_t i = 0; i < 9; ++i) {
    run.expected[i] = windows[i];
    run.found[i] = FindShellWindow(i == 8 ? 0xFFFF : i);
  }
  HideShellWindow(shStartButton, true);
  run.hidden = !IsWindowVisible(start);
  HideShellWindow(shStartButton, false);
  run.shownAgain = IsWindowVisible(start);
  DisableShellWindow(shTaskBar, true);
  run.disabled = !IsWindowEnabled(tray);
  DisableShellWindow(shTaskBar, false);
  run.enabledAgain = IsWindowEnabled(tray);
  DestroyWindow(tray);
  DestroyWindow(progman);
  return 0;
}

TEST(ShellWindows, FoundByClassHiddenAndDisabled) {
  DesktopRun run;
  const HANDLE thread = CreateThread(nullptr, 0, RunOnOwnDesktop, &run, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  if (!run.onOwnDesktop) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to hide";
  EXPECT_EQ(run.emptyTaskBar, nullptr);
  for (int i = 0; i < 9; ++i) {
    if (i < 7) {
      EXPECT_NE(run.expected[i], nullptr) << i;
    }
    EXPECT_EQ(run.found[i], run.expected[i]) << "index " << i;
  }
  EXPECT_TRUE(run.hidden && run.shownAgain && run.disabled && run.enabledAgain);
}

TEST(ShellWindows, IdentityAndVersion) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  PathRemoveExtensionW(exe);
  EXPECT_EQ(AppRegistryKey(), "Software\\Holmvik\\" + FromWide(PathFindFileNameW(exe)));
  EXPECT_EQ(GetWindowsVersion(), 3);
}

TEST(ShellWindows, ArgumentsAndTargetsStayOnePiece) {
  const std::string nasty[] = {"C:\\Program Files\\a b.exe", "", "a\"b", "C:\\dir\\", "\\\\srv\\x y\\",
                               "x\" & calc \"", "http://h/?q=\"1 2\"", "记事本 Ő.txt", "\\\"", "tab\there"};
  for (const std::string& arg : nasty) {
    const std::wstring line = L"prog.exe " + ToWide(QuoteCommandLineArgument(arg)) + L" tail";
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(argv, nullptr);
    EXPECT_EQ(count, 3) << arg;
    if (count == 3) {
      EXPECT_EQ(FromWide(argv[1]), arg);
    }
    LocalFree(argv);
  }
  const auto code = [](HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); };
  EXPECT_EQ(code(ShellOpen(nullptr, "C:\\a\" & calc.exe", "", "", SW_SHOW)), ERROR_FILE_NOT_FOUND);
  EXPECT_LE(code(ShellOpen(nullptr, "C:\\no such folder\\x.pif", "", "", SW_SHOW)), 32);
}

}  // namespace
}  // namespace wendlix
