#include "core/tweaks/give_back.h"

#include <gtest/gtest.h>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

using W = ShellWindowCommand;

TEST(GiveBack, HidingAddsShowingRemovesUntouchedAddsNone) {
  GiveBackSet set;
  EXPECT_TRUE(set.Empty());
  set.Note(kShellTaskBar, W::kShow, true);  // shown while never hidden: nothing owed
  set.Note(kShellDesktop, W::kEnable, true);
  EXPECT_TRUE(set.Empty());

  set.Note(kShellTaskBar, W::kShow, false);
  set.Note(kShellTaskBar, W::kShow, false);  // twice hidden, once owed
  set.Note(kShellStartButton, W::kEnable, false);
  set.Note(kShellDesktopView, W::kShow, false);
  // Hidden is not disabled: the taskbar is owed showing only.
  EXPECT_EQ(set.Commands(), (std::vector<W>{{kShellStartButton, W::kEnable, true},
                                            {kShellTaskBar, W::kShow, true},
                                            {kShellDesktopView, W::kShow, true}}));

  set.Note(kShellTaskBar, W::kShow, true);  // the user showed it again
  EXPECT_EQ(set.Commands(),
            (std::vector<W>{{kShellStartButton, W::kEnable, true}, {kShellDesktopView, W::kShow, true}}));
  set.Note(kShellStartButton, W::kEnable, true);
  set.Note(kShellDesktopView, W::kShow, true);
  EXPECT_TRUE(set.Empty());
  EXPECT_TRUE(set.Commands().empty());
}

TEST(GiveBack, StartCommandsAndMenuCommandsCount) {
  // Stored tweaks restored at start: only the ones that hide or disable are owed.
  GiveBackSet set;
  set.NoteAll({{kShellDesktopView, W::kEnable, true},
               {kShellStartButton, W::kEnable, false},
               {kShellTaskBar, W::kShow, false},
               {kShellDesktop, W::kShow, true}});
  EXPECT_EQ(set.ToRecord(), "E2,V0");
  // Applied to windows as they were: hiding an already hidden desktop owes nothing, while
  // showing the taskbar settles what was owed for it.
  GiveBackSet applied = set;
  applied.NoteApplied({kShellDesktop, W::kShow, false}, false);
  applied.NoteApplied({kShellTaskBar, W::kShow, true}, false);
  applied.NoteApplied({kShellDesktopView, W::kEnable, false}, true);
  EXPECT_EQ(applied.ToRecord(), "E2,E5");

  // The menu's commands, as the items it builds carry them out.
  set.Note(SysMenuCommand{SysMenuCommand::kSetVisible, kShellTaskBar, true});
  set.Note(SysMenuCommand{SysMenuCommand::kSetEnabled, kShellDesktop, false});
  set.Note(SysMenuCommand{SysMenuCommand::kToggleShutdown, kShellDesktopView, false});  // no window change
  set.Note(SysMenuCommand{SysMenuCommand::kRunScreenSaver, kShellTaskBar, false});
  EXPECT_EQ(set.ToRecord(), "E2,E6");

  // From the real menu: the taskbar's hide item on a visible taskbar owes it back.
  MenuModel menu = BuildSYSPMenu();
  SysMenuContext context;
  context.TaskBar = context.StartButton = context.DesktopView = context.Desktop = {true, true};
  SYSPMenuPopup(menu, context);
  GiveBackSet fromMenu;
  for (const MenuItem& item : menu.Items) fromMenu.Note(SysMenuCommandOf(item));
  // Every window command on fully shown, enabled windows takes something away.
  EXPECT_EQ(fromMenu.Commands(), (std::vector<W>{{kShellDesktopView, W::kEnable, true},
                                                 {kShellStartButton, W::kEnable, true},
                                                 {kShellTaskBar, W::kEnable, true},
                                                 {kShellDesktop, W::kShow, true},
                                                 {kShellDesktopView, W::kShow, true},
                                                 {kShellStartButton, W::kShow, true},
                                                 {kShellTaskBar, W::kShow, true}}));
}

