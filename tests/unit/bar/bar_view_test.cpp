#include "core/bar/bar_view.h"

#include <gtest/gtest.h>

#include "core/bar/bar_texts.h"
#include "core/inspect/bar_report.h"
#include "support/filled_group.h"

namespace wendlix {
namespace {

GroupPanel Group(const std::string& title, int buttons, int length, std::uint16_t kind = gkShortcut) {
  GroupPanel p = testing_support::FilledGroup(title, buttons, length);
  p.Hint = title;
  p.Data.PanelStyle = kind;
  return p;
}

std::vector<GroupPanel> Groups(std::vector<GroupPanel> groups) {
  for (int i = 0; i < static_cast<int>(groups.size()); ++i) groups[i].Tag = i;
  return groups;
}

TEST(BandBar, StacksBandsAndGivesTheRestToTheLast) {
  const Rect area{0, 25, 86, 425};  // 400 long
  std::vector<BandSpec> specs{{true, true, 0, 100}, {false, true, 0, 100}, {true, false, 0, 50}};
  std::vector<BandPlace> v = LayoutBands(true, area, specs);
  EXPECT_EQ(v[0].Header, (Rect{0, 25, 86, 43}));
  EXPECT_EQ(v[0].Panel, (Rect{0, 43, 86, 143}));
  EXPECT_FALSE(v[1].Visible);
  // The grip-only header of the last band, then everything up to the area's end.
  EXPECT_EQ(v[2].Header, (Rect{0, 145, 86, 151}));
  EXPECT_EQ(v[2].Panel, (Rect{0, 151, 86, 425}));

  // Too long: the last band shrinks to its minimum first, then the one before it.
  specs = {{true, true, 0, 300}, {true, true, 0, 300}};
  v = LayoutBands(true, Rect{0, 0, 86, 300}, specs);
  EXPECT_EQ(v[1].Panel.Height(), kBandMinLength);
  EXPECT_EQ(v[1].Panel.bottom, 300);
  EXPECT_EQ(v[0].Panel.Height(), 300 - 18 - 2 - 18 - kBandMinLength);

  // Horizontal: headers at the left, as wide as measured.
  specs = {{true, true, 40, 120}, {true, true, 30, 120}};
  v = LayoutBands(false, Rect{25, 0, 625, 60}, specs);
  EXPECT_EQ(v[0].Header, (Rect{25, 0, 65, 60}));
  EXPECT_EQ(v[1].Band.left, 65 + 120 + kBandGap);
  EXPECT_EQ(v[1].Panel.right, 625);

  EXPECT_TRUE(LayoutBands(true, area, {{false, true, 0, 10}})[0].Band == Rect{});
}

TEST(BandBar, DraggingFindsTheBandAndReorders) {
  const std::vector<BandPlace> v =
      LayoutBands(true, Rect{0, 0, 80, 300}, {{true, true, 0, 80}, {true, true, 0, 80}, {true, true, 0, 80}});
  EXPECT_EQ(BandHeaderAlong(true, v, {500, v[2].Header.top + 1}), 2);  // across the bar does not matter
  EXPECT_EQ(BandHeaderAlong(true, v, {10, v[1].Panel.top + 1}), -1);

  EXPECT_EQ(MoveBand(4, 0, 2), (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(MoveBand(4, 3, 0), (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(MoveBand(3, 1, 7), (std::vector<int>{0, 1, 2}));
}

TEST(BarView, ArrangesTheWindowForEachEdge) {
  std::vector<GroupPanel> groups = Groups({Group("A", 3, 100), Group("B", 2, 100), Group("C", 1, 100)});
  groups[2].Data.ShowAsButton = true;  // collapsed into PanelBtn

  // Sizes at other DPIs are the bar's DPI tests'; here what each edge arranges.
  BarView v = ArrangeBar(groups, abeRight, Size{86, 600}, true);
  EXPECT_EQ(v.PanelBtn, (Rect{0, 600 - 28, 86, 600}));  // one group button: 1 + 25 + 2
  EXPECT_EQ(v.CoolBar, (Rect{0, 25, 86, 572}));
  EXPECT_TRUE(v.CoolBarVertical);
  EXPECT_FALSE(v.Bands[2].Visible);
  ASSERT_EQ(v.Collapsed.Buttons.size(), 1u);
  EXPECT_EQ(v.Collapsed.Buttons[0].Tag, 4002);
  EXPECT_EQ(v.Collapsed.Buttons[0].Bounds, MakeRect(1, 1, 84, 25));
  // The last shown band runs to the band bar's end; panels are one pixel narrower.
  EXPECT_EQ(v.GroupPanelRect(1).bottom, 572);
  EXPECT_EQ(groups[0].Width, 85);
  EXPECT_EQ(groups[1].Height, 100);  // stretched to the end on screen, not in the record
  EXPECT_EQ(groups[0].Children[0].Bounds, MakeRect(1, 1, 83, 25));
  EXPECT_TRUE(groups[0].Children[2].Visible);

  v = ArrangeBar(groups, abeTop, Size{800, 60}, true);
  EXPECT_EQ(v.PanelBtn, (Rect{800 - 28, 0, 800, 60}));
  EXPECT_FALSE(v.CoolBarVertical);
  EXPECT_EQ(groups[0].Height, 59);
  EXPECT_EQ(v.Collapsed.Buttons[0].Bounds, MakeRect(1, 1, 25, 58));
  EXPECT_EQ(v.Title.BtnTitle, MakeRect(1, 60 - 28 + 2, 23, 25));
  // A stored length (85, the width it had across the vertical bar) would hide the first
  // 120-pixel column behind the collapse strip: the band is longer, the record keeps 85.
  EXPECT_EQ(v.GroupPanelRect(0).Width(), 120 + 14);
  EXPECT_EQ(groups[0].Width, 85);
  EXPECT_TRUE(groups[0].Children[0].Visible);
}

TEST(BarView, HitTestFindsWhatIsUnderThePointer) {
  std::vector<GroupPanel> groups = Groups({Group("A", 2, 100), Group("B", 1, 100)});
  groups[1].Data.ShowAsButton = true;
  const BarView v = ArrangeBar(groups, abeLeft, Size{86, 400}, true);
  using K = BarHit::Kind;
  const Rect panel = v.GroupPanelRect(0);
  const Rect b1 = groups[0].Children[1].Bounds;
  EXPECT_EQ(HitTestBar(v, groups, {panel.left + b1.left + 2, panel.top + b1.top + 2}),
            (BarHit{K::kGroupButton, 0, 1}));
  EXPECT_EQ(HitTestBar(v, groups, {panel.left + 40, panel.bottom - 30}), (BarHit{K::kGroup, 0}));
  EXPECT_EQ(HitTestBar(v, groups, {40, v.Bands[0].Header.top + 3}), (BarHit{K::kBandHeader, 0}));
  EXPECT_EQ(HitTestBar(v, groups, {panel.right, panel.top + 3}), (BarHit{K::kBackground}));
  EXPECT_EQ(HitTestBar(v, groups, {10, v.PanelBtn.top + 10}), (BarHit{K::kCollapsedGroup, 1, 0}));
  EXPECT_EQ(HitTestBar(v, groups, {0, v.PanelBtn.bottom - 1}), (BarHit{K::kPanelBtn}));
  // Docked left, the title button sits at the strip's right end and btnSYS at its left.
  EXPECT_EQ(HitTestBar(v, groups, {80, 10}), (BarHit{K::kBtnTitle}));
  EXPECT_EQ(HitTestBar(v, groups, {10, 10}), (BarHit{K::kBtnSys}));
  EXPECT_EQ(HitTestBar(v, groups, {-1, 10}), (BarHit{}));

  // Bounds and hints of what was hit, for hover frames and tooltips.
  const BarHit button{K::kGroupButton, 0, 1};
  EXPECT_EQ(HitBounds(v, groups, button),
            (Rect{panel.left + b1.left, panel.top + b1.top, panel.left + b1.right, panel.top + b1.bottom}));
  EXPECT_EQ(HitHint(v, groups, button), "A1");
  EXPECT_EQ(HitHint(v, groups, BarHit{K::kCollapsedGroup, 1, 0}), "B");
  EXPECT_EQ(HitHint(v, groups, BarHit{K::kGroupButton, 0, 99}), "");
  // The group's own area and its header both name the group; the title button names the program.
  EXPECT_EQ(HitHint(v, groups, BarHit{K::kGroup, 0}), "A");
  EXPECT_EQ(HitHint(v, groups, BarHit{K::kBandHeader, 0}), "A");
  EXPECT_EQ(HitHint(v, groups, BarHit{K::kBtnTitle}), kBtnTitleHint);
  EXPECT_EQ(HitBounds(v, groups, BarHit{K::kCollapsedGroup, 1, 5}), Rect{});
}

TEST(BarView, ReportListsEveryElement) {
  std::vector<GroupPanel> groups = Groups({Group("Tab\there", 1, 100, gkWeb)});
  const BarView v = ArrangeBar(groups, abeRight, Size{86, 300}, false);
  // A tab in a title would split its line: it is reported as a blank. The group's last field is its tooltip.
  EXPECT_EQ(DescribeBar(v, groups),
            "edge\t2\nclient\t86\t300\nlogo\t0,0,86,25\nbtntitle\t1,1,26,24\nbtnsys\t28,1,86,24\tWendlix\n"
            "bevel\t26,1,28,26\ncoolbar\t0,25,86,297\tvertical\npanelbtn\t0,297,86,300\n"
            "group\t0\tTab here\t1\t1\t0,25,86,297\t0,25,86,43\t0,43,85,297\tTab here\t-1\tTab here\n"
            "button\t0\t0\t0\t1\t1,44,84,69\tTab here0\tTab here0\t0\t0\t0\n"
            "collapse\t0\t0\t1,284,84,296\tARROWICON_LEFT\n");
}

}  // namespace
}  // namespace wendlix
