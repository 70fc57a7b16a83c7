#include "core/bar/group_visibility.h"

#include <gtest/gtest.h>

#include <string>

namespace wendlix {
namespace {

// One letter a group, in band order: 'B' a band, 'b' a button of PanelBtn, '-' hidden; built as
// start-up builds them.
std::vector<GroupPanel> Groups(std::string_view states) {
  std::vector<GroupPanel> groups;
  for (char c : states) {
    GroupRecord r;
    r.Data.Visible = c != '-';
    r.Data.ShowAsButton = c == 'b';
    groups.push_back(PanelFromRecord(r, static_cast<int>(groups.size())));
  }
  return groups;
}

std::string States(const std::vector<GroupPanel>& groups) {
  std::string s;
  for (const GroupPanel& g : groups) s += !g.Data.Visible ? '-' : g.Data.ShowAsButton ? 'b' : 'B';
  return s;
}

TEST(GroupVisibility, DoubleClickCollapsesAllButTheLastBand) {
  auto groups = Groups("BB-b");
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 2));  // hidden: no band to click
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 3));  // already a button
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 9));
  ASSERT_TRUE(CollapseGroupIntoButton(groups, 0));
  EXPECT_EQ(States(groups), "bB-b");
  EXPECT_FALSE(CollapseGroupIntoButton(groups, 1));  // now the only band
  EXPECT_EQ(States(groups), "bB-b");
}

// The groups list acts on what the groups are, whichever command made them so: the buttons
// menu's hide and show-as-button change the record alone, as a double click or the list do.
TEST(GroupVisibility, GroupsListTogglesFromTheGroupsRealState) {
  using E = GroupMenuClick::Effect;
  struct Case {
    const char* start;
    const char* steps;  // H hide, N show as button, D double click, M the list's entry; then the group
    const char* end;
    GroupMenuClick::Effect last;  // of the last click on the list
  };
  const Case cases[] = {
      {"BBB", "H0 M0", "BBB", E::kShown},  // hidden with more bands: the first click shows it
      {"BB", "H0 M0", "BB", E::kShown},    // hidden beside one other band: it comes back
      {"BB", "N0 M0", "BB", E::kShown},    // a button of PanelBtn opens out into a band
      {"BBB", "D1 M1", "BBB", E::kShown},       {"BB", "M0", "-B", E::kHidden},
      {"BB", "M0 M0", "BB", E::kShown},         {"-B", "M1", "-B", E::kNone},  // the last visible group stays
      {"Bb", "M0", "-b", E::kHidden},  // a group in PanelBtn is visible: the last band may go
      {"B-b", "M2 M1 H2 M2", "BBB", E::kShown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + ": " + c.steps);
    auto groups = Groups(c.start);
    GroupMenuClick click;
    for (std::string_view steps = c.steps; !steps.empty();) {
      const std::size_t g = static_cast<std::size_t>(steps[1] - '0');
      switch (steps[0]) {
        case 'H': groups[g].Data.Visible = false; break;
        case 'N': groups[g].Data.ShowAsButton = !groups[g].Data.ShowAsButton; break;
        case 'D': CollapseGroupIntoButton(groups, g); break;
        default: click = ToggleGroupFromMenu(groups, static_cast<int>(g)); break;
      }
      steps.remove_prefix(std::min<std::size_t>(3, steps.size()));
    }
    EXPECT_EQ(States(groups), c.end);
    EXPECT_EQ(click.Result, c.last);
  }
  // Found by Tag, not by place; an unknown Tag does nothing.
  auto groups = Groups("-B");
  std::swap(groups[0], groups[1]);
  EXPECT_EQ(ToggleGroupFromMenu(groups, 0), (GroupMenuClick{E::kShown, 1}));
  EXPECT_EQ(ToggleGroupFromMenu(groups, 7), GroupMenuClick{});
}

}  // namespace
}  // namespace wendlix