TEST(GiveBack, RecordRoundTripsAndRefusesDamage) {
  GiveBackSet set;
  set.Note(kShellDesktop, W::kShow, false);
  set.Note(kShellTaskBar, W::kEnable, false);
  set.Note(kShellDesktopView, W::kShow, false);
  EXPECT_EQ(GiveBackSet::Parse(set.ToRecord()), set);
  EXPECT_EQ(GiveBackSet::Parse(""), GiveBackSet{});
  for (const char* bad :
       {"X1", "E", "E7", "E12", "V-1", "E1,", ",E1", "E1,,V2", "e1", "E 1", "E1;V2", "E0001"}) {
    EXPECT_FALSE(GiveBackSet::Parse(bad).has_value()) << bad;
  }
}

TEST(GiveBack, DesktopIconsKey) {
  struct Case {
    const char* text;
    std::optional<bool> visible;
  };
  for (const Case& c : std::initializer_list<Case>{{"HideDeskTopIcons=1\n", true},
                                                   {"HideDeskTopIcons=0\n", false},
                                                   {"HideDeskTopIcons=yes\n", std::nullopt},
                                                   {"HideDeskTop=0\n", std::nullopt},
                                                   {"", std::nullopt}}) {
    const IniFile ini = IniFile::FromBytes(std::string("[Application Config]\n") + c.text);
    const std::optional<W> command = ReadDesktopIconsCommand(ini);
    ASSERT_EQ(command.has_value(), c.visible.has_value()) << c.text;
    if (command) {
      EXPECT_EQ(*command, (W{kShellDesktopView, W::kShow, *c.visible})) << c.text;
    }
  }
  IniFile ini = IniFile::FromBytes("");
  WriteDesktopIconsKey(ini, false, false);  // a missing view writes nothing
  EXPECT_FALSE(ini.ValueExists(kAppConfigSection, kDesktopIconsKey));
  WriteDesktopIconsKey(ini, true, false);
  EXPECT_EQ(ReadDesktopIconsCommand(ini), (W{kShellDesktopView, W::kShow, false}));
}

TEST(GiveBack, MissingWindowsKeepTheirStoredKeys) {
  // A missing window reads as hidden and disabled; the whole section written from that
  // state, then the missing windows' keys put back as they were.
  IniFile ini = IniFile::FromBytes(
      "[Application Config]\nDisableTrayBar=1\nHideTrayBar=1\nHideStartButton=0\nHideDeskTopIcons=1\n");
  ShellWindowPresence present;
  present.TaskBar = false;
  present.DesktopView = false;
  const KeptTweakKeys kept = KeepKeysOfMissingWindows(ini, present);
  ShellWindowStates states;
  states.TaskBarEnabled = states.TaskBarVisible = states.DesktopViewEnabled = false;
  states.StartButtonVisible = true;
  WriteSystemTweaks(ini, TweakFlags{}, states);
  WriteDesktopIconsKey(ini, present.DesktopView, false);
  RestoreKeptKeys(ini, kept);

  EXPECT_EQ(ini.ReadInteger(kAppConfigSection, "DisableTrayBar", -1), 1);
  EXPECT_EQ(ini.ReadInteger(kAppConfigSection, "HideTrayBar", -1), 1);
  EXPECT_EQ(ini.ReadInteger(kAppConfigSection, "HideDeskTopIcons", -1), 1);
  EXPECT_FALSE(ini.ValueExists(kAppConfigSection, "DisableDeskTop"));       // was not there: not made up
  EXPECT_EQ(ini.ReadInteger(kAppConfigSection, "HideStartButton", -1), 1);  // present: its state
  EXPECT_EQ(ini.ReadInteger(kAppConfigSection, "HideDeskTop", -1), 1);

  // What the next start then does: nothing that hides or disables a window that was missing.
  GiveBackSet owed;
  owed.NoteAll(ReadSystemTweaks(ini).Commands);
  EXPECT_TRUE(owed.Empty()) << owed.ToRecord();

  EXPECT_TRUE(KeepKeysOfMissingWindows(ini, ShellWindowPresence{}).empty());
}

}  // namespace
}  // namespace wendlix
