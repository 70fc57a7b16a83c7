#include "core/bar_menu/bar_menu.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

std::vector<std::string> Names(const std::vector<MenuItem>& items) {
  std::vector<std::string> names;
  for (const MenuItem& i : items) names.push_back(i.Name);
  return names;
}

TEST(BarMenu, ItemsInMenuOrderWithoutTheCompanionPrograms) {
  const MenuModel menu = BuildMainPMenu({{"程序", 0, true}, {"R&D", 1, false}});
  EXPECT_EQ(menu.Title, kMainMenuTitle);
  EXPECT_EQ(Names(menu.Items),
            (std::vector<std::string>{"Autohide1", "N31", "PositionMenu", "N1", "ShowMenuBar", "N26", "S1",
                                      "N32", "G1", "Q1", "N62", "AboutN", "H2", "N2", "N4"}));
  EXPECT_EQ(Names(menu.Find("S1")->Children),
            (std::vector<std::string>{"A1", "M1", "N18", "LiveFolders1", "N0", "H3", "S6", "HotKeySep",
                                      "HotKey1"}));
  EXPECT_EQ(MainMenuActionOf(*menu.Find("HotKey1")), MainMenuAction::kHotKey);
  // Tags select what the shared handlers do; images index the bar's image list.
  std::string tagsAndImages;
  auto walk = [&](auto& self, const std::vector<MenuItem>& items) -> void {
    for (const MenuItem& i : items) {
      if ((i.Tag || i.ImageIndex >= 0) && !i.Name.starts_with("N40.") && !i.Name.starts_with("ShowMenuBar."))
        tagsAndImages += i.Name + ":" + std::to_string(i.Tag) + ":" + std::to_string(i.ImageIndex) + " ";
      self(self, i.Children);
    }
  };
  walk(walk, menu.Items);
  EXPECT_EQ(
      tagsAndImages,
      "PositionRight:2:-1 PositionTop:1:-1 PositionBottom:3:-1 S1:0:4 A1:1:-1 M1:2:-1 N18:3:-1 LiveFolders1:4:-1 "
      "N20:11:-1 N21:12:-1 N22:13:-1 N23:21:-1 N24:22:-1 N25:23:-1 G1:0:5 D4:1:11 P2:2:10 "
      "Quick1:3:9 N27:4:12 Q2:5:13 N42:0:14 AboutN:0:23 H2:0:7 N4:0:6 ");
  EXPECT_EQ(menu.Find("PositionLeft")->Caption, "显示在左侧(&L)");
  EXPECT_EQ(menu.Find("N18")->Caption, "按钮显示为下划线(&D)");

  // Quick create: five folders, seven collections (image 0), fourteen more (image 15).
  const MenuItem& q1 = *menu.Find("Q1");
  int collections = 0, more = 0;
  for (const MenuItem& i : q1.Children) collections += MainMenuActionOf(i) == MainMenuAction::kQuickSites;
  for (const MenuItem& i : menu.Find("N42")->Children) {
    if (MainMenuActionOf(i) == MainMenuAction::kQuickSites) {
      ++more;
      EXPECT_EQ(i.ImageIndex, 15) << i.Caption;
    }
  }
  EXPECT_EQ(collections, 7);
  EXPECT_EQ(more, 14);
  EXPECT_EQ(q1.Children[6].Caption, "精品网址集");
  EXPECT_EQ(q1.Children[6].ImageIndex, 0);
  EXPECT_EQ(menu.Find("N42")->Children.back().Name, "N61");

  // The groups list: band Tags, check marks, a "&" in a title shown as it is.
  const MenuItem& groups = *menu.Find("ShowMenuBar");
  ASSERT_EQ(groups.Children.size(), 2u);
  EXPECT_EQ(groups.Children[1].Caption, "R&&D");
  EXPECT_EQ(groups.Children[1].Tag, 1);
  EXPECT_FALSE(groups.Children[1].Checked);
  EXPECT_EQ(MainMenuActionOf(groups.Children[0]), MainMenuAction::kGroupVisible);
}

