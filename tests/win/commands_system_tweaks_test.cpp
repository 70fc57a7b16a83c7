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
  CountingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WendlixTweaksTestMain";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                           nullptr);
  }
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
  struct Step {
    const char* item;
    const char* caption;  // as offered when chosen
    bool enabled[3];      // taskbar, start button, desktop icons after the step
    bool visible[4];      // taskbar, start button, desktop icons, desktop
  };
  const Step steps[] = {
      {"A3", "禁止使用应用程序工具条(&A)", {false, true, true}, {true, true, true, true}},
      {"A3", "允许使用应用程序工具条(&A)", {true, true, true}, {true, true, true, true}},
      {"WindowsW1", "禁止 Windows \"开始\" 按钮(&W)", {true, false, true}, {true, true, true, true}},
      {"P3", "禁止使用桌面(&P)", {true, false, false}, {true, true, true, true}},
      // A hidden taskbar hides its start button with it.
      {"A2", "隐藏应用程序工具条(&A)", {true, false, false}, {false, false, true, true}},
      {"A2", "显示应用程序工具条(&A)", {true, false, false}, {true, true, true, true}},
      {"Windows1", "隐藏 Windows \"开始\" 按钮(&W)", {true, false, false}, {true, false, true, true}},
      {"D6", "隐藏桌面图标(&I)", {true, false, false}, {true, false, false, true}},
      {"D7", "隐藏桌面(&D)", {true, false, false}, {true, false, false, false}},
      {"D7", "显示桌面(&D)", {true, false, false}, {true, false, false, true}},
  };
  std::vector<std::string> captions;
  std::vector<std::vector<bool>> states;
  std::string missing[2];
  const bool ran = RunOnOwnDesktop(L"WendlixTweaksCommandsTest", [&] {
    BarState state;
    MenuModel menu = BuildSYSPMenu();
    SystemTweaksCommands tweaks(nullptr, state);
    // No shell yet: the items offer to allow and show, and doing so touches nothing.
    missing[0] = Choose(tweaks, menu, "A3");
    missing[1] = Choose(tweaks, menu, "D7");
    const HWND tray = MakeWindow(L"Shell_TrayWnd", nullptr), start = MakeWindow(L"Button", tray);
    const HWND progman = MakeWindow(L"Progman", nullptr), view = MakeWindow(L"ShellDll_DefView", progman);
    for (const Step& s : steps) {
      captions.push_back(Choose(tweaks, menu, s.item));
      states.push_back({IsWindowEnabled(tray) != 0, IsWindowEnabled(start) != 0, IsWindowEnabled(view) != 0,
                        IsWindowVisible(tray) != 0, IsWindowVisible(start) != 0, IsWindowVisible(view) != 0,
                        IsWindowVisible(progman) != 0});
    }
    DestroyWindow(tray);
    DestroyWindow(progman);
  });
  if (!ran) GTEST_SKIP() << "no desktop of our own; the session's shell is not ours to change";
  EXPECT_EQ(missing[0], "允许使用应用程序工具条(&A)");
  EXPECT_EQ(missing[1], "显示桌面(&D)");
  ASSERT_EQ(captions.size(), std::size(steps));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const Step& s = steps[i];
    EXPECT_EQ(captions[i], s.caption) << "step " << i;
    const std::vector<bool> expected = {s.enabled[0], s.enabled[1], s.enabled[2], s.visible[0],
                                        s.visible[1], s.visible[2], s.visible[3]};
    EXPECT_EQ(states[i], expected) << "step " << i << " " << s.item;
  }
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
