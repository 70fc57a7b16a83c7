// The system tweaks menu carried out: the screen-saver filter, the bar's own settings, and
// the shell's windows (stand-ins on a desktop of the test's own, and Wine's real taskbar).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/tweaks/tweak_texts.h"
#include "support/import_hooks.h"
#include "support/win_test_support.h"
#include "win/shell/shell_windows.h"
#include "win/tweaks/system_tweaks_commands.h"

namespace wendlix {
namespace {

using namespace testing_support;

// A window that counts the screen-saver commands reaching its procedure.
struct CountingWindow {
  static inline int screenSaves = 0;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_SCREENSAVE) {
      ++screenSaves;
      return 0;  // never start a real one
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  CountingWindow() : hwnd(MakeWindow(L"WendlixTweaksTestMain", nullptr, 0, {0, 0, 1, 1}, Proc)) {}
  ~CountingWindow() { DestroyWindow(hwnd); }
  // Posts the command through the queue, as the system would, and pumps; how many arrived.
  int PostAndPump() {
    screenSaves = 0;
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_SCREENSAVE | 2, 0);
    Pump();
    return screenSaves;
  }
  HWND hwnd = nullptr;
};

TEST(SystemTweaksCommands, ScreenSaverBlockAndTheBarsOwnSettings) {
  CountingWindow main;
  ASSERT_NE(main.hwnd, nullptr);
  BarState state;
  MenuModel menu = BuildSYSPMenu();
  {
    SystemTweaksCommands tweaks(main.hwnd, state);
    EXPECT_EQ(main.PostAndPump(), 1);

    tweaks.Execute(menu, *menu.Find("S7"));  // block
    EXPECT_TRUE(state.Tweaks.DisableScrnSaver);
    EXPECT_EQ(main.PostAndPump(), 0);
    // The bar's own command still starts it: sent straight to the window.
    CountingWindow::screenSaves = 0;
    tweaks.Execute(menu, *menu.Find("S8"));
    EXPECT_EQ(CountingWindow::screenSaves, 1);
    EXPECT_TRUE(state.Tweaks.DisableScrnSaver);

    tweaks.Execute(menu, *menu.Find("S7"));  // allow again
    EXPECT_EQ(main.PostAndPump(), 1);

    tweaks.Execute(menu, *menu.Find("D5"));
    EXPECT_FALSE(state.Tweaks.CanShutDown);
    tweaks.Execute(menu, *menu.Find("muReLoad"));
    EXPECT_TRUE(state.Settings.ReLoadSet);
    tweaks.PrepareMenu(menu);
    EXPECT_EQ(menu.Find("D5")->Caption, "允许关闭系统(&D)");
    EXPECT_TRUE(menu.Find("muReLoad")->Checked);
    EXPECT_FALSE(menu.Find("S7")->Visible);  // Wine reports the NT family

    // A setting restored from the file is in effect at once, and ends with the bar.
    state.Tweaks.DisableScrnSaver = true;
    tweaks.PutRestoredIntoEffect();
    EXPECT_EQ(main.PostAndPump(), 0);
  }
  EXPECT_EQ(main.PostAndPump(), 1);
}

// The shutdown block reason as the bar sets it: the bar finds the two functions by name (not
// every Windows has them), so the name look-up is what hands out these stand-ins.
std::optional<std::wstring> g_blockReason;
void* g_getProcAddress = nullptr;
BOOL WINAPI CreateReason(HWND, LPCWSTR reason) {
  g_blockReason = reason;
  return TRUE;
}
BOOL WINAPI DestroyReason(HWND) {
  g_blockReason.reset();
  return TRUE;
}
FARPROC WINAPI FindWithStandIns(HMODULE module, LPCSTR name) {
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name))) {
    if (std::string_view(name) == "ShutdownBlockReasonCreate")
      return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CreateReason));
    if (std::string_view(name) == "ShutdownBlockReasonDestroy")
      return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&DestroyReason));
  }
  return reinterpret_cast<decltype(&GetProcAddress)>(g_getProcAddress)(module, name);
}

// The way out gives back what the settings took while they stay as they are: the filter goes,
// the system is told no screen saver runs (as a Windows 98 key block leaves it), and the
// shutdown block reason is dropped.
TEST(SystemTweaksCommands, GiveBackLetsTheScreenSaverAndShutdownGo) {
  const ImportPatch patch(
      {{"GetProcAddress", reinterpret_cast<void*>(&FindWithStandIns), &g_getProcAddress}});
  ASSERT_EQ(patch.Patched(), 1);
  CountingWindow main;
  BarState state;
  MenuModel menu = BuildSYSPMenu();
  SystemTweaksCommands tweaks(main.hwnd, state);
  tweaks.Execute(menu, *menu.Find("S7"));  // block the screen saver
  tweaks.Execute(menu, *menu.Find("D5"));  // lock shutdown
  ASSERT_EQ(main.PostAndPump(), 0);
  EXPECT_EQ(g_blockReason, ToWide(kShutdownLockedReason));
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0));
  BOOL running = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running);

  tweaks.GiveBack();
  EXPECT_EQ(main.PostAndPump(), 1);
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  EXPECT_FALSE(running);
  EXPECT_EQ(g_blockReason, std::nullopt);
  EXPECT_TRUE(state.Tweaks.DisableScrnSaver && !state.Tweaks.CanShutDown);
}

