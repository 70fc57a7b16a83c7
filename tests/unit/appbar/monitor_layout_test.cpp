#include "core/appbar/monitor_layout.h"

#include <gtest/gtest.h>

#include "core/appbar/auto_hide.h"
#include "core/appbar/dock_geometry.h"

namespace wendlix {
namespace {

MonitorInfo Mon(const char* device, Rect bounds, bool primary = false) {
  return {device, bounds, {bounds.left, bounds.top, bounds.right, bounds.bottom - 40}, primary};
}

// Side by side, different sizes: the second monitor is shorter and right of the primary.
const MonitorList kSideBySide = {Mon("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, true),
                                 Mon("\\\\.\\DISPLAY2", {1920, 0, 3200, 1024})};
// A monitor left of the primary: negative coordinates. Listed first, not primary.
const MonitorList kLeftOfPrimary = {Mon("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}),
                                    Mon("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, true)};
// Stacked: the second monitor above the primary.
const MonitorList kStacked = {Mon("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, true),
                              Mon("\\\\.\\DISPLAY2", {0, -900, 1600, 0})};
// What Wine reports for two Xinerama screens: both at 0,0.
const MonitorList kBothAtOrigin = {Mon("\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true),
                                   Mon("\\\\.\\DISPLAY2", {0, 0, 800, 600})};

TEST(MonitorLayout, PointsAndWindowsBelongToTheMonitorTheyAreOn) {
  struct Case {
    const MonitorList* list;
    Point pt;
    std::size_t expected;
  } points[] =
      {
          {&kSideBySide, {100, 100}, 0},
          {&kSideBySide, {1920, 0}, 1},     // the first column of the second monitor
          {&kSideBySide, {2500, 1050}, 1},  // just under the shorter monitor: nearest
          {&kSideBySide, {5000, 500}, 1},   // far right: nearest
          {&kLeftOfPrimary, {-1, 10}, 0},
          {&kLeftOfPrimary, {0, 10}, 1},
          {&kLeftOfPrimary, {-5000, -5000}, 0},
          {&kStacked, {10, -1}, 1},
          {&kStacked, {1800, -10}, 0},    // above the primary, beside the narrower one
          {&kBothAtOrigin, {10, 10}, 0},  // on both: the primary
          {&kBothAtOrigin, {900, 700}, 0},
      };
  for (const Case& c : points)
    EXPECT_EQ(MonitorForPoint(*c.list, c.pt), c.expected) << c.pt.x << "," << c.pt.y;

  struct RectCase {
    const MonitorList* list;
    Rect r;
    std::size_t expected;
  } rects[] = {
      {&kSideBySide, {1800, 0, 1960, 400}, 0},  // mostly on the primary
      {&kSideBySide, {1880, 0, 2040, 400}, 1},  // mostly on the second
      {&kSideBySide, {1900, 0, 1940, 400}, 0},  // equal halves: the primary
      {&kLeftOfPrimary, {-300, 10, 10, 50}, 0}, {&kStacked, {0, -100, 86, 10}, 1},
      {&kBothAtOrigin, {714, 0, 800, 600}, 0},  // the larger overlaps as much: the primary wins ties
      {&kSideBySide, {3000, 50, 3000, 50}, 1}   // empty: its corner
  };
  for (const RectCase& c : rects) EXPECT_EQ(MonitorForRect(*c.list, c.r), c.expected) << c.r.left;

  // No primary flag: the monitor holding the origin, else the first.
  const MonitorList unflagged = {Mon("A", {-800, 0, 0, 600}), Mon("B", {0, 0, 800, 600})};
  EXPECT_EQ(PrimaryMonitor(unflagged), 1u);
  EXPECT_EQ(PrimaryMonitor({Mon("A", {5, 5, 10, 10})}), 0u);
}

TEST(MonitorLayout, RemembersAMonitorAndFallsBackToThePrimaryWhileItIsMissing) {
  const SavedMonitor second{"\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}};
  struct Case {
    const char* what;
    MonitorList list;
    SavedMonitor saved;
    std::optional<std::size_t> expected;
  };
  const Case cases[] = {
      {"present", kSideBySide, second, 1},
      {"missing: primary", {kSideBySide[0]}, second, 0},
      {"nothing saved: primary", kLeftOfPrimary, {}, 1},
      {"new resolution, same device",
       {kSideBySide[0], Mon("\\\\.\\DISPLAY2", {1920, 0, 3840, 1080})},
       second,
       1},
      {"renamed device, same place",
       {kSideBySide[0], Mon("\\\\.\\DISPLAY7", {1920, 0, 3200, 1024})},
       second,
       1},
      {"device wins over place",
       {Mon("\\\\.\\DISPLAY2", {0, 0, 800, 600}, true), Mon("\\\\.\\DISPLAY9", {1920, 0, 3200, 1024})},
       second,
       0},
      {"damaged rectangle, device known", kSideBySide, {"\\\\.\\DISPLAY2", {}}, 1},
      {"damaged rectangle, device gone", {kSideBySide[0]}, {"\\\\.\\DISPLAY2", {}}, 0},
      {"no monitors", {}, second, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FindSavedMonitor(c.list, c.saved), c.expected) << c.what;

  // Same device and rectangle picks exactly that one even when another shares the place (Wine).
  EXPECT_EQ(FindSavedMonitor(kBothAtOrigin, {"\\\\.\\DISPLAY2", {0, 0, 800, 600}}), 1u);
}

TEST(MonitorLayout, ASeamBetweenMonitorsIsNoScreenEdge) {
  using Edges = std::array<bool, 4>;  // left, top, right, bottom
  struct Case {
    const char* what;
    MonitorList list;
    std::size_t index;
    Edges expected;
  };
  const Case cases[] = {
      {"one monitor", {kSideBySide[0]}, 0, {true, true, true, true}},
      {"side by side, primary", kSideBySide, 0, {true, true, false, true}},
      {"side by side, second", kSideBySide, 1, {false, true, true, true}},
      {"left of primary", kLeftOfPrimary, 0, {true, true, false, true}},
      {"right of it", kLeftOfPrimary, 1, {false, true, true, true}},
      {"stacked, primary", kStacked, 0, {true, false, true, true}},
      {"stacked, above", kStacked, 1, {true, true, true, false}},
      {"touching at a corner only",
       {Mon("A", {0, 0, 100, 100}, true), Mon("B", {100, 100, 200, 200})},
       0,
       {true, true, true, true}},
      {"a gap between them",
       {Mon("A", {0, 0, 100, 100}, true), Mon("B", {150, 0, 250, 100})},
       0,
       {true, true, true, true}},
      {"overlapping (both at 0,0)", kBothAtOrigin, 0, {true, true, true, true}},
      {"inside a larger one", kBothAtOrigin, 1, {true, true, false, false}},
  };
  const TAppToolBarEdge edges[] = {abeLeft, abeTop, abeRight, abeBottom};
  for (const Case& c : cases) {
    for (int e = 0; e < 4; ++e)
      EXPECT_EQ(IsScreenEdge(c.list, c.index, edges[e]), c.expected[e]) << c.what << " edge " << e;
  }
  EXPECT_FALSE(IsScreenEdge(kSideBySide, 5, abeLeft));
  EXPECT_FALSE(IsScreenEdge(kSideBySide, 0, abeFloat));

  // The flags lose the seam only; float stays allowed.
  const TAppToolBarFlags all = TAppToolBarFlags::All();
  EXPECT_EQ(ScreenEdgeFlags(all, kSideBySide, 0),
            (TAppToolBarFlags{abfAllowLeft, abfAllowTop, abfAllowBottom, abfAllowFloat}));
  EXPECT_EQ(ScreenEdgeFlags({abfAllowRight}, kSideBySide, 0), TAppToolBarFlags{});
  EXPECT_EQ(ScreenEdgeFlags(all, {kSideBySide[0]}, 0), all);

  // A drag to the seam between side-by-side monitors does not dock there: it floats (or keeps
  // the stored edge when it may not float).
  EdgeProposal in;
  in.pt = {1915, 540};
  in.storedEdge = abeLeft;
  in.workArea = kSideBySide[0].work;
  in.screen = SizeOf(kSideBySide[0].bounds);
  in.scrollBar = {17, 17};
  in.flags = ScreenEdgeFlags(all, kSideBySide, 0);
  EXPECT_EQ(ProposeEdge(in, {0, 0}), abeFloat);
  in.flags = all;
  EXPECT_EQ(ProposeEdge(in, {0, 0}), abeRight);  // what the seam would have given
  in.flags = ScreenEdgeFlags({abfAllowLeft, abfAllowRight}, kSideBySide, 0);
  EXPECT_EQ(ProposeEdge(in, {0, 0}), abeLeft);
}

// A stored edge, the position menu or the first-run default on a seam docks at the screen edge on
// the same side beyond it, keeping its side of the desktop.
TEST(MonitorLayout, AnEdgeOnASeamDocksAtTheScreenEdgeBeyondIt) {
  const MonitorList threeInARow = {Mon("A", {0, 0, 1024, 768}, true), Mon("B", {1024, 0, 2048, 768}),
                                   Mon("C", {2048, 0, 3072, 768})};
  // Two monitors beyond one side: the one sharing more of it.
  const MonitorList splitBeyond = {Mon("A", {0, 0, 1024, 768}, true), Mon("B", {1024, 0, 2048, 300}),
                                   Mon("C", {1024, 300, 2048, 1068})};
  struct Case {
    const char* what;
    const MonitorList* list;
    std::size_t index;
    TAppToolBarEdge edge;
    std::size_t expected;
  };
  const Case cases[] = {
      {"side by side: the primary's right", &kSideBySide, 0, abeRight, 1},
      {"side by side: the second's left", &kSideBySide, 1, abeLeft, 0},
      {"side by side: real edges stay", &kSideBySide, 0, abeLeft, 0},
      {"side by side: the second's right", &kSideBySide, 1, abeRight, 1},
      {"negative: the primary's left", &kLeftOfPrimary, 1, abeLeft, 0},
      {"negative: the left one's right", &kLeftOfPrimary, 0, abeRight, 1},
      {"stacked: the primary's top", &kStacked, 0, abeTop, 1},
      {"stacked: the upper one's bottom", &kStacked, 1, abeBottom, 0},
      {"stacked: the primary's bottom", &kStacked, 0, abeBottom, 0},
      {"three in a row: across two seams", &threeInARow, 0, abeRight, 2},
      {"three in a row: from the middle", &threeInARow, 1, abeLeft, 0},
      {"two beyond: the larger share", &splitBeyond, 0, abeRight, 2},
      {"inside a larger one (Wine)", &kBothAtOrigin, 1, abeRight, 0},
      {"inside a larger one, its top", &kBothAtOrigin, 1, abeTop, 1},
      {"floating", &kSideBySide, 0, abeFloat, 0},
  };
  for (const Case& c : cases) {
    const std::size_t got = ScreenEdgeMonitor(*c.list, c.index, c.edge);
    EXPECT_EQ(got, c.expected) << c.what;
    if (IsDockingEdge(c.edge)) {
      EXPECT_TRUE(IsScreenEdge(*c.list, got, c.edge)) << c.what;
    }
  }
}

TEST(MonitorLayout, OnlyRealDisplayChangesAskForDocking) {
  const MonitorList base = kSideBySide;
  MonitorList swapped = {base[1], base[0]};
  MonitorList newWork = base;
  newWork[1].work.bottom -= 30;
  MonitorList moved = base;
  moved[1].bounds = {-1280, 0, 0, 1024};
  MonitorList renamed = base;
  renamed[1].device = "\\\\.\\DISPLAY3";
  MonitorList newPrimary = base;
  newPrimary[0].primary = false;
  newPrimary[1].primary = true;
  struct Case {
    const char* what;
    const MonitorList& after;
    bool changed;
  } cases[] = {
      {"same", base, false},
      {"another order", swapped, false},
      {"another work area", newWork, false},
      {"moved", moved, true},
      {"renamed", renamed, true},
      {"primary flag", newPrimary, true},
      {"one unplugged", {base[0]}, true},
      {"none", {}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(MonitorsChanged(base, c.after), c.changed) << c.what;

  // Docking looks at the bar's own work area too: the taskbar moved, not our reservation.
  const Rect work = base[0].work;
  EXPECT_FALSE(NeedsRedockForDisplay(base, work, swapped, work));
  EXPECT_TRUE(NeedsRedockForDisplay(base, work, base, {0, 0, 1920, 1000}));
  EXPECT_TRUE(NeedsRedockForDisplay(base, work, moved, work));
  EXPECT_TRUE(NeedsRedockForDisplay({}, work, base, work));  // nothing seen yet
}

TEST(MonitorLayout, RectangleTextRoundTripsAndRejectsDamage) {
  for (const Rect& r : {Rect{0, 0, 1024, 768}, Rect{-1280, -200, 0, 824}, Rect{1920, 0, 3200, 1024}}) {
    EXPECT_EQ(ParseMonitorRect(FormatMonitorRect(r)), r) << FormatMonitorRect(r);
  }
  EXPECT_EQ(FormatMonitorRect({-1280, 0, 0, 1024}), "-1280,0,0,1024");
  EXPECT_EQ(ParseMonitorRect(" 1 , 2 , 3 , 4 "), (Rect{1, 2, 3, 4}));
  for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "a,b,c,d", "1,2,3,4x", "5,0,5,10", "0,10,10,0",
                          "-2147483648,0,2147483647,10", "99999999999,0,1,1", ",,,", "1;2;3;4"}) {
    EXPECT_EQ(ParseMonitorRect(bad), std::nullopt) << bad;
  }
}

TEST(MonitorGeometry, DocksHidesAndChecksAgainstItsOwnMonitor) {
  const DockSizes sizes;                       // 25, 35, 35, 35
  const Rect left = kLeftOfPrimary[0].bounds;  // -1280,0 .. 0,1024
  const Rect above = kStacked[1].bounds;       // 0,-900 .. 1600,0
  struct Case {
    TAppToolBarEdge edge;
    Rect monitor;
    Rect expected;
  } docks[] = {
      {abeLeft, left, {-1280, 0, -1255, 1024}},
      {abeRight, left, {-35, 0, 0, 1024}},
      {abeTop, above, {0, -900, 1600, -865}},
      {abeBottom, above, {0, -35, 1600, 0}},
      {abeRight, kBothAtOrigin[1].bounds, {765, 0, 800, 600}},
  };
  for (const Case& c : docks) {
    EXPECT_EQ(DockRectOnMonitor(c.edge, {}, c.monitor, true, sizes, nullptr), c.expected) << c.edge;
    // The shell is asked about the whole monitor, not the primary screen.
    Rect asked;
    const auto shell = [&](TAppToolBarEdge, Rect r) { return asked = r; };
    DockRectOnMonitor(c.edge, {}, c.monitor, false, sizes, shell);
    EXPECT_EQ(asked, c.monitor);
  }

  const Size border{1, 1};
  const Rect bar{-35, 0, 0, 1024};
  EXPECT_EQ(PlaceForAutoHideOnMonitor(abeRight, true, false, bar, left, border), (Rect{-2, 0, 33, 1024}));
  EXPECT_EQ(PlaceForAutoHideOnMonitor(abeBottom, true, true, {0, -2, 1600, 33}, above, border),
            (Rect{0, -35, 1600, 0}));

  // The timer's checks: a bar spanning its own (shorter) monitor is right; one left past a
  // monitor's right side after the layout changed is brought back.
  using RC = ResolutionCheck;
  EXPECT_FALSE(ResolutionCheckFiresOnMonitor(RC::SpanHeight, abeRight, true, left, {-2, 0, 33, 1024}));
  EXPECT_FALSE(ResolutionCheckFiresOnMonitor(RC::RightOffScreen, abeRight, true, left, {-2, 0, 33, 1024}));
  EXPECT_TRUE(ResolutionCheckFiresOnMonitor(RC::RightOffScreen, abeRight, true, left, {1, 0, 36, 1024}));
  EXPECT_FALSE(ResolutionCheckFiresOnMonitor(RC::BottomOffScreen, abeBottom, true, above, {0, -2, 1600, 33}));

  // A drag on the left monitor is split by that monitor's diagonals, not the primary's.
  EdgeProposal in;
  in.flags = {abfAllowLeft, abfAllowTop, abfAllowRight, abfAllowBottom};
  in.workArea = kLeftOfPrimary[0].work;
  in.screen = SizeOf(left);
  const Point origin{left.left, left.top};
  struct Drag {
    Point pt;
    TAppToolBarEdge expected;
  } drags[] = {
      {{-1270, 512}, abeLeft},
      {{-10, 512}, abeRight},
      {{-640, 5}, abeTop},
      {{-640, 1020}, abeBottom},
  };
  for (const Drag& d : drags) {
    in.pt = d.pt;
    EXPECT_EQ(ProposeEdge(in, origin), d.expected) << d.pt.x << "," << d.pt.y;
  }
  in.pt = {-10, 512};
  EXPECT_EQ(ProposeEdge(in, {0, 0}), abeLeft);  // read against the primary's centre it would be wrong
}

}  // namespace
}  // namespace wendlix
