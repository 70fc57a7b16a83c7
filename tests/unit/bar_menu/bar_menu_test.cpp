#include "core/bar_menu/bar_menu.h"

#include <gtest/gtest.h>

#include "core/quick_create/quick_create.h"

namespace wendlix {
namespace {

TEST(BarMenu, QuickCreateAndTheGroupsList) {
  const MenuModel menu = BuildMainPMenu({{"程序", 0, true}, {"R&D", 1, false}});
  EXPECT_EQ(MainMenuActionOf(*menu.Find("HotKey1")), MainMenuAction::kHotKey);
  // Quick create: seven collections, fourteen more in their own sub-menu.
  int collections = 0, more = 0;
  for (const MenuItem& i : menu.Find("Q1")->Children)
    collections += MainMenuActionOf(i) == MainMenuAction::kQuickSites;
  for (const MenuItem& i : menu.Find("N42")->Children)
    more += MainMenuActionOf(i) == MainMenuAction::kQuickSites;
  EXPECT_EQ(collections, 7);
  EXPECT_EQ(more, 14);

  // The groups list: band Tags, check marks, a "&" in a title shown as it is.
  const MenuItem& groups = *menu.Find("ShowMenuBar");
  ASSERT_EQ(groups.Children.size(), 2u);
  EXPECT_EQ(groups.Children[1].Caption, "R&&D");
  EXPECT_EQ(groups.Children[1].Tag, 1);
  EXPECT_FALSE(groups.Children[1].Checked);
  EXPECT_EQ(MainMenuActionOf(groups.Children[0]), MainMenuAction::kGroupVisible);
}

TEST(BarMenu, BrowserBookmarksListEachProfileOrSayNoneWasFound) {
  MenuModel menu = BuildMainPMenu({});
  const auto items = [&] {
    std::vector<std::string> out;
    for (const MenuItem& i : menu.Find("Bookmarks1")->Children)
      out.push_back(i.Caption + "|" + std::to_string(i.Tag) + "|" + (i.Enabled ? "on" : "grey") + "|" +
                    std::to_string(static_cast<int>(MainMenuActionOf(i)) ==
                                   static_cast<int>(MainMenuAction::kQuickBookmarks)));
    return out;
  };
  EXPECT_EQ(items(), (std::vector<std::string>{std::string(kNoBrowserCaption) + "|0|grey|0"}));
  SetBookmarkProfiles(menu, {"Microsoft Edge - 工作", "Microsoft Edge - A&B", "Google Chrome"});
  EXPECT_EQ(items(), (std::vector<std::string>{"Microsoft Edge - 工作|0|on|1", "Microsoft Edge - A&&B|1|on|1",
                                               "Google Chrome|2|on|1"}));
}

TEST(BarMenu, EveryItemThatCanBeChosenHasAHandlerAndAnId) {
  MenuModel menu = BuildMainPMenu({{"a", 0, true}});
  menu.RenumberCommandIds();
  int commands = 0;
  auto walk = [&](auto& self, const std::vector<MenuItem>& items) -> void {
    for (const MenuItem& i : items) {
      // A greyed item (浏览器书签 with no browser found) runs nothing.
      if (i.IsCommand() && i.Enabled) {
        ++commands;
        EXPECT_NE(MainMenuActionOf(i), MainMenuAction::kNone) << i.Name << " " << i.Caption;
        EXPECT_NE(i.CommandId, 0u) << i.Name;
      }
      self(self, i.Children);
    }
  };
  walk(walk, menu.Items);
  EXPECT_EQ(commands, 1 + 4 + 1 + 4 + 6 + 3 + 1 + 1 + 5 + 7 + 14 + 1 + 3);  // the looks: 3, the hotkey: 1
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
  for (const auto& [choice, item] : {std::pair{AppearanceChoice::kFollowSystem, "AppearanceSystem"},
                                     std::pair{AppearanceChoice::kLight, "AppearanceLight"},
                                     std::pair{AppearanceChoice::kDark, "AppearanceDark"}}) {
    settings.Appearance = choice;
    MainPMenuPopup(menu, settings, {});
    for (const char* name : {"AppearanceSystem", "AppearanceLight", "AppearanceDark"})
      EXPECT_EQ(checked(name), std::string(name) == item) << item << " " << name;
  }
}

// Each settings item, chosen from the menu, changes its own value and nothing else.
TEST(BarMenu, SettingsItemsChangeOnlyTheirOwnValue) {
  const MenuModel menu = BuildMainPMenu({});
  const BarSettings base;
  struct Case {
    const char* item;  // or a Tag no item has
    int tag;
    bool relayout;
    void (*expect)(BarSettings&);
  } cases[] = {
      {"A1", 0, false, [](BarSettings& s) { s.AutoRun = !s.AutoRun; }},
      {"M1", 0, false, [](BarSettings& s) { s.AppBar.ActivateByMouseDown = !s.AppBar.ActivateByMouseDown; }},
      {"N18", 0, true, [](BarSettings& s) { s.FlatDrawMode = !s.FlatDrawMode; }},
      {"LiveFolders1", 0, true, [](BarSettings& s) { s.LiveFolders = !s.LiveFolders; }},
      {"N20", 0, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 10; }},
      {"N21", 0, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 60; }},
      {"N22", 0, false, [](BarSettings& s) { s.AppBar.AutoHideInterval = 130; }},
      {"N23", 0, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 100; }},
      {"N24", 0, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 800; }},
      {"N25", 0, false, [](BarSettings& s) { s.AppBar.ActiveDelay = 3000; }},
      {"AppearanceLight", 0, false, [](BarSettings& s) { s.Appearance = AppearanceChoice::kLight; }},
      {"AppearanceSystem", 0, false, [](BarSettings& s) { s.Appearance = AppearanceChoice::kFollowSystem; }},
      {nullptr, 0, false, [](BarSettings&) {}},
      {nullptr, 14, false, [](BarSettings&) {}},
      {nullptr, -1, false, [](BarSettings&) {}},
  };
  for (const Case& c : cases) {
    const int tag = c.item ? menu.Find(c.item)->Tag : c.tag;
    SCOPED_TRACE(c.item ? c.item : std::to_string(c.tag));
    BarSettings actual = base, expected = base;
    actual.AppBar.ActiveDelay = expected.AppBar.ActiveDelay = 1234;  // so that 800 is a change
    actual.AppBar.AutoHideInterval = expected.AppBar.AutoHideInterval = 77;
    actual.Appearance = expected.Appearance = AppearanceChoice::kDark;
    EXPECT_EQ(A1Click(tag, actual), c.relayout);
    c.expect(expected);
    EXPECT_EQ(actual, expected);
  }
  // The position items dock at their own edge; the quick-create items open their own folder.
  for (const auto& [item, edge] :
       {std::pair{"PositionLeft", abeLeft}, std::pair{"PositionTop", abeTop},
        std::pair{"PositionRight", abeRight}, std::pair{"PositionBottom", abeBottom}}) {
    EXPECT_EQ(MainMenuActionOf(*menu.Find(item)), MainMenuAction::kPosition) << item;
    EXPECT_EQ(menu.Find(item)->Tag, edge) << item;
  }
  using Q = QuickFolder;
  for (const auto& [item, folder] :
       {std::pair{"D4", Q::kDesktop}, std::pair{"P2", Q::kPrograms}, std::pair{"Quick1", Q::kQuickLaunch},
        std::pair{"N27", Q::kFavorites}, std::pair{"Q2", Q::kDrives}}) {
    EXPECT_EQ(QuickFolderOfTag(menu.Find(item)->Tag), folder) << item;
  }
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
      {60, 700, abeRight, abeTop, {60, 700}, 60},       // vertical 60 wide -> 60 high
      {60, 700, abeRight, abeLeft, {700, 60}, 60},      // other vertical edge: still 60 wide
      {1024, 40, abeTop, abeBottom, {40, 1024}, 40},    // horizontal stays 40 high
      {1024, 40, abeBottom, abeRight, {1024, 40}, 40},  // -> 40 wide
      {86, 300, abeFloat, abeTop, {300, 86}, 300},      // a floating bar counts as horizontal
      {86, 300, abeFloat, abeLeft, {86, 300}, 300},    {86, 300, abeUnknown, abeRight, {86, 300}, 300},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EdgeChangePopupPoint(c.width, c.height, c.from, c.to), c.point) << c.from << "->" << c.to;
    EXPECT_EQ(ThicknessAfterEdgeChange(c.width, c.height, c.from, c.to), c.thickness)
        << c.from << "->" << c.to;
  }
}

}  // namespace
}  // namespace wendlix
