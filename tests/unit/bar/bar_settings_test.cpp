#include "core/bar/bar_settings.h"

#include <gtest/gtest.h>

#include "core/bar/bar_save.h"
#include "core/bar/config_location.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

TEST(BarSettings, ReadsStoredValuesAndFallsBackOnMissingOrBadOnes) {
  // No file: the defaults (pinned by the written bytes below), the window's own height.
  const IniFile none = IniFile::FromBytes("");
  BarSettings expected;
  expected.Height = 730;
  EXPECT_EQ(ReadBarSettings(none, 730), expected);
  EXPECT_TRUE(ReadGroupNames(none).empty());

  const IniFile ini = IniFile::FromBytes(
      "[wendlix v3.0]\r\nAutoRun=0\r\nReLoadSet=1\r\nAutoHide=0\r\nAlwaysOnTop=0\r\nEdge=0\r\n"
      "ActivateByMouseDown=1\r\nGroups=4\r\nActive Delay=$10\r\nWidth=abc\r\nHeight=12x\r\n"
      "Flat Draw=0\r\nAutoHideInterval=-5\r\nLiveFolders=0\r\n"
      "[Groups]\r\nZeta=C:\\z\r\nalpha=C:\\a\r\n");
  // Width and Height are not numbers: defaults.
  expected = {.AutoRun = false,
              .ReLoadSet = true,
              .AppBar = {.Edge = abeLeft,
                         .AutoHide = false,
                         .AlwaysOnTop = false,
                         .ActivateByMouseDown = true,
                         .ActiveDelay = 16,
                         .AutoHideInterval = -5},
              .Groups = 4,
              .Height = 500,
              .FlatDrawMode = false,
              .Monitor = {},
              .LiveFolders = false};
  EXPECT_EQ(ReadBarSettings(ini, 500), expected);
  EXPECT_EQ(ReadGroupNames(ini), (std::vector<std::string>{"Zeta", "alpha"}));  // file order, not sorted

  // The bar docks to the four edges only.
  for (const char* edge : {"4", "5", "-1", "99"}) {
    const IniFile bad = IniFile::FromBytes(std::string("[Wendlix V3.0]\r\nEdge=") + edge + "\r\n");
    EXPECT_EQ(ReadBarSettings(bad, 0).AppBar.Edge, abeRight) << edge;
  }
}

TEST(BarSettings, WritesKeysInCloseOrder) {
  IniFile ini = IniFile::FromBytes("");
  BarSettings s;
  s.Height = 738;
  WriteBarSettings(ini, s, 3);
  EXPECT_EQ(ini.ToBytes(),
            "[Wendlix V3.0]\r\nAutoHide=1\r\nReLoadSet=0\r\nAutoRun=1\r\nAlwaysOnTop=1\r\n"
            "ActivateByMouseDown=0\r\nFlat Draw=1\r\nGroups=3\r\nActive Delay=800\r\nWidth=86\r\n"
            "Height=738\r\nEdge=2\r\nAutoHideInterval=60\r\nLiveFolders=1\r\n");

  // Each value goes under its own key: flip them one at a time and read back.
  for (int flip = 0; flip < 6; ++flip) {
    BarSettings t;
    t.AutoRun = flip != 0;
    t.ReLoadSet = flip == 1;
    t.AppBar = {flip == 2 ? abeTop : abeLeft, flip != 3, flip != 4, flip == 5, 100 + flip, 10 + flip};
    t.Width = 50 + flip;
    t.Height = 40 + flip;
    t.FlatDrawMode = flip % 2 == 0;
    t.LiveFolders = flip % 2 == 1;
    IniFile out = IniFile::FromBytes("");
    WriteBarSettings(out, t, 7);
    BarSettings back = ReadBarSettings(IniFile::FromBytes(out.ToBytes()), 0);
    EXPECT_EQ(back.Groups, 7);
    back.Groups = t.Groups;
    EXPECT_EQ(back, t) << flip;
  }
}

