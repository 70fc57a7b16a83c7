#include "core/bar/group_loading.h"

#include <gtest/gtest.h>

#include "core/bar/bar_save.h"
#include "core/bar/group_file.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/table_folder.h"

namespace wendlix {
namespace {

using testing_support::TableFolder;
using E = ShortcutFolder::Entry;

const std::string kQuickLaunch = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";

IniFile ShippedGroupFile() {
  const auto bytes = platform::ReadWholeFile(WENDLIX_TEST_DATA "/../../src/res/Wendlix.GPF");
  EXPECT_TRUE(bytes.has_value());
  return IniFile::FromBytes(bytes.value_or(""));
}

TEST(GroupLoading, FirstRunWithoutGroupFileCreatesNoGroup) {
  IniFile gpf = IniFile::FromBytes("");
  const LoadedGroups loaded = LoadGroups(gpf, 0, {}, kQuickLaunch, TableFolder{});
  EXPECT_TRUE(loaded.FirstRun);
  EXPECT_TRUE(loaded.Groups.empty());
  EXPECT_FALSE(AnyGroupVisible(loaded.Groups));
  EXPECT_FALSE(gpf.Modified());
  // A listed count with no names, or names with a zero count, is a first run as well.
  EXPECT_TRUE(IsFirstRun(5, {}));
  EXPECT_TRUE(IsFirstRun(0, {"A"}));
  EXPECT_FALSE(IsFirstRun(1, {"A"}));
}

TEST(GroupLoading, FirstRunWithTheShippedFileGivesTheThreeDefaultGroups) {
  IniFile gpf = ShippedGroupFile();
  TableFolder disk;
  disk.Files(kQuickLaunch + "\\", {"Desktop.scf", "Browser.lnk"});
  const LoadedGroups loaded = LoadGroups(gpf, 0, {}, kQuickLaunch, disk);
  ASSERT_EQ(loaded.Groups.size(), 3u);
  EXPECT_TRUE(AnyGroupVisible(loaded.Groups));

  const TPanelData& programs = loaded.Groups[0].Data;
  EXPECT_EQ(programs.Title, "Programs");
  EXPECT_EQ(programs.PanelStyle, gkShortcut);
  EXPECT_EQ(programs.Color, kClBtnFace);
  EXPECT_FALSE(programs.ShowAsButton || programs.ShowCaption || programs.BevelDown);
  EXPECT_EQ(programs.Directory, kQuickLaunch);
  EXPECT_EQ(programs.Font.Name, "宋体");  // decoded from code page 936
  EXPECT_EQ(loaded.Groups[0].Buttons,
            (std::vector<GroupButton>{{"Desktop", kQuickLaunch + "\\Desktop.scf", false},
                                      {"Browser", kQuickLaunch + "\\Browser.lnk", false}}));

  // The web and e-mail groups take their kind, colour and default button from the first run.
  const struct {
    const char* title;
    std::uint16_t kind;
    std::int32_t color;
  } rebuilt[] = {
      {"Internet", gkWeb, 0x00F2F2D9},
      {"E-Mail", gkEmail, 0x00CAE8B5},
  };
  for (int i = 0; i < 2; ++i) {
    const GroupRecord& g = loaded.Groups[i + 1];
    EXPECT_EQ(g.Data.Title, rebuilt[i].title);
    EXPECT_EQ(g.Data.PanelStyle, rebuilt[i].kind);
    EXPECT_EQ(g.Data.Color, rebuilt[i].color);
    EXPECT_TRUE(g.Data.ShowAsButton);
    EXPECT_EQ(g.Buttons, std::vector<GroupButton>{FirstRunButton(rebuilt[i].kind)});
  }
  EXPECT_EQ(loaded.Groups[1].Height, 200);

  // The web and e-mail groups were rebuilt with saving: their sections hold the overrides
  // and just the default button.
  const IniFile back = IniFile::FromBytes(gpf.ToBytes());
  EXPECT_EQ(back.ReadSection("Internet  Buttons").size(), 1u);
  EXPECT_EQ(back.ReadSection("E-Mail  Buttons").size(), 1u);
  EXPECT_EQ(back.ReadInteger("Internet", "Height", 0), 200);
  EXPECT_EQ(back.ReadInteger("E-Mail", "Panel Style", 0), 2);
  EXPECT_EQ(back.ReadSection("Groups"), (std::vector<std::string>{"Internet", "E-Mail"}));
}

TEST(GroupLoading, FirstRunReplacesOldButtonsAndOverridesByPosition) {
  IniFile gpf = IniFile::FromBytes(
      "[Programs]\r\nPanel Style=2\r\nDirectory=C:\\x\r\n"
      "[Internet]\r\nPanel Style=0\r\nShowAsButton=0\r\n"
      "[Internet  Buttons]\r\nA=a.cn\r\nB=b.cn\r\n"
      "[E-Mail]\r\nTitle Text=Post\r\n");
  const LoadedGroups loaded = LoadGroups(gpf, 0, {}, kQuickLaunch, TableFolder{});
  ASSERT_EQ(loaded.Groups.size(), 3u);
  EXPECT_EQ(loaded.Groups[0].Data.PanelStyle, gkShortcut);
  EXPECT_EQ(loaded.Groups[0].Data.Directory, kQuickLaunch);
  EXPECT_TRUE(loaded.Groups[0].Buttons.empty());  // the Quick Launch folder does not exist
  EXPECT_EQ(loaded.Groups[1].Data.PanelStyle, gkWeb);
  EXPECT_EQ(loaded.Groups[1].Buttons, std::vector<GroupButton>{FirstRunButton(gkWeb)});
  EXPECT_EQ(IniFile::FromBytes(gpf.ToBytes()).ReadSection("Internet  Buttons").size(), 1u);
  EXPECT_EQ(loaded.Groups[2].Data.Title, "E-Mail");
}

TEST(GroupLoading, ListedGroupsWithoutSectionsAreSkipped) {
  IniFile gpf = IniFile::FromBytes(
      "[One]\r\nPanel Style=1\r\nTitle Text=One\r\n[One  Buttons]\r\nSite=x.cn\r\n"
      "[Empty]\r\n"
      "[Two]\r\nTitle Text=Two\r\nVisible=0\r\n"
      "[Three]\r\nTitle Text=Three\r\nShowAsButton=1\r\nPanel Style=1\r\n[Three  Buttons]\r\nS=y.cn\r\n");
  const std::vector<std::string> names = {"One", "Empty", "Missing", "Two", "Three"};
  LoadedGroups loaded = LoadGroups(gpf, 5, names, kQuickLaunch, TableFolder{});
  EXPECT_FALSE(loaded.FirstRun);
  ASSERT_EQ(loaded.Groups.size(), 3u);
  EXPECT_EQ(loaded.Groups[0].Buttons, (std::vector<GroupButton>{{"Site", "http://x.cn", false}}));
  EXPECT_EQ(loaded.Groups[1].Data.Title, "Two");
  EXPECT_TRUE(loaded.Groups[2].Buttons.empty());  // shown as a button: not filled
  EXPECT_FALSE(gpf.Modified());

  // The count limits the names, and names limit the count.
  EXPECT_EQ(LoadGroups(gpf, 1, names, kQuickLaunch, TableFolder{}).Groups.size(), 1u);
  EXPECT_EQ(LoadGroups(gpf, 1000000000, {"Two"}, kQuickLaunch, TableFolder{}).Groups.size(), 1u);
  EXPECT_TRUE(LoadGroups(gpf, -2, names, kQuickLaunch, TableFolder{}).Groups.empty());

  // Only invisible groups: the band bar stays hidden.
  loaded = LoadGroups(gpf, 1, {"Two"}, kQuickLaunch, TableFolder{});
  EXPECT_FALSE(AnyGroupVisible(loaded.Groups));
}

TEST(GroupLoading, SavedOrderKeepsPresentEntriesAndAppendsNewOnes) {
  const IniFile gpf = IniFile::FromBytes(
      "[Tools]\r\nTitle Text=Tools\r\nDirectory=C:\\Tools\r\n"
      "[Tools  Buttons]\r\nGone=Deleted.lnk\r\nEdit=editor.LNK\r\nSub=Sub\r\nAlsoGone=Old.pif\r\n");
  TableFolder disk;
  disk.Files("C:\\Tools\\", {"Sub", "Empty", "New.url", "Editor.lnk"});
  disk.entries["C:\\Tools\\Sub"] = E::kFolderWithShortcuts;
  disk.entries["C:\\Tools\\Empty"] = E::kFolder;
  GroupRecord g = ReadGroupRecord(gpf, "Tools");
  FillGroup(gpf, g, disk);
  EXPECT_EQ(g.Buttons, (std::vector<GroupButton>{{"Editor", "C:\\Tools\\Editor.lnk", false},
                                                 {"Sub", "C:\\Tools\\Sub", true},
                                                 {"Empty", "C:\\Tools\\Empty", false},
                                                 {"New", "C:\\Tools\\New.url", false}}));

  // Saving writes the merged order: the deleted entries are gone from the file.
  IniFile out = IniFile::FromBytes(gpf.ToBytes());
  SaveGroup(out, g, true);
  EXPECT_EQ(ReadSavedOrder(IniFile::FromBytes(out.ToBytes()), "Tools"),
            (std::vector<std::string>{"Editor.lnk", "Sub", "Empty", "New.url"}));
}

// A hidden group keeps what the group file held; the list still names it.
TEST(GroupLoading, AHiddenGroupIsListedButNotWritten) {
  std::vector<GroupRecord> groups(2);
  groups[0].Data.Title = "Shown";
  groups[1].Data.Title = "Hidden";
  groups[1].Data.Visible = false;
  IniFile ini = IniFile::FromBytes("[Groups]\r\nStale=C:\\\r\n");
  IniFile gpf = IniFile::FromBytes("");
  WriteBarDocuments(ini, gpf, BarSettings{}, TweakFlags{}, ShellWindowStates{}, groups);
  const IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_FALSE(back.SectionExists("Application Config"));  // only with ReLoadSet
  EXPECT_EQ(ReadGroupNames(back), (std::vector<std::string>{"Shown", "Hidden"}));
  EXPECT_EQ(IniFile::FromBytes(gpf.ToBytes()).ReadSections(), (std::vector<std::string>{"Groups", "Shown"}));
}

// Listed names without a group: dropped after a clean read of the group file, so that the list
// does not drift; kept when the file could not be read cleanly, so that a damaged or locked
// file does not cost the list.
TEST(BarSave, ListedNamesWithoutAGroupStayOnlyWhenTheGroupFileWasNotReadCleanly) {
  const std::vector<std::string> names = {"Tools", "Web", "Mail"};
  const char* web = "[Web]\r\nPanel Style=1\r\nTitle Text=Web\r\n";
  IniFile clean = IniFile::FromBytes(web);
  EXPECT_TRUE(LoadGroups(clean, 3, names, kQuickLaunch, TableFolder{}).Unread.empty());
  IniFile damaged = IniFile::FromBytes(std::string(web) + "[Mail]\r\nTitle Text=\x81\r\n");
  IniFile missing(WENDLIX_TEST_DATA "/no such folder/Wendlix.GPF");
  IniFile empty = IniFile::FromBytes("");
  EXPECT_EQ(LoadGroups(damaged, 3, names, kQuickLaunch, TableFolder{}).Unread,
            (std::vector<std::string>{"Tools"}));
  EXPECT_EQ(LoadGroups(missing, 3, names, kQuickLaunch, TableFolder{}).Unread, names);
  EXPECT_EQ(LoadGroups(empty, 3, names, kQuickLaunch, TableFolder{}).Unread, names);

  // What was kept is written back after the groups, unless a group has its title now.
  std::vector<GroupRecord> groups(2);
  groups[0].Data.Title = "Web";
  groups[1].Data.Title = "MAIL";  // made since, under the name of an unread one
  IniFile ini = IniFile::FromBytes("");
  IniFile gpf = IniFile::FromBytes("");
  WriteBarDocuments(ini, gpf, BarSettings{}, TweakFlags{}, ShellWindowStates{}, groups,
                    {{"Tools", "D:\\Tools\\"}, {"Mail", ""}});
  const IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_EQ(ReadGroupNames(back), (std::vector<std::string>{"Web", "MAIL", "Tools"}));
  EXPECT_EQ(back.ReadString("Groups", "Tools", ""), "D:\\Tools\\");
  EXPECT_EQ(back.ReadInteger("Wendlix V3.0", "Groups", -1), 3);
}

TEST(BarSave, ReLoadSetAddsTheApplicationConfigSection) {
  IniFile ini = IniFile::FromBytes("");
  IniFile gpf = IniFile::FromBytes("");
  BarSettings settings;
  settings.ReLoadSet = true;
  WriteBarDocuments(ini, gpf, settings, TweakFlags{false, false, true}, ShellWindowStates{}, {});
  const IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_EQ(back.ReadSections(), (std::vector<std::string>{"Wendlix V3.0", "Application Config"}));
  EXPECT_EQ(back.ReadInteger("Wendlix V3.0", "Groups", -1), 0);
  EXPECT_FALSE(back.ReadBool("Application Config", "CanShutDown", true));
  EXPECT_FALSE(gpf.Modified());
}

}  // namespace
}  // namespace wendlix
