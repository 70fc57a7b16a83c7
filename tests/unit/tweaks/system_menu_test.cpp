#include "core/tweaks/system_menu.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

using C = SysMenuCommand;

SysMenuContext AllOn() {
  SysMenuContext c;
  c.TaskBar = c.StartButton = c.DesktopView = c.Desktop = {true, true};
  return c;
}

// Opens the menu in `context` and chooses `name`, as the user would.
SysMenuCommand Choose(MenuModel& menu, const SysMenuContext& context, const char* name) {
  SYSPMenuPopup(menu, context);
  return SysMenuCommandOf(*menu.Find(name));
}

TEST(SystemMenu, ItemsAndWhatNtHides) {
  MenuModel menu = BuildSYSPMenu();
  SysMenuContext c = AllOn();
  c.NtFamily = true;
  SYSPMenuPopup(menu, c);
  for (const char* n : {"WindowsK1", "S7", "N28"}) EXPECT_FALSE(menu.Find(n)->Visible) << n;
  EXPECT_TRUE(menu.Find("S8")->Visible);
  EXPECT_EQ(SysMenuCommandOf(*menu.Find("S7")), C{});  // a hidden item does nothing
  c.NtFamily = false;
  SYSPMenuPopup(menu, c);
  for (const char* n : {"WindowsK1", "S7", "N28"}) EXPECT_TRUE(menu.Find(n)->Visible) << n;
}

TEST(SystemMenu, CaptionsFollowTheShellAndTheirCommandsGoTheOtherWay) {
  MenuModel menu = BuildSYSPMenu();
  struct Case {
    const char* item;
    ShellWindowState SysMenuContext::*window;
    bool enabledField;  // the item reads Enabled (else Visible)
    const char* whenOn;
    const char* whenOff;
    C::Kind kind;
    std::uint16_t which;
  } cases[] = {
      {"P3", &SysMenuContext::DesktopView, true, "禁止使用桌面(&P)", "允许使用桌面(&P)", C::kSetEnabled,
       kShellDesktopView},
      {"WindowsW1", &SysMenuContext::StartButton, true, "禁止 Windows \"开始\" 按钮(&W)",
       "允许 Windows \"开始\" 按钮(&W)", C::kSetEnabled, kShellStartButton},
      {"A3", &SysMenuContext::TaskBar, true, "禁止使用应用程序工具条(&A)", "允许使用应用程序工具条(&A)",
       C::kSetEnabled, kShellTaskBar},
      {"D7", &SysMenuContext::Desktop, false, "隐藏桌面(&D)", "显示桌面(&D)", C::kSetVisible, kShellDesktop},
      {"D6", &SysMenuContext::DesktopView, false, "隐藏桌面图标(&I)", "显示桌面图标(&I)", C::kSetVisible,
       kShellDesktopView},
      {"Windows1", &SysMenuContext::StartButton, false, "隐藏 Windows \"开始\" 按钮(&W)",
       "显示 Windows \"开始\" 按钮(&W)", C::kSetVisible, kShellStartButton},
      {"A2", &SysMenuContext::TaskBar, false, "隐藏应用程序工具条(&A)", "显示应用程序工具条(&A)",
       C::kSetVisible, kShellTaskBar},
  };
  for (const Case& k : cases) {
    for (bool on : {true, false}) {
      SysMenuContext c = AllOn();
      ShellWindowState& w = c.*k.window;
      (k.enabledField ? w.Enabled : w.Visible) = on;
      const SysMenuCommand command = Choose(menu, c, k.item);
      EXPECT_EQ(menu.Find(k.item)->Caption, on ? k.whenOn : k.whenOff) << k.item;
      // Enabled or visible now: the item disables or hides it; otherwise it undoes that.
      EXPECT_EQ(command, (C{k.kind, k.which, !on})) << k.item << " on=" << on;
    }
  }
  // A missing window's items are grey and run nothing; the others stay.
  SysMenuContext gone = AllOn();
  gone.Desktop.Exists = gone.DesktopView.Exists = false;
  SYSPMenuPopup(menu, gone);
  for (const char* n : {"P3", "D6", "D7"}) EXPECT_EQ(SysMenuCommandOf(*menu.Find(n)), C{}) << n;
  for (const char* n : {"A2", "A3", "Windows1", "WindowsW1"}) EXPECT_TRUE(menu.Find(n)->Enabled) << n;
  // No shell at all: every item offers to allow or show.
  SysMenuContext none;
  SYSPMenuPopup(menu, none);
  for (const char* n : {"P3", "WindowsW1", "A3"}) EXPECT_EQ(menu.Find(n)->Caption.rfind("允许", 0), 0u) << n;
  for (const char* n : {"D7", "D6", "Windows1", "A2"})
    EXPECT_EQ(menu.Find(n)->Caption.rfind("显示", 0), 0u) << n;
}