TEST(BarMenu, EveryItemThatCanBeChosenHasAHandlerAndAnId) {
  MenuModel menu = BuildMainPMenu({{"a", 0, true}});
  menu.RenumberCommandIds();
  int commands = 0;
  auto walk = [&](auto& self, const std::vector<MenuItem>& items) -> void {
    for (const MenuItem& i : items) {
      if (i.IsCommand()) {
        ++commands;
        EXPECT_NE(MainMenuActionOf(i), MainMenuAction::kNone) << i.Name << " " << i.Caption;
        EXPECT_NE(i.CommandId, 0u) << i.Name;
      }
      self(self, i.Children);
    }
  };
  walk(walk, menu.Items);
  EXPECT_EQ(commands, 1 + 4 + 1 + 4 + 6 + 1 + 1 + 5 + 7 + 14 + 1 + 3);  // the hotkey: the 1 after 6
  EXPECT_EQ(MainMenuActionOf(*menu.Find("N61")), MainMenuAction::kHelp);
  EXPECT_EQ(MainMenuActionOf(*menu.Find("Q2")), MainMenuAction::kQuickFolder);

  // No groups: one disabled entry that runs nothing, and it must not take band 0's mark.
  SetGroupEntries(menu, {});
  MenuItem& only = menu.Find("ShowMenuBar")->Children.at(0);
  EXPECT_FALSE(only.Enabled);
  EXPECT_EQ(MainMenuActionOf(only), MainMenuAction::kNone);
  MainPMenuPopup(menu, BarSettings{}, {{0, true}});
  EXPECT_FALSE(only.Checked);
}

TEST(BarMenu, PopupMarksSettingsAndSpeedBands) {
  MenuModel menu = BuildMainPMenu({{"a", 0, true}, {"b", 1, true}, {"c", 2, false}});
  auto checked = [&](const char* name) { return menu.Find(name)->Checked; };

  struct Speed {
    int interval, delay;
    const char* slide;
    const char* activate;
  } speeds[] = {
      {59, 799, "N20", "N23"},   {60, 800, "N21", "N24"}, {100, 1500, "N21", "N24"},
      {101, 1501, "N22", "N25"}, {-5, 0, "N20", "N23"},   {130, 3000, "N22", "N25"},
  };
  for (const Speed& s : speeds) {
    BarSettings settings;
    settings.AppBar.AutoHideInterval = s.interval;
    settings.AppBar.ActiveDelay = s.delay;
    MainPMenuPopup(menu, settings, {});
    for (const char* name : {"N20", "N21", "N22"})
      EXPECT_EQ(checked(name), std::string(name) == s.slide) << s.interval << " " << name;
    for (const char* name : {"N23", "N24", "N25"})
      EXPECT_EQ(checked(name), std::string(name) == s.activate) << s.delay << " " << name;
  }

  BarSettings settings;
  settings.AutoRun = false;
  settings.FlatDrawMode = true;
  settings.AppBar.AutoHide = true;
  settings.AppBar.ActivateByMouseDown = true;
  settings.LiveFolders = false;
  // Bands come in band order, matched to entries by Tag; a band without an entry is ignored.
  MainPMenuPopup(menu, settings, {{2, true}, {0, false}, {7, false}});
  EXPECT_TRUE(checked("Autohide1"));
  EXPECT_FALSE(checked("A1"));
  EXPECT_TRUE(checked("M1"));
  EXPECT_FALSE(checked("N18"));  // marked when buttons are underlined, i.e. flat drawing is off
  EXPECT_FALSE(checked("LiveFolders1"));
  const std::vector<MenuItem>& groups = menu.Find("ShowMenuBar")->Children;
  EXPECT_FALSE(groups[0].Checked);
  EXPECT_TRUE(groups[1].Checked);  // no band given: unchanged
  EXPECT_TRUE(groups[2].Checked);

  settings.FlatDrawMode = false;
  settings.AppBar.AutoHide = false;
  settings.LiveFolders = true;
  MainPMenuPopup(menu, settings, {});
  EXPECT_TRUE(checked("N18"));
  EXPECT_FALSE(checked("Autohide1"));
  EXPECT_TRUE(checked("LiveFolders1"));
}