TEST(BarSettings, AppearanceIsStoredOnlyOnceChosenAndBadValuesFollowTheSystem) {
  using A = AppearanceChoice;
  for (const auto& [text, want] :
       {std::pair{"1", A::kLight}, std::pair{"2", A::kDark}, std::pair{"0", A::kFollowSystem},
        std::pair{"3", A::kFollowSystem}, std::pair{"dark", A::kFollowSystem}}) {
    const IniFile ini = IniFile::FromBytes(std::string("[Wendlix V3.0]\r\nAppearance=") + text + "\r\n");
    EXPECT_EQ(ReadBarSettings(ini, 0).Appearance, want) << text;
  }
  // Following the system again takes the key away: the file is as if it had never been chosen.
  IniFile ini = IniFile::FromBytes("");
  BarSettings s;
  s.Appearance = A::kDark;
  WriteBarSettings(ini, s, 0);
  EXPECT_EQ(ReadBarSettings(IniFile::FromBytes(ini.ToBytes()), 0).Appearance, A::kDark);
  s.Appearance = A::kFollowSystem;
  WriteBarSettings(ini, s, 0);
  IniFile fresh = IniFile::FromBytes("");
  WriteBarSettings(fresh, s, 0);
  EXPECT_EQ(ini.ToBytes(), fresh.ToBytes());
}

TEST(BarSettings, DockSizeFollowsTheEdge) {
  struct Case {
    int edge, expected;
  } cases[] = {
      {abeLeft, 86},    {abeRight, 86}, {abeTop, 700}, {abeBottom, 700},
      {abeUnknown, 35}, {abeFloat, 35}, {-3, 35},
  };
  for (const Case& c : cases) EXPECT_EQ(DockSizeFor(c.edge, 86, 700), c.expected) << c.edge;
}

TEST(ConfigLocation, RegistryValueThenProgramFolderThenUserFolder) {
  const std::string exe = "C:\\Program Files\\Wendlix\\Wendlix.exe";
  // A stored path wins, wherever it points.
  ConfigLocation loc =
      ChooseConfigLocation(std::string("D:\\cfg\\mine"), exe, false, "C:\\Users\\u\\AppData\\Roaming");
  EXPECT_EQ(loc.ConfigBase, "D:\\cfg\\mine");
  EXPECT_TRUE(loc.CreateFolder.empty());
  EXPECT_TRUE(loc.CopyGroupFileFrom.empty());
  // An empty stored value is no path.
  loc = ChooseConfigLocation(std::string(), exe, true, "C:\\Users\\u\\AppData\\Roaming");
  EXPECT_EQ(loc.ConfigBase, "C:\\Program Files\\Wendlix\\Wendlix");
  EXPECT_TRUE(loc.CopyGroupFileFrom.empty());
  // A read-only program folder sends the files to the user's folder, with the shipped groups.
  loc = ChooseConfigLocation(std::nullopt, exe, false, "C:\\Users\\u\\AppData\\Roaming\\");
  EXPECT_EQ(loc.ConfigBase, "C:\\Users\\u\\AppData\\Roaming\\Wendlix\\Wendlix");
  EXPECT_EQ(loc.CreateFolder, "C:\\Users\\u\\AppData\\Roaming\\Wendlix");
  EXPECT_EQ(loc.CopyGroupFileFrom, "C:\\Program Files\\Wendlix\\Wendlix.GPF");
  EXPECT_EQ(SettingsFileName(loc.ConfigBase), "C:\\Users\\u\\AppData\\Roaming\\Wendlix\\Wendlix.INI");
  // A renamed program keeps its own files.
  loc = ChooseConfigLocation(std::nullopt, "Z:\\tmp\\bar.v2.exe", true, "");
  EXPECT_EQ(loc.ConfigBase, "Z:\\tmp\\bar.v2");

  EXPECT_EQ(QuoteCommandPath("C:\\Program Files\\W\\W.exe"), "\"C:\\Program Files\\W\\W.exe\"");
  EXPECT_EQ(QuoteCommandPath("Z:\\tmp\\W.exe"), "Z:\\tmp\\W.exe");
}

}  // namespace
}  // namespace wendlix
