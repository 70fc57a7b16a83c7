#include <gtest/gtest.h>

#include "core/appbar/dock_geometry.h"

namespace wendlix {
namespace {

// A shell that clears every proposal of the reserved strips: it answers with the work area.
QueryPosFn ShellWithWorkArea(Rect workArea, int* calls) {
  return [workArea, calls](TAppToolBarEdge, Rect r) {
    ++*calls;
    return Rect{std::max(r.left, workArea.left), std::max(r.top, workArea.top),
                std::min(r.right, workArea.right), std::min(r.bottom, workArea.bottom)};
  };
}

TEST(AppBarDockRect, CutsTheClearedScreenToTheEdgeThickness) {
  DockSizes sizes;
  sizes.size = {60, 40, 86, 50};
  struct Case {
    Rect monitor;
    Rect workArea;
    TAppToolBarEdge edge;
    bool autoHide;
    Rect expected;
    int queries;
  };
  const Case cases[] = {
      {{0, 0, 1024, 768}, {0, 0, 1024, 738}, abeLeft, false, {0, 0, 60, 738}, 1},  // taskbar at the bottom
      {{0, 0, 1024, 768}, {0, 0, 1024, 738}, abeRight, false, {938, 0, 1024, 738}, 1},
      {{0, 0, 1024, 768}, {0, 0, 1024, 738}, abeTop, false, {0, 0, 1024, 40}, 1},
      {{0, 0, 1024, 768}, {0, 0, 1024, 738}, abeBottom, false, {0, 688, 1024, 738}, 1},
      {{0, 0, 1920, 1080}, {60, 0, 1920, 1080}, abeLeft, false, {60, 0, 120, 1080}, 1},  // taskbar on the
                                                                                         // left
      {{0, 0, 1920, 1080}, {60, 30, 1920, 1080}, abeTop, false, {60, 30, 1920, 70}, 1},
      {{0, 0, 1920, 1080}, {60, 0, 1920, 1080}, abeRight, true, {1834, 0, 1920, 1080}, 0},  // auto-hide spans
      {{0, 0, 800, 600}, {0, 0, 800, 570}, abeBottom, true, {0, 550, 800, 600}, 0},
      {{0, 0, 800, 600}, {0, 0, 800, 570}, abeFloat, false, {5, 6, 7, 8}, 0}  // floating keeps R
  };
  for (const Case& c : cases) {
    int queries = 0;
    const QueryPosFn shell = ShellWithWorkArea(c.workArea, &queries);
    EXPECT_EQ(DockRectOnMonitor(c.edge, {5, 6, 7, 8}, c.monitor, c.autoHide, sizes, shell), c.expected)
        << "edge " << c.edge << " monitor " << c.monitor.right;
    EXPECT_EQ(queries, c.queries);
  }
}

TEST(AppBarDockRect, ClampsDamagedThicknesses) {
  const AppToolBarProperties props = DefaultAppToolBarProperties({1024, 768});
  EXPECT_EQ(ClampDockSize(abeRight, 86, props, {1024, 768}), 86);
  EXPECT_EQ(ClampDockSize(abeRight, 0, props, {1024, 768}), 25);
  EXPECT_EQ(ClampDockSize(abeLeft, -300, props, {1024, 768}), 25);
  EXPECT_EQ(ClampDockSize(abeLeft, 5000, props, {1024, 768}), 512);
  EXPECT_EQ(ClampDockSize(abeBottom, 5000, props, {1024, 768}), 384);
  EXPECT_EQ(ClampDockSize(abeTop, 10, props, {30, 30}), 15);  // tiny screen: half wins
  EXPECT_EQ(ClampDockSize(abeFloat, 5000, props, {1024, 768}), 5000);
}

TEST(AppBarProposeEdge, FollowsTheDiagonalsFlagsAndCtrl) {
  const TAppToolBarFlags all = TAppToolBarFlags::All();
  const TAppToolBarFlags edges{abfAllowLeft, abfAllowTop, abfAllowRight, abfAllowBottom};
  const Size s1{1024, 768}, s2{1920, 1080};
  const Rect bottomBar{0, 0, 1024, 738}, leftBar{60, 0, 1920, 1080};
  struct Case {
    Point pt;
    bool ctrl;
    TAppToolBarFlags flags;
    Size screen;
    Rect workArea;
    TAppToolBarEdge expected;
  };
  const Case cases[] = {
      {{512, 384}, false, all, s1, bottomBar, abeFloat},  // inside the work area
      {{5, 384}, false, all, s1, bottomBar, abeLeft},     // within the scroll-bar margin
      {{1010, 300}, false, all, s1, bottomBar, abeRight},
      {{500, 3}, false, all, s1, bottomBar, abeTop},
      {{500, 760}, false, all, s1, bottomBar, abeBottom},   // over the taskbar
      {{5, 384}, true, all, s1, bottomBar, abeFloat},       // Ctrl floats
      {{5, 384}, true, edges, s1, bottomBar, abeLeft},      // but not without the float flag
      {{512, 384}, false, edges, s1, bottomBar, abeRight},  // the centre is a tie
      {{312, 234}, false, edges, s1, bottomBar, abeLeft},   // on the diagonal: left or right
      {{712, 534}, false, edges, s1, bottomBar, abeRight},
      {{312, 233}, false, edges, s1, bottomBar, abeTop},  // one pixel off it
      {{713, 535}, false, edges, s1, bottomBar, abeBottom},
      {{30, 540}, false, all, s2, leftBar, abeLeft},
      {{100, 540}, false, all, s2, leftBar, abeFloat},
      {{-600, 500}, false, all, s2, leftBar, abeLeft},      // monitor beside the primary, left
      {{2500, 100}, false, all, s2, leftBar, abeRight},     // and right
      {{900, -700}, false, all, s2, leftBar, abeTop},       // and above
      {{32000, 10}, false, edges, s1, bottomBar, abeRight}  // far out: no 16-bit wrap
  };
  for (const Case& c : cases) {
    EdgeProposal in{c.pt, c.ctrl, c.flags, abeBottom, c.workArea, c.screen, {17, 17}};
    EXPECT_EQ(ProposeEdge(in, {0, 0}), c.expected) << c.pt.x << "," << c.pt.y;
  }
}

TEST(AppBarProposeEdge, DisallowedEdgesFloatOrKeepTheStoredEdge) {
  struct Case {
    TAppToolBarFlags flags;
    Point pt;
    TAppToolBarEdge expected;
  };
  const Case cases[] = {
      {TAppToolBarFlags{abfAllowFloat}, {0, 0}, abeFloat},  // only floating: always floats
      {TAppToolBarFlags{abfAllowFloat}, {1023, 400}, abeFloat},
      {TAppToolBarFlags{}, {0, 400}, abeTop},  // nothing allowed: stored edge
      {TAppToolBarFlags{abfAllowLeft, abfAllowFloat}, {1020, 400}, abeFloat},
      {TAppToolBarFlags{abfAllowLeft}, {1020, 400}, abeTop},
      {TAppToolBarFlags{abfAllowLeft}, {3, 400}, abeLeft},
  };
  for (const Case& c : cases) {
    EdgeProposal in{c.pt, false, c.flags, abeTop, {0, 0, 1024, 768}, {1024, 768}, {17, 17}};
    EXPECT_EQ(ProposeEdge(in, {0, 0}), c.expected) << int(c.flags.Bits()) << " at " << c.pt.x;
  }
}

TEST(AppBarMoving, LeavingAnEdgeHangsTheFloatRectFromThePointer) {
  const Rect dragged{900, 0, 986, 768};
  EXPECT_EQ(MovingOutline(abeRight, abeFloat, dragged, {100, 100, 400, 500}, {500, 300}),
            (Rect{350, 300, 650, 700}));
  EXPECT_EQ(MovingOutline(abeRight, abeFloat, dragged, {0, 0, 301, 41}, {-5, -20}),
            (Rect{-155, -20, 146, 21}));
  EXPECT_EQ(MovingOutline(abeFloat, abeFloat, dragged, {0, 0, 300, 400}, {500, 300}), dragged);
  EXPECT_EQ(MovingOutline(abeRight, abeLeft, dragged, {0, 0, 300, 400}, {5, 300}), dragged);
}

TEST(AppBarMoving, AStepAtTheOutlinesCornerTakesTheWholeOutline) {
  const Rect top{0, 0, 1024, 86};
  const MoveStep whole{top, true, true};
  struct Case {
    MoveStep asked;
    std::optional<Rect> outline;
    MoveStep expected;
  } cases[] = {
      {{{0, 0, 86, 768}, true, false}, top, whole},  // the loop kept the old edge's size
      {{{0, 0, 86, 768}, true, true}, top, whole},   // or sized it to the old size
      {{{5, 0, 91, 768}, true, false}, top, {{5, 0, 91, 768}, true, false}},  // not the outline's place
      {{{0, 0, 86, 768}, false, true}, top, {{0, 0, 86, 768}, false, true}},  // not a move
      {{{0, 0, 86, 768}, true, false}, std::nullopt, {{0, 0, 86, 768}, true, false}},  // no move loop
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceMoveStep(c.asked, c.outline), c.expected) << c.asked.placed.right;
}

TEST(AppBarSizing, RoundsTheClientSizeAndMovesOnlyTheDraggedSides) {
  const Size frame{6, 6};
  struct Case {
    Rect r;
    int side;
    int h, v;
    Rect expected;
  };
  const Case cases[] = {
      {{100, 100, 220, 200}, kSizeRight, 10, 10, {100, 100, 216, 200}},  // 120 -> 116, height not dragged
      {{100, 100, 224, 200}, kSizeRight, 10, 0, {100, 100, 226, 200}},   // 124 -> 126
      {{100, 100, 224, 200}, kSizeLeft, 10, 0, {98, 100, 224, 200}},
      {{100, 100, 224, 224}, kSizeTopLeft, 10, 10, {98, 98, 224, 224}},
      {{100, 100, 224, 224}, kSizeBottomRight, 10, 10, {100, 100, 226, 226}},
      {{100, 100, 224, 224}, kSizeBottom, 10, 10, {100, 100, 224, 226}},  // width kept: side not dragged
      {{100, 100, 224, 224}, kSizeTopRight, 0, 0, {100, 100, 224, 224}},
      {{0, 0, 13, 13}, kSizeBottomLeft, 4, 4, {-1, 0, 13, 14}}  // (7 + 2) div 4 * 4 + 6
  };
  for (const Case& c : cases) EXPECT_EQ(SnapSizingRect(c.r, c.side, frame, c.h, c.v), c.expected) << c.side;
}

TEST(AppBarSizing, TrackingLimitsHalveTheDockedThickness) {
  AppToolBarProperties p = DefaultAppToolBarProperties({1024, 768});
  struct Case {
    TAppToolBarEdge edge;
    Size screen;
    TrackingLimits expected;
  };
  const Case cases[] = {
      {abeFloat, {1920, 1080}, {{100, 52}, {1024, 768}}},  // max from construction, not now
      {abeLeft, {1024, 768}, {{25, 25}, {512, 768}}},     {abeRight, {1023, 767}, {{25, 25}, {511, 767}}},
      {abeTop, {1024, 768}, {{25, 25}, {1024, 384}}},     {abeBottom, {1920, 1080}, {{25, 25}, {1920, 540}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeTrackingLimits(c.edge, p, c.screen), c.expected) << c.edge;
}

TEST(AppBarSizeMove, RemembersThicknessOrFloatingRectangle) {
  DockSizes sizes;
  const SizeMoveMemory before{sizes, {0, 0, 300, 400}};
  const Rect work{0, 0, 1024, 738};
  DockSizes right100 = sizes, top60 = sizes;
  right100.Set(abeRight, 100);
  top60.Set(abeTop, 60);
  struct Case {
    TAppToolBarEdge moving, stored;
    Rect window;
    SizeMoveMemory expected;
  };
  const Case cases[] = {
      {abeRight, abeRight, {924, 0, 1024, 738}, {right100, {0, 0, 300, 400}}},
      {abeTop, abeTop, {0, 0, 1024, 60}, {top60, {0, 0, 300, 400}}},
      {abeLeft, abeRight, {0, 0, 77, 738}, before},  // new edge: nothing yet
      {abeFloat, abeFloat, {10, 20, 210, 320}, {sizes, {10, 20, 210, 320}}},
      {abeFloat, abeRight, {500, 50, 586, 738}, {sizes, {500, 50, 586, 738}}},  // pulled off, fits
      {abeFloat, abeTop, {-3, 60, 1021, 120}, {sizes, {-3, 60, 297, 460}}},     // as wide as the work area
      {abeFloat, abeLeft, {5, 5, 105, 743}, {sizes, {5, 5, 305, 405}}},         // taller than it
      {abeUnknown, abeRight, {924, 0, 1024, 738}, before},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RememberSizeMove(c.moving, c.stored, c.window, work, before), c.expected)
        << c.moving << c.stored;
  EXPECT_EQ(EdgeAfterSizeMove(abeFloat, abeRight), abeFloat);
  EXPECT_EQ(EdgeAfterSizeMove(abeUnknown, abeRight), abeRight);
}

TEST(AppBarTypes, SettingsAndFlags) {
  EXPECT_EQ(EdgeFromSetting(3), abeBottom);
  EXPECT_EQ(EdgeFromSetting(5), abeRight);  // floating is not a stored edge
  EXPECT_EQ(EdgeFromSetting(-1), abeRight);
  EXPECT_EQ(EdgeFromSetting(1LL << 40), abeRight);
  EXPECT_EQ(EdgeFromInt(5), abeFloat);
  EXPECT_EQ(EdgeFromInt(9), abeUnknown);
  const TAppToolBarFlags f{abfAllowTop, abfAllowFloat};
  EXPECT_TRUE(f.AllowsEdge(abeTop));
  EXPECT_FALSE(f.AllowsEdge(abeLeft));
  EXPECT_FALSE(f.AllowsEdge(abeFloat));
  EXPECT_EQ(TAppToolBarFlags::FromBits(0xFF), TAppToolBarFlags::All());
}

}  // namespace
}  // namespace wendlix