TEST(BarMenu, SettingsCommandsChangeOnlyTheirOwnValue) {
  const BarSettings base;
  struct Case {
    int tag;
    bool relayout;
    void (*expect)(BarSettings&);
  } cases[] = {
      {1, false, [](BarSettings& s) { s.AutoRun = !s.AutoRun; }},
      {2, false, [](BarSettings& s) { s.AppBar.ActivateByMouseDown = !s.AppBar.ActivateByMouseDown; }},
      {3, true, [](BarSettings& s) { s.FlatDrawMode = !s.FlatDrawMode; }},
      {4, true, [](BarSettings& s) { s.LiveFolders = !s.LiveFolders; }},
      {11, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 10; }},
      {12, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 60; }},
      {13, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 130; }},
      {21, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 100; }},
      {22, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 800; }},
      {23, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 3000; }},
      {0, false, [](BarSettings&) {}},
      {14, false, [](BarSettings&) {}},
      {-1, false, [](BarSettings&) {}},
  };
  for (const Case& c : cases) {
    BarSettings actual = base, expected = base;
    actual.AppBar.ActiveDelay = expected.AppBar.ActiveDelay = 1234;  // so that 800 is a change
    actual.AppBar.AutoHideInterval = expected.AppBar.AutoHideInterval = 77;
    EXPECT_EQ(A1Click(c.tag, actual), c.relayout) << c.tag;
    c.expect(expected);
    EXPECT_EQ(actual, expected) << "tag " << c.tag;
  }
  // Toggles toggle back.
  BarSettings s;
  A1Click(1, s);
  A1Click(1, s);
  EXPECT_EQ(s, base);
}

TEST(BarMenu, AutoHideToggleKeepsTheBarOnTopBothWays) {
  AppBarProps p;
  p.AutoHide = true;
  p.AlwaysOnTop = false;
  EXPECT_FALSE(AutoHide1Click(p));
  EXPECT_FALSE(p.AutoHide);
  EXPECT_TRUE(p.AlwaysOnTop);
  p.AlwaysOnTop = false;
  EXPECT_TRUE(AutoHide1Click(p));
  EXPECT_TRUE(p.AutoHide && p.AlwaysOnTop);
}

TEST(BarMenu, MovingToAnotherEdgeKeepsTheThickness) {
  struct Case {
    int width, height, from, to;
    Point point;
    int thickness;
  } cases[] = {
      {60, 700, abeRight, abeTop, {60, 700}, 60},   // vertical 60 wide -> 60 high
      {60, 700, abeRight, abeLeft, {700, 60}, 60},  // other vertical edge: still 60 wide
      {60, 700, abeLeft, abeBottom, {60, 700}, 60},
      {1024, 40, abeTop, abeBottom, {40, 1024}, 40},    // horizontal stays 40 high
      {1024, 40, abeBottom, abeRight, {1024, 40}, 40},  // -> 40 wide
      {1024, 40, abeTop, abeTop, {40, 1024}, 40},
      {86, 300, abeFloat, abeTop, {300, 86}, 300},  // a floating bar counts as horizontal
      {86, 300, abeFloat, abeLeft, {86, 300}, 300},
      {86, 300, abeUnknown, abeRight, {86, 300}, 300},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EdgeChangePopupPoint(c.width, c.height, c.from, c.to), c.point) << c.from << "->" << c.to;
    EXPECT_EQ(ThicknessAfterEdgeChange(c.width, c.height, c.from, c.to), c.thickness)
        << c.from << "->" << c.to;
  }
}

}  // namespace
}  // namespace wendlix