// Opens the menu as the bar would and chooses `name`; returns the caption it had.
std::string Choose(SystemTweaksCommands& tweaks, MenuModel& menu, const char* name) {
  tweaks.PrepareMenu(menu);
  const std::string caption = menu.Find(name)->Caption;
  tweaks.Execute(menu, *menu.Find(name));
  return caption;
}

TEST(SystemTweaksCommands, DisableAndHideStandInShellWindows) {
  // Each step: the item chosen, the caption it offered, and then whether the taskbar, the start button
  // and the desktop icons are enabled, and whether those and the desktop are visible.
  const std::vector<std::string> expected = {
      "A3 禁止使用应用程序工具条(&A) -EE VVVV",
      "A3 允许使用应用程序工具条(&A) EEE VVVV",
      "WindowsW1 禁止 Windows \"开始\" 按钮(&W) E-E VVVV",
      "P3 禁止使用桌面(&P) E-- VVVV",
      "A2 隐藏应用程序工具条(&A) E-- --VV",  // a hidden taskbar hides its start button with it
      "A2 显示应用程序工具条(&A) E-- VVVV",
      "Windows1 隐藏 Windows \"开始\" 按钮(&W) E-- V-VV",
      "D6 隐藏桌面图标(&I) E-- V--V",
      "D7 隐藏桌面(&D) E-- V---",
      "D7 显示桌面(&D) E-- V--V",
  };
  std::vector<std::string> seen;
  std::string missing[2];
  const bool ran = RunOnOwnDesktop(L"WendlixTweaksCommandsTest", [&] {
    BarState state;
    MenuModel menu = BuildSYSPMenu();
    SystemTweaksCommands tweaks(nullptr, state);
    // No shell yet: the items offer to allow and show, and doing so touches nothing.
    missing[0] = Choose(tweaks, menu, "A3");
    missing[1] = Choose(tweaks, menu, "D7");
    const StandInShell shell;
    const HWND tray = shell.tray, start = shell.start, progman = shell.progman, view = shell.view;
    for (const std::string& step : expected) {
      const std::string item = step.substr(0, step.find(' '));
      std::string line = item + " " + Choose(tweaks, menu, item.c_str()) + " ";
      for (HWND w : {tray, start, view}) line += IsWindowEnabled(w) ? 'E' : '-';
      line += ' ';
      for (HWND w : {tray, start, view, progman}) line += IsWindowVisible(w) ? 'V' : '-';
      seen.push_back(line);
    }
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to change";
  EXPECT_EQ(missing[0], "允许使用应用程序工具条(&A)");
  EXPECT_EQ(missing[1], "显示桌面(&D)");
  EXPECT_EQ(seen, expected);
}

TEST(SystemTweaksCommands, WinesOwnTaskbarIsDisabledAndShownAndPutBack) {
  const HWND tray = FindShellWindow(shTaskBar);
  if (!tray) GTEST_SKIP() << "this shell has no taskbar window";
  const bool wasEnabled = IsWindowEnabled(tray), wasVisible = IsWindowVisible(tray);
  BarState state;
  MenuModel menu = BuildSYSPMenu();
  SystemTweaksCommands tweaks(nullptr, state);
  for (int round = 0; round < 2; ++round) {
    Choose(tweaks, menu, "A3");
    EXPECT_EQ(IsWindowEnabled(tray) != 0, round == 0 ? !wasEnabled : wasEnabled) << round;
    Choose(tweaks, menu, "A2");
    EXPECT_EQ(IsWindowVisible(tray) != 0, round == 0 ? !wasVisible : wasVisible) << round;
  }
  tweaks.PrepareMenu(menu);
  EXPECT_EQ(menu.Find("A3")->Caption,
            wasEnabled ? "禁止使用应用程序工具条(&A)" : "允许使用应用程序工具条(&A)");
  EXPECT_EQ(menu.Find("A2")->Caption, wasVisible ? "隐藏应用程序工具条(&A)" : "显示应用程序工具条(&A)");
  // The state the bar would store on closing with "apply at next start" on.
  const SysMenuContext c = ReadSysMenuContext(state);
  EXPECT_EQ(c.TaskBar.Enabled, wasEnabled);
  EXPECT_EQ(c.TaskBar.Visible, wasVisible);
}

}  // namespace
}  // namespace wendlix
