#include "core/tweaks/system_tweaks.h"

#include <gtest/gtest.h>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

using Cmd = ShellWindowCommand;

TEST(SystemTweaks, StoresEnabledAndVisibleStatesUnderDisableAndHideKeys) {
  IniFile ini = IniFile::FromBytes("");
  ShellWindowStates states;
  states.DesktopViewEnabled = false;  // desktop icons disabled
  states.TaskBarVisible = false;      // taskbar hidden
  WriteSystemTweaks(ini, TweakFlags{true, false, false}, states);
  EXPECT_EQ(ini.ToBytes(),
            "[Application Config]\r\nDisableScrnSaver=1\r\nCanShutDown=0\r\nDisableSysKey=0\r\n"
            "DisableDeskTop=0\r\nDisableStartButton=1\r\nDisableTrayBar=1\r\n"
            "HideStartButton=1\r\nHideTrayBar=0\r\nHideDeskTop=1\r\n");

  // Read back, a stored 0 disables or hides; a 1 enables or shows.
  const StoredTweaks t = ReadSystemTweaks(IniFile::FromBytes(ini.ToBytes()));
  EXPECT_EQ(t.Flags, (TweakFlags{true, false, false}));
  const std::vector<Cmd> expected = {
      {kShellDesktopView, Cmd::kEnable, false}, {kShellStartButton, Cmd::kEnable, true},
      {kShellTaskBar, Cmd::kEnable, true},      {kShellStartButton, Cmd::kShow, true},
      {kShellTaskBar, Cmd::kShow, false},       {kShellDesktop, Cmd::kShow, true}};
  EXPECT_EQ(t.Commands, expected);
}

TEST(SystemTweaks, MissingOrUnreadableWindowKeysLeaveTheWindowsAlone) {
  // A file that only locks shutdown: the flags read, no shell window is touched.
  StoredTweaks t = ReadSystemTweaks(IniFile::FromBytes("[Application Config]\r\nCanShutDown=0\r\n"));
  EXPECT_EQ(t.Flags, (TweakFlags{false, false, false}));
  EXPECT_TRUE(t.Commands.empty());

  t = ReadSystemTweaks(IniFile::FromBytes(""));
  EXPECT_EQ(t.Flags, TweakFlags{});
  EXPECT_TRUE(t.Commands.empty());

  t = ReadSystemTweaks(IniFile::FromBytes(
      "[Application "
      "Config]\r\nHideTrayBar=yes\r\nDisableDeskTop=\r\nHideDeskTop=0\r\nDisableTrayBar=$1\r\n"));
  EXPECT_EQ(t.Commands,
            (std::vector<Cmd>{{kShellTaskBar, Cmd::kEnable, true}, {kShellDesktop, Cmd::kShow, false}}));
}

}  // namespace
}  // namespace wendlix
