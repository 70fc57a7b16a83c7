#include <gtest/gtest.h>

#include "core/appbar/auto_hide.h"

namespace wendlix {
namespace {

TEST(AppBarAutoHide, PlacesShownAndHiddenBarsOnSeveralScreens) {
  struct Case {
    TAppToolBarEdge edge;
    bool show;
    Rect r;
    Rect monitor;
    Size border;
    Rect expected;
  };
  const Case cases[] = {
      {abeLeft, false, {0, 0, 60, 768}, {0, 0, 1024, 768}, {1, 1}, {-58, 0, 2, 768}},
      {abeBottom, false, {0, 718, 1024, 768}, {0, 0, 1024, 768}, {1, 1}, {0, 766, 1024, 816}},
      {abeRight, false, {938, 0, 1024, 768}, {0, 0, 1024, 768}, {1, 1}, {1022, 0, 1108, 768}},
      {abeTop, false, {0, 0, 1920, 35}, {0, 0, 1920, 1080}, {2, 2}, {0, -31, 1920, 4}},
      {abeLeft, true, {-58, 0, 2, 768}, {0, 0, 1024, 768}, {1, 1}, {0, 0, 60, 768}},
      {abeRight, true, {1022, 300, 1108, 700}, {0, 0, 1280, 1024}, {1, 1}, {1194, 0, 1280, 400}},  // new
                                                                                                   // screen
      {abeBottom, true, {0, 766, 1024, 816}, {0, 0, 1024, 768}, {1, 1}, {0, 718, 1024, 768}},
      {abeTop, true, {40, -33, 1064, 2}, {0, 0, 1024, 768}, {1, 1}, {0, 0, 1024, 35}}  // always at the left
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceForAutoHideOnMonitor(c.edge, true, c.show, c.r, c.monitor, c.border), c.expected)
        << c.edge << c.show;
  }
  EXPECT_EQ(PlaceForAutoHideOnMonitor(abeRight, false, false, {0, 0, 9, 9}, {0, 0, 1024, 768}, {1, 1}),
            std::nullopt);
  EXPECT_EQ(PlaceForAutoHideOnMonitor(abeUnknown, true, true, {0, 0, 9, 9}, {0, 0, 1024, 768}, {1, 1}),
            std::nullopt);
}

TEST(AppBarSlide, FrameCountsAndTheirRounding) {
  const Rect shown{938, 0, 1024, 768}, hidden{1022, 0, 1108, 768};
  EXPECT_EQ(SlideFrames(shown, hidden, 40, true).size(), 40u);
  EXPECT_EQ(ShowSlideInterval(40), 13);
  EXPECT_EQ(SlideFrames(hidden, shown, ShowSlideInterval(40), true).size(), 13u);
  const int thirds[][2] = {{60, 20}, {10, 3}, {130, 43}, {41, 14}, {2, 1}, {1, 0}, {0, 0}, {-40, -13}};
  for (auto [n, third] : thirds) EXPECT_EQ(ShowSlideInterval(n), third) << n;
  EXPECT_TRUE(SlideFrames(shown, hidden, 0, true).empty());
  EXPECT_TRUE(SlideFrames(shown, hidden, 40, false).empty());  // no full dragging: jump
  EXPECT_TRUE(SlideFrames(shown, shown, 40, true).empty());

  // Left bar 60 wide sliding between X = 0 and X = -58: k * 58 / 40, toward zero both ways.
  const auto out = SlideFrames({-58, 0, 2, 768}, {0, 0, 60, 768}, 40, true);
  const auto back = SlideFrames({0, 0, 60, 768}, {-58, 0, 2, 768}, 40, true);
  EXPECT_EQ(out.front(), (Rect{-58, 0, 2, 768}));
  EXPECT_EQ(out[1].left, -57);  // -58 - (-58 * 1 / 40): -1.45 truncates to -1, not -2
  EXPECT_EQ(out[39].left, -2);  // -58 + 56
  EXPECT_EQ(back[1].left, -1);
  EXPECT_EQ(back[39].left, -56);

  // Size changes too, and a huge interval is capped without overflowing.
  const auto grow = SlideFrames({0, 0, 10, 10}, {0, 0, 50, 90}, 4, true);
  EXPECT_EQ(grow[2], (Rect{0, 0, 30, 50}));
  const auto huge = SlideFrames({-30000, 0, 0, 30000}, {30000, 0, 60000, 30000}, 2000000000, true);
  ASSERT_EQ(huge.size(), static_cast<std::size_t>(kMaxSlideFrames));
  EXPECT_EQ(huge.back().left, -30000 + 60000 * (kMaxSlideFrames - 1) / kMaxSlideFrames);
}

TEST(AppBarTimerTick, ResolutionChecksKeepTheBarSpanningTheScreen) {
  using RC = ResolutionCheck;
  struct Case {
    RC check;
    TAppToolBarEdge edge;
    Rect monitor;
    Rect window;
    bool fires;
  };
  const Case cases[] = {
      {RC::SpanWidth, abeTop, {0, 0, 1280, 1024}, {0, 0, 1024, 35}, true},
      {RC::SpanWidth, abeBottom, {0, 0, 1024, 768}, {0, 766, 1024, 816}, false},
      {RC::SpanWidth, abeLeft, {0, 0, 1280, 1024}, {0, 0, 86, 768}, false},
      {RC::SpanHeight, abeRight, {0, 0, 1280, 1024}, {1194, 0, 1280, 768}, true},
      {RC::SpanHeight, abeLeft, {0, 0, 1024, 768}, {-84, 0, 2, 768}, false},
      {RC::SpanHeight, abeTop, {0, 0, 1024, 600}, {0, 0, 1024, 35}, false},
      {RC::RightOffScreen, abeRight, {0, 0, 800, 600}, {1022, 0, 1108, 600}, true},  // smaller screen
      {RC::RightOffScreen, abeRight, {0, 0, 1024, 768}, {1022, 0, 1108, 768}, false},
      {RC::BottomOffScreen, abeBottom, {0, 0, 800, 600}, {0, 766, 800, 816}, true},
      {RC::BottomOffScreen, abeBottom, {0, 0, 1024, 768}, {0, 766, 1024, 816}, false},
      {RC::BottomOffScreen, abeRight, {0, 0, 800, 600}, {0, 766, 800, 816}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolutionCheckFiresOnMonitor(c.check, c.edge, true, c.monitor, c.window), c.fires)
        << int(c.check);
    EXPECT_FALSE(ResolutionCheckFiresOnMonitor(c.check, c.edge, false, c.monitor, c.window));
  }
}

TEST(AppBarTimerTick, SlidesByPointerAndActiveWindow) {
  const Rect hiddenRight{1022, 0, 1108, 768};
  const Rect shownRight{938, 0, 1024, 768};
  const AutoHideTickDecision none{}, hide{TickSlide::Hide, true}, show{TickSlide::Show, false};
  struct Case {
    bool active, hold, byMouseDown;
    Point cursor;
    Rect window;
    Size dbl;
    AutoHideTickDecision expected;
  };
  const Case cases[] = {
      {false, false, false, {1023, 400}, hiddenRight, {4, 4}, show},  // touches the sliver
      {false, false, false, {1021, 400}, hiddenRight, {4, 4}, hide},  // just beside it
      {false, false, false, {938, 400}, shownRight, {4, 4}, show},
      {false, false, false, {937, 400}, shownRight, {4, 4}, hide},
      {false, false, false, {1024, 400}, shownRight, {4, 4}, hide},  // right is outside
      {false, false, false, {934, 400}, shownRight, {6, 6}, show},   // larger double-click area: 4 more
      {true, false, false, {100, 100}, shownRight, {4, 4}, none},    // active bar stays out
      {true, false, false, {100, 100}, hiddenRight, {4, 4}, none},
      {true, false, false, {1023, 400}, hiddenRight, {4, 4}, show},  // activation fell to a hidden bar
      {true, false, false, {938, 400}, shownRight, {4, 4}, show},
      {true, false, true, {1023, 400}, hiddenRight, {4, 4}, none},
      {false, false, true, {1023, 400}, hiddenRight, {4, 4}, none},  // only a press brings it out
      {false, false, true, {100, 100}, shownRight, {4, 4}, hide},
      {false, true, false, {100, 100}, shownRight, {4, 4}, none},  // menu or drag under way
      {false, true, false, {1023, 400}, hiddenRight, {4, 4}, show},
      {false, false, false, {1500, 400}, hiddenRight, {4, 4}, hide}  // on a monitor to the right
  };
  for (const Case& c : cases) {
    AutoHideTickInput in{true, c.active, c.hold, c.byMouseDown, c.cursor, c.window, c.dbl};
    EXPECT_EQ(DecideAutoHideTick(in), c.expected) << c.cursor.x << " active " << c.active;
    in.autoHide = false;
    EXPECT_EQ(DecideAutoHideTick(in), none);
  }
}

TEST(AppBarZOrder, FullScreenApplicationsCoverTheBar) {
  EXPECT_EQ(ChooseZOrder(true, false, false), BarZOrder::Topmost);
  EXPECT_EQ(ChooseZOrder(false, true, false), BarZOrder::Topmost);
  EXPECT_EQ(ChooseZOrder(false, false, false), BarZOrder::NotTopmost);
  EXPECT_EQ(ChooseZOrder(true, true, true), BarZOrder::BelowFullScreenApp);
  EXPECT_EQ(ChooseZOrder(false, false, true), BarZOrder::NotTopmost);
  EXPECT_EQ(TimerIntervalFor(800), 800);
  EXPECT_EQ(TimerIntervalFor(0), 10);
}

}  // namespace
}  // namespace wendlix
