#include "core/bar/interaction/group_visibility.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

// Each group: visible, collapsed into a button.
std::vector<GroupPanel> Groups(std::initializer_list<std::pair<bool, bool>> flags) {
  std::vector<GroupPanel> groups;
  for (auto [visible, collapsed] : flags) {
    GroupPanel g;
    g.Tag = static_cast<int>(groups.size());
    g.Data.Visible = visible;
    g.Data.ShowAsButton = collapsed;
    g.Visible = g.Band.Visible = g.MenuItem.Checked = visible && !collapsed;
    groups.push_back(g);
  }
  return groups;
}

TEST(GroupVisibility, DoubleClickCollapsesAllButTheLastBand) {
  auto groups = Groups({{true, false}, {true, false}, {false, false}, {true, true}});
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 2));  // hidden: no band to click
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 3));  // already a button
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 9));
  ASSERT_TRUE(CollapseGroupIntoButton(groups, 0));
  EXPECT_TRUE(groups[0].Data.ShowAsButton && groups[0].Data.Visible);
  EXPECT_FALSE(groups[0].Band.Visible || groups[0].Visible || groups[0].MenuItem.Checked);
  // Group 1 is now the only band.
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 1));
  EXPECT_FALSE(groups[1].Data.ShowAsButton);
}

TEST(GroupVisibility, GroupsMenuNeverHidesTheLastVisibleGroup) {
  using E = GroupMenuClick::Effect;
  auto groups = Groups({{true, false}, {false, false}, {true, false}});
  std::swap(groups[0], groups[2]);  // found by Tag, not by position
  EXPECT_EQ(ToggleGroupFromMenu(groups, 1), (GroupMenuClick{E::kShown, 1}));
  EXPECT_TRUE(groups[1].Data.Visible && groups[1].MenuItem.Checked);
  EXPECT_EQ(ToggleGroupFromMenu(groups, 0), (GroupMenuClick{E::kHidden, 2}));
  EXPECT_EQ(ToggleGroupFromMenu(groups, 2), (GroupMenuClick{E::kHidden, 0}));
  EXPECT_FALSE(groups[0].Data.Visible || groups[0].MenuItem.Checked);
  // Group 1 is the last visible one: it stays, and so does its check mark.
  EXPECT_EQ(ToggleGroupFromMenu(groups, 1), GroupMenuClick{});
  EXPECT_TRUE(groups[1].Data.Visible && groups[1].MenuItem.Checked);
  EXPECT_EQ(ToggleGroupFromMenu(groups, 7), GroupMenuClick{});
  // A group collapsed into a button counts as visible, so the last band may go.
  auto withButton = Groups({{true, false}, {true, true}});
  EXPECT_EQ(ToggleGroupFromMenu(withButton, 0), (GroupMenuClick{E::kHidden, 0}));
  // The collapsed group's entry is unchecked: choosing it opens the group out into a band.
  withButton[1].MenuItem.Checked = false;
  EXPECT_EQ(ToggleGroupFromMenu(withButton, 1), (GroupMenuClick{E::kShown, 1}));
  EXPECT_FALSE(withButton[1].Data.ShowAsButton);
  EXPECT_EQ(VisibleBandCount(withButton), 1);
}

}  // namespace
}  // namespace wendlix
