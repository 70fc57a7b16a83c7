#include "core/keyboard/keyboard_focus.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/filled_group.h"

namespace wendlix {
namespace {

FocusGroup Buttons(int group, std::vector<Point> corners) {
  FocusGroup g{group, {}};
  for (int i = 0; i < static_cast<int>(corners.size()); ++i)
    g.Buttons.push_back({{group, i}, MakeRect(corners[i].x, corners[i].y, 25, 25)});
  return g;
}

struct Step {
  BarFocus From;
  FocusMove Move;
  BarFocus To;
};

void ExpectSteps(const std::vector<FocusGroup>& bar, bool vertical, const std::vector<Step>& steps) {
  for (const Step& s : steps) {
    const BarFocus got = MoveFocus(bar, vertical, s.From, s.Move);
    EXPECT_EQ(got, s.To) << "from " << s.From.Group << "," << s.From.Button << " move "
                         << static_cast<int>(s.Move) << ": got " << got.Group << "," << got.Button;
  }
}

using M = FocusMove;

TEST(KeyboardFocus, VerticalBarRowsAndGroups) {
  // Band 0: rows of three and two; band 1 collapsed (no band); band 2: one row of two; band 3
  // shows no button; band 4: one button.
  const std::vector<FocusGroup> bar = {
      Buttons(0, {{1, 44}, {26, 44}, {51, 44}, {1, 69}, {26, 69}}),
      Buttons(2, {{1, 120}, {26, 120}}),
      Buttons(3, {}),
      Buttons(4, {{1, 200}}),
  };
  ExpectSteps(bar, true,
              {
                  {{}, M::kDown, {0, 0}},  // no focus: the first button
                  {{}, M::kUp, {0, 0}},
                  {{0, 9}, M::kRight, {0, 0}},  // a button gone since: as none
                  {{0, 1}, M::kDown, {0, 4}},   // the row below, straight down
                  {{0, 2}, M::kDown, {0, 4}},   // ... or the nearest across
                  {{0, 4}, M::kDown, {2, 1}},   // into the next group's first row
                  {{2, 1}, M::kDown, {4, 0}},   // over the group without buttons
                  {{4, 0}, M::kDown, {4, 0}},   // the bar's end keeps the place
                  {{2, 0}, M::kUp, {0, 3}},     // back into the last row of the group before
                  {{0, 1}, M::kUp, {0, 1}},
                  {{0, 2}, M::kRight, {0, 3}},  // across: the buttons in order, row to row
                  {{0, 4}, M::kRight, {2, 0}},
                  {{2, 0}, M::kLeft, {0, 4}},
                  {{0, 0}, M::kLeft, {0, 0}},
                  {{0, 3}, M::kNextGroup, {2, 0}},  // Tab: the next group's first button
                  {{2, 1}, M::kNextGroup, {4, 0}},
                  {{4, 0}, M::kNextGroup, {0, 0}},  // ... round to the first
                  {{0, 1}, M::kPreviousGroup, {4, 0}},
                  {{4, 0}, M::kPreviousGroup, {2, 0}},
                  {{}, M::kPreviousGroup, {4, 0}},
                  {{2, 1}, M::kFirst, {0, 0}},
                  {{}, M::kLast, {4, 0}},
              });
  EXPECT_TRUE(MoveFocus({}, true, {}, M::kDown).None());
  EXPECT_TRUE(MoveFocus({Buttons(1, {})}, true, {0, 0}, M::kNextGroup).None());
}

TEST(KeyboardFocus, HorizontalBarColumnsAndGroups) {
  // Band 0: two columns of two; band 1: one column of two.
  const std::vector<FocusGroup> bar = {
      Buttons(0, {{30, 1}, {30, 26}, {150, 1}, {150, 26}}),
      Buttons(1, {{400, 1}, {400, 26}}),
  };
  ExpectSteps(bar, false,
              {
                  {{0, 0}, M::kRight, {0, 2}},  // along the bar: the next column, same height
                  {{0, 1}, M::kRight, {0, 3}},
                  {{0, 3}, M::kRight, {1, 1}},  // into the next group
                  {{1, 0}, M::kLeft, {0, 2}},
                  {{0, 1}, M::kDown, {0, 2}},  // across: in order, on to the next column
                  {{0, 2}, M::kUp, {0, 1}},
                  {{1, 1}, M::kDown, {1, 1}},
                  {{0, 2}, M::kNextGroup, {1, 0}},
              });
}

TEST(KeyboardFocus, ReachesEveryButtonAClickReachesInTheBarsOrder) {
  // G0 overflows its band, G1 and G3 are collapsed into PanelBtn, G2 fits.
  std::vector<GroupPanel> groups;
  for (int g = 0; g < 4; ++g)
    groups.push_back(testing_support::FilledGroup("G" + std::to_string(g), g == 0 ? 9 : 2, 150, g));
  groups[1].Data.ShowAsButton = groups[3].Data.ShowAsButton = true;
  const auto name = [](BarFocus f) {  // b: button, o: overflow arrow, c: collapsed group
    return std::to_string(f.Group) + "," + std::to_string(f.Button) + "boc"[static_cast<int>(f.Kind)];
  };
  for (const auto& [edge, client, expected] : {
           std::tuple{abeRight, Size{86, 400}, "0,0b 0,1b 0,2b 0,3b 0,4b 0,9o 2,0b 2,1b 1,0c 3,1c"},
           std::tuple{abeTop, Size{700, 70}, "0,0b 0,1b 0,2b 0,9o 2,0b 2,1b 1,0c 3,1c"},
       }) {
    const BarView view = ArrangeBar(groups, edge, client, true);
    const std::vector<FocusGroup> focus = FocusableButtons(view, groups);
    // What the keyboard focuses is what a click at its middle would hit.
    for (const FocusGroup& fg : focus) {
      for (const FocusButton& b : fg.Buttons) {
        const Point mid{(b.Bounds.left + b.Bounds.right) / 2, (b.Bounds.top + b.Bounds.bottom) / 2};
        EXPECT_EQ(HitTestBar(view, groups, mid), FocusHit(b.Focus)) << edge << " " << name(b.Focus);
      }
    }
    // The arrow across the bar walks every stop in order, one a press.
    BarFocus f = MoveFocus(focus, view.CoolBarVertical, {}, M::kFirst);
    std::string walked = name(f);
    const FocusMove across = view.CoolBarVertical ? M::kRight : M::kDown;
    for (BarFocus next; (next = MoveFocus(focus, view.CoolBarVertical, f, across)) != f; f = next)
      walked += " " + name(next);
    EXPECT_EQ(walked, expected) << edge;
    // Tab: from the last band to PanelBtn, and round.
    EXPECT_EQ(name(MoveFocus(focus, view.CoolBarVertical, {2, 1}, M::kNextGroup)), "1,0c");
    EXPECT_EQ(name(MoveFocus(focus, view.CoolBarVertical, f, M::kNextGroup)), "0,0b");
  }
}

TEST(KeyboardFocus, KeysWhileTheBarHasTheFocus) {
  using K = BarKeyAction::Kind;
  struct Case {
    unsigned Vk;
    bool Shift;
    BarKeyAction Expected;
  };
  const Case cases[] = {
      {0x25, false, {K::kMove, M::kLeft}},
      {0x28, false, {K::kMove, M::kDown}},
      {0x09, false, {K::kMove, M::kNextGroup}},
      {0x09, true, {K::kMove, M::kPreviousGroup}},
      {0x0D, false, {K::kActivate}},
      {0x5D, false, {K::kButtonMenu}},
      {0x79, true, {K::kButtonMenu}},
      {0x79, false, {}},  // F10 alone is the system's
      {0x1B, false, {K::kGiveBack}},
      {'A', false, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(BarKeyFor(c.Vk, c.Shift), c.Expected) << c.Vk;
}

}  // namespace
}  // namespace wendlix
