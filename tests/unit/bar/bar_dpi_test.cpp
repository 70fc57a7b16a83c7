// The bar laid out at 100 to 200 %: the same arrangement at every DPI, with each size the
// designed one scaled, and the groups' stored lengths left in 96-DPI units.
#include <gtest/gtest.h>

#include "core/bar/bar_view.h"
#include "core/bar/group_layout.h"
#include "core/bar/mouse_rules.h"
#include "support/filled_group.h"

namespace wendlix {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192};

std::vector<GroupPanel> TwoGroups() {
  std::vector<GroupPanel> g{testing_support::FilledGroup("icons", 7),
                            testing_support::FilledGroup("captions", 3, 120)};
  g[0].Data.ShowCaption = false;
  g[1].Tag = 1;
  return g;
}

TEST(BarDpi, SideBarKeepsItsArrangementAndScalesEverySize) {
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const DpiScale s(dpi);
    std::vector<GroupPanel> groups = TwoGroups();
    const BarView v = ArrangeBar(groups, abeRight, Size{s(86), s(600)}, true, {}, s);
    EXPECT_EQ(v.PanelLogo, (Rect{0, 0, s(86), s(25)}));
    EXPECT_EQ(v.Title.BtnTitle, MakeRect(1, 1, s(25), s(25) - 2));  // inside the strip's frame
    EXPECT_EQ(v.Title.Bevel1.left, s(25) + 1);
    // A titled band's header, then the group's asked length scaled.
    const BandPlace& first = v.Bands[0];
    EXPECT_EQ(first.Header.Height(), s(kBandHeaderThickness));
    EXPECT_EQ(first.Panel.Height(), s(100));
    EXPECT_EQ(v.Bands[1].Band.top, first.Band.bottom + s(kBandGap));

    // Icon buttons: three to a row at every DPI, each a scaled cell.
    const auto& icons = groups[0].Children;
    EXPECT_EQ(icons[2].Bounds, MakeRect(1 + 2 * s(25), 1, icons[2].Bounds.Width(), s(25)));
    EXPECT_EQ(icons[3].Bounds, MakeRect(1, 1 + s(25), s(25), s(25)));
    // The collapse strip along the panel's bottom.
    const BarButton& collapse = icons.back();
    ASSERT_TRUE(collapse.IsCollapse());
    EXPECT_EQ(collapse.Bounds.Height(), s(12));
    EXPECT_EQ(collapse.Bounds.bottom, first.Panel.Height() - 1);
    // A caption group: one full-width row per button, captions kept (the bar is wide enough).
    const auto& captions = groups[1].Children;
    EXPECT_EQ(captions[1].Bounds, MakeRect(1, 1 + s(25), v.GroupPanelRect(1).Width() - 2, s(25)));
    EXPECT_EQ(captions[1].Caption, "captions1");

    // The lengths the group file keeps stay at 96 DPI: the asked length as it was, the
    // thickness across the bar the 96-DPI panel width (85, or 86 where it rounds up).
    EXPECT_EQ(groups[0].Height, 100);
    EXPECT_EQ(groups[1].Height, 120);
    EXPECT_GE(groups[0].Width, 85);
    EXPECT_LE(groups[0].Width, 86);
  }
}

TEST(BarDpi, TopBarAndCollapsedGroupsScale) {
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const DpiScale s(dpi);
    std::vector<GroupPanel> groups = TwoGroups();
    groups[0].Data.SmallIcon = true;  // 32-pixel icons: the larger cell
    groups[1].Data.ShowAsButton = true;
    const BarView v = ArrangeBar(groups, abeTop, Size{s(800), s(60)}, true, {}, s);
    EXPECT_EQ(v.PanelLogo, (Rect{0, 0, s(25), s(60)}));
    EXPECT_EQ(v.Title.BtnTitle.Height(), s(25));
    EXPECT_EQ(v.Title.Bevel1.top, s(60) - s(25) - 3);
    // The band's length runs along the bar: at least a scaled cell and the collapse room.
    const auto& icons = groups[0].Children;
    EXPECT_EQ(icons[0].Bounds, MakeRect(1, 1, s(38), s(35)));
    EXPECT_EQ(icons[1].Bounds.left, 1 + s(38));  // the panel is one button high: next column
    // The collapsed group's button in PanelBtn, one scaled step long.
    ASSERT_EQ(v.Collapsed.Buttons.size(), 1u);
    EXPECT_EQ(v.Collapsed.Buttons[0].Bounds.Width(), s(25));
    EXPECT_EQ(v.PanelBtn.Width(), 1 + s(25) + 2);
    EXPECT_EQ(groups[0].Width, 100);
  }
}

TEST(BarDpi, FloatingMinimumAndTitleThresholdScale) {
  EXPECT_EQ(*FormEdgeChanged(abeFloat, 3, DpiScale(144)).MinWidth, 3 * 150);
  EXPECT_EQ(FormEdgeChanged(abeLeft, 3, DpiScale(192)).LogoThickness, 50);
  // The system button's caption needs 40 pixels at 96 DPI: 60 at 150 %.
  EXPECT_EQ(FormResize(abeRight, 86, 25, MakeRect(0, 0, 25, 25), DpiScale(144)).SysCaption, "");
  EXPECT_EQ(FormResize(abeRight, 104, 38, MakeRect(0, 0, 25, 25), DpiScale(144)).SysCaption, "Wendlix");
  TPanelData d;
  d.ShowCaption = true;
  d.LayoutLeft = false;
  d.SmallIcon = true;
  EXPECT_EQ(CellWidth(d, DpiScale(120)), 100);
  EXPECT_EQ(LaunchButtonHeight(d, DpiScale(120)), 44 + 23);  // 43.75 and 22.5 rounded
  // A button drag starts 10 pixels away at 96 DPI, 15 at 150 %.
  const int threshold = DpiScale(144)(kDragThreshold);
  EXPECT_FALSE(DragDistanceReached({100, 100}, {114, 86}, threshold));
  EXPECT_TRUE(DragDistanceReached({100, 100}, {100, 115}, threshold));
  EXPECT_FALSE(DecideButtonMouseMove(ShiftState::kLeft, true, {100, 100}, {112, 100}, threshold).MoveDrag);
  EXPECT_TRUE(DecideButtonMouseMove(ShiftState::kLeft, true, {100, 100}, {112, 100}).MoveDrag);
}

}  // namespace
}  // namespace wendlix
