// Mouse rules and band renumbering.
#include <gtest/gtest.h>

#include "core/bar/band_order.h"
#include "core/bar/mouse_rules.h"

namespace wendlix {
namespace {

using S = ShiftState;

TEST(MouseRules, PressesAndDistancesThatStartDrags) {
  struct Case {
    ShiftState state;
    bool window, move, file, folderMenu;
  };
  // clang-format off
  const Case cases[] = {
      {S::kLeft, true, true, false, true},            {S::kLeft | S::kShift, false, true, false, false},
      {S::kLeft | S::kCtrl, false, false, true, true},  {S::kRight | S::kCtrl, false, false, true, true},
      {S::kRight, false, false, false, true},         {S::kLeft | S::kAlt, false, false, false, true},
      {S::kLeft | S::kRight, false, false, false, true}, {S::kMiddle | S::kCtrl, false, false, false, true},
      {S::kLeft | S::kCtrl | S::kShift, false, false, false, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state.Bits()));
    EXPECT_EQ(StartsWindowDrag(c.state), c.window);
    EXPECT_EQ(StartsMoveDrag(c.state), c.move);
    EXPECT_EQ(StartsFileDrag(c.state), c.file);
    EXPECT_EQ(FolderButtonOpensMenu(c.state), c.folderMenu);
  }
  // Only the main panel and a group's background drag the bar, and only for a plain left press.
  using K = BarHit::Kind;
  for (K kind : {K::kBackground, K::kGroup}) {
    EXPECT_TRUE(PressDragsWindow(kind, S::kLeft));
    for (ShiftState s : {S::kLeft | S::kShift, S::kLeft | S::kCtrl, S::kLeft | S::kAlt, S::kLeft | S::kRight,
                         S::kLeft | S::kMiddle, ShiftState(S::kRight), ShiftState()}) {
      EXPECT_FALSE(PressDragsWindow(kind, s)) << static_cast<int>(s.Bits());
    }
  }
  for (K kind : {K::kNone, K::kTitleStrip, K::kBtnTitle, K::kBtnSys, K::kBandHeader, K::kGroupButton,
                 K::kPanelBtn, K::kCollapsedGroup}) {
    EXPECT_FALSE(PressDragsWindow(kind, S::kLeft)) << static_cast<int>(kind);
  }
  EXPECT_EQ(ShiftFromMouseKeys(0x02 | 0x04 | 0x08 | 0x10, true),
            S::kRight | S::kShift | S::kCtrl | S::kMiddle | S::kAlt);
  EXPECT_EQ(ShiftFromMouseKeys(0x01 | 0xFF00u, false), S::kLeft);  // MK_XBUTTON and the like ignored

  const Point press{100, 50};
  for (Point p : {Point{109, 50}, Point{91, 41}, Point{109, 59}, press})
    EXPECT_FALSE(DragDistanceReached(press, p));
  for (Point p : {Point{110, 50}, Point{90, 50}, Point{100, 60}, Point{INT32_MIN, INT32_MAX}})
    EXPECT_TRUE(DragDistanceReached(press, p)) << p.x << "," << p.y;
  // Ctrl-drag nine pixels: the file target moves to the background, no drag yet.
  EXPECT_EQ(DecideButtonMouseMove(S::kCtrl | S::kLeft, true, press, {109, 50}),
            (ButtonMoveDecision{true, false, false}));
  EXPECT_EQ(DecideButtonMouseMove(S::kCtrl | S::kRight, false, press, {110, 50}),
            (ButtonMoveDecision{true, true}));
  EXPECT_EQ(DecideButtonMouseMove(S::kLeft | S::kShift, true, press, {100, 61}),
            (ButtonMoveDecision{false, false, true}));
  // A move-drag needs the press to have happened on the button.
  EXPECT_EQ(DecideButtonMouseMove(S::kLeft, false, press, {100, 61}), ButtonMoveDecision{});
  EXPECT_EQ(DragHotSpot({15, 13}), (Point{8, 6}));  // 7.5 and 6.5 round to even
}

GroupPanel Panel(int tag, std::string title, bool collapsed = false) {
  GroupPanel g;
  g.Tag = tag;
  g.Data.Title = std::move(title);
  g.Data.ShowAsButton = collapsed;
  g.MenuItem = {"stale", tag};
  g.Band.Break = true;
  g.Children.push_back(BarButton{});  // a launch button, Tag 0
  if (!collapsed) AddCollapseButton(g);
  return g;
}

TEST(BandOrder, RenumberingFollowsTheBandsAndKeepsEachGroupsState) {
  std::vector<GroupPanel> groups = {Panel(0, "A"), Panel(1, "B"), Panel(2, "C", true), Panel(3, "D")};
  // The user dragged D to the front: bands now show D, A, B, C.
  EXPECT_EQ(RenumberBands(groups, std::vector<std::size_t>{3, 0, 1, 2}), (RenumberResult{true, true, true}));
  const char* titles[] = {"D", "A", "B", "C"};
  for (int i = 0; i < 4; ++i) {
    const GroupPanel& g = groups[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(g.Tag, i);
    EXPECT_EQ(g.MenuItem, (GroupMenuItem{titles[i], i}));
    EXPECT_FALSE(g.Band.Break);
    EXPECT_EQ(g.Children.front().Tag, 0);  // launch buttons keep theirs
    EXPECT_EQ(g.Children.back().Tag, g.Data.ShowAsButton ? 0 : kCollapseTagBase + i);
  }
  // Moving shown bands past a collapsed one leaves PanelBtn as it is.
  EXPECT_EQ(RenumberBands(groups, std::vector<int>{1, 0, 2, 3}), (RenumberResult{true, true, false}));
  EXPECT_EQ(RenumberBands(groups, std::vector<int>{0, 1, 2, 3}), (RenumberResult{true, false, false}));
  EXPECT_EQ(RenumberBands(groups, std::vector<int>{-1, 1, 2, 3}), RenumberResult{});
  // Orders that are not a permutation change nothing.
  for (const std::vector<std::size_t>& bad :
       std::vector<std::vector<std::size_t>>{{0, 1, 2}, {0, 0, 1, 2}, {0, 1, 2, 9}}) {
    EXPECT_EQ(RenumberBands(groups, bad), RenumberResult{});
    EXPECT_EQ(groups[0].Data.Title + groups[1].Data.Title + groups[2].Data.Title + groups[3].Data.Title,
              "ADBC");
  }
}

}  // namespace
}  // namespace wendlix
