#include "core/launch/launch_menus.h"

#include <gtest/gtest.h>

#include "core/bar/group_layout.h"
#include "core/launch/launch_decision.h"
#include "support/table_folder.h"

namespace wendlix {

void PrintTo(const LaunchMenuItem& i, std::ostream* os) {
  *os << "{" << i.Caption << " | " << i.Hint << " | " << i.ImageIndex << (i.SystemIcon ? " sys" : "") << " | "
      << i.Tag << (i.HasPlaceholder ? " (空)" : "") << "}";
}

namespace {

using E = ShortcutFolder::Entry;
using testing_support::TableFolder;

LaunchMenuItem Sys(std::string caption, std::string hint, bool submenu = false) {
  return {std::move(caption), std::move(hint), -1, true, submenu ? kSubmenuTag : 0, submenu};
}
LaunchMenuItem Fixed(std::string caption, std::string hint, int image) {
  return {std::move(caption), std::move(hint), image, false, 0, false};
}

TEST(LaunchMenus, FolderMenuItems) {
  TableFolder disk;
  disk.listings["D:\\Apps\\"] = {"工具", "Empty", "Links.lnk", "b.c.lnk", "Old.pif"};
  // A folder with shortcuts but a shortcut's name opens as a file, it is no submenu.
  disk.entries = {{"D:\\Apps\\工具", E::kFolderWithShortcuts},
                  {"D:\\Apps\\Empty", E::kFolder},
                  {"D:\\Apps\\Links.lnk", E::kFolderWithShortcuts}};
  const std::vector<LaunchMenuItem> expected = {
      Sys("工具", "D:\\Apps\\工具", true), Sys("Empty", "D:\\Apps\\Empty"),
      Sys("Links", "D:\\Apps\\Links.lnk"), Sys("b.c", "D:\\Apps\\b.c.lnk"), Sys("Old", "D:\\Apps\\Old.pif")};
  // The folder with or without its backslash (a submenu item's Hint has none).
  EXPECT_EQ(FolderMenuItems("D:\\Apps\\", disk), expected);
  EXPECT_EQ(FolderMenuItems("D:\\Apps", disk), expected);
  EXPECT_TRUE(FolderMenuItems("D:\\Missing", disk).empty());
  // Opening the submenu item fills it from that same folder.
  const LaunchRequest fill = DecideLaunch(MenuItemSender{expected[0].Hint, expected[0].Tag, 1});
  EXPECT_EQ(FolderMenuItems(fill.File, {"x.lnk"}, disk), (std::vector{Sys("x", "D:\\Apps\\工具\\x.lnk")}));
}

GroupPanel Group(std::uint16_t kind, int tag, int buttons) {
  GroupPanel g;
  g.Data.PanelStyle = kind;
  g.Tag = tag;
  g.Width = 200;
  g.Height = 100;
  for (int i = 0; i < buttons; ++i)
    AddGroupButton(g, "b" + std::to_string(i), kind == gkShortcut && i == 1, "T" + std::to_string(i));
  AddCollapseButton(g);
  return g;
}

TEST(LaunchMenus, CollapseMenuListsExactlyTheHiddenButtons) {
  // On a top edge, 200 pixels wide with 120-pixel cells, four buttons fill the first
  // column and the next two fall past the panel's end.
  GroupPanel web = Group(gkWeb, 0, 6);
  LayoutGroup(web, abeTop, true);
  ASSERT_TRUE(web.Children.back().Visible);  // the arrow button shows
  EXPECT_EQ(CollapseMenuEntries(web),
            (std::vector{Fixed("b4", "T4", kWebMenuImage), Fixed("b5", "T5", kWebMenuImage)}));
  // Collapsed into a button, or hidden from the groups menu: every launch button.
  web.Data.ShowAsButton = true;
  EXPECT_EQ(CollapseMenuEntries(web).size(), 6u);
  web.Data.ShowAsButton = false;
  web.Data.Visible = false;
  EXPECT_EQ(CollapseMenuEntries(web).size(), 6u);
  // A shortcut group's folder button becomes a submenu; e-mail entries take image 1.
  GroupPanel links = Group(gkShortcut, 1, 3);
  links.Data.ShowAsButton = true;
  EXPECT_EQ(CollapseMenuEntries(links),
            (std::vector{Sys("b0", "T0"), Sys("b1", "T1", true), Sys("b2", "T2")}));
  links.Data.PanelStyle = gkEmail;
  EXPECT_EQ(CollapseMenuEntries(links)[1], Fixed("b1", "T1", kEmailMenuImage));
}

TEST(LaunchMenus, CollapseMenuFindsItsGroupByTag) {
  // Listed out of band order: groups are found by Tag, not by position.
  std::vector<GroupPanel> groups = {Group(gkEmail, 2, 0), Group(gkWeb, 0, 2), Group(gkShortcut, 1, 0)};
  groups[0].Children.clear();  // collapsed: its buttons were saved and dropped
  const std::pair<int, std::optional<CollapseMenuTarget>> cases[] = {
      {2000, CollapseMenuTarget{1, false}},  // a band's own arrow button never refills
      {4000, CollapseMenuTarget{1, false}},  // filled: more than one child
      {4001, CollapseMenuTarget{2, true}},   // only its collapse button
      {4002, CollapseMenuTarget{0, true}},   // no children at all
      {2003, std::nullopt},
      {1, std::nullopt},
  };
  for (const auto& [tag, expected] : cases) EXPECT_EQ(FindCollapseMenuGroup(groups, tag), expected) << tag;
}

}  // namespace
}  // namespace wendlix