TEST(SystemMenu, SettingsTogglesEachTheirOwn) {
  struct Case {
    const char* item;
    C::Kind kind;
    TweakFlags after;  // from {DisableScrnSaver false, CanShutDown true, DisableSysKey false}
    bool reLoadAfter;
    bool returned;  // the toggled setting's new value, which the caller puts into effect
  } cases[] = {
      {"D5", C::kToggleShutdown, {false, false, false}, false, false},
      {"S7", C::kToggleScreenSaverBlock, {true, true, false}, false, true},
      {"WindowsK1", C::kToggleSysKey, {false, true, true}, false, true},
      // Runs even while blocked; sets nothing.
      {"S8", C::kRunScreenSaver, {false, true, false}, false, false},
      {"muReLoad", C::kToggleReLoad, {false, true, false}, true, true},
  };
  SysMenuContext c = AllOn();
  c.NtFamily = false;
  for (const Case& k : cases) {
    MenuModel menu = BuildSYSPMenu();
    TweakFlags flags;
    bool reLoad = false;
    const SysMenuCommand command = Choose(menu, c, k.item);
    EXPECT_EQ(command, C{k.kind}) << k.item;
    EXPECT_EQ(ApplySysMenuCommand(command, flags, reLoad, menu), k.returned) << k.item;
    EXPECT_EQ(flags, k.after) << k.item;
    EXPECT_EQ(reLoad, k.reLoadAfter) << k.item;
    // Opened again, the menu reads the new state.
    SysMenuContext now = c;
    now.Flags = flags;
    now.ReLoadSet = reLoad;
    SYSPMenuPopup(menu, now);
    EXPECT_EQ(menu.Find("D5")->Caption, flags.CanShutDown ? "禁止关闭系统(&D)" : "允许关闭系统(&D)");
    EXPECT_EQ(menu.Find("S7")->Caption.substr(0, 6), flags.DisableScrnSaver ? "允许" : "禁止");
    EXPECT_EQ(menu.Find("WindowsK1")->Caption,
              flags.DisableSysKey ? "允许Windows系统热键(&K)" : "禁止Windows系统热键(&K)");
    EXPECT_EQ(menu.Find("muReLoad")->Checked, reLoad);
  }
  // Shutdown toggles back whatever its caption says; a separator or unknown Tag does nothing.
  MenuItem d5 = MakeItem("D5", "允许关闭系统(&D)", 3);
  EXPECT_EQ(SysMenuCommandOf(d5), C{C::kToggleShutdown});
  EXPECT_EQ(SysMenuCommandOf(MakeSeparator("N29")), C{});
  EXPECT_EQ(SysMenuCommandOf(MakeItem("D7", "隐藏桌面(&D)", 9)), C{});
}

TEST(SystemMenu, ScreenSaveCommandIgnoresTheSystemBits) {
  EXPECT_TRUE(IsScreenSaveCommand(0x0112, 0xF142));
  EXPECT_FALSE(IsScreenSaveCommand(0x0112, 0xF150));
  EXPECT_FALSE(IsScreenSaveCommand(0x0111, 0xF140));
}

}  // namespace
}  // namespace wendlix
