#include "core/ui/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/appbar/auto_hide.h"
#include "core/ui/dpi_change.h"
#include "core/ui/message_box_metrics.h"

namespace wendlix {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192};  // 100, 125, 150, 175, 200 %

TEST(DpiScale, ScalesTheBarsSizesRoundingAsMulDiv) {
  struct Row {
    int px;
    int at[5];  // at 96, 120, 144, 168, 192
  };
  const Row rows[] = {
      {86, {86, 108, 129, 151, 172}},  // bar width: 107.5 and 150.5 round up
      {25, {25, 31, 38, 44, 50}},      // title, small cell: 31.25, 37.5, 43.75
      {38, {38, 48, 57, 67, 76}},      // large cell: 47.5, 66.5 round up
      {2, {2, 3, 3, 4, 4}},            // 2.5 rounds away from zero
      {1, {1, 1, 2, 2, 2}},            // 1.25, 1.5, 1.75
      {-3, {-3, -4, -5, -5, -6}}       // -3.75, -4.5, -5.25: halves away from zero
  };
  for (const Row& r : rows) {
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(ScalePx(r.px, kDpis[i]), r.at[i]) << r.px << " px at " << kDpis[i];
      EXPECT_EQ(DpiScale(kDpis[i])(r.px), r.at[i]);
    }
  }
}

TEST(DpiScale, KeepsMinimumsAndBadAnswers) {
  // Below 96 a one-pixel line would round to nothing: it stays one pixel.
  EXPECT_EQ(ScalePx(1, 48), 1);
  EXPECT_EQ(ScalePx(-1, 48), -1);
  EXPECT_EQ(ScalePx(3, 72), 2);  // 2.25
  // A DPI of zero (no answer) is 96; absurd answers are held to the range.
  EXPECT_EQ(ValidDpi(0), 96);
  EXPECT_EQ(ValidDpi(1), kMinDpi);
  EXPECT_EQ(ValidDpi(100000), kMaxDpi);
  EXPECT_EQ(DpiScale(0), DpiScale());
  EXPECT_EQ(ScalePx(86, 100000), 86 * 10);
  // A damaged stored size does not wrap around.
  EXPECT_EQ(ScalePx(INT_MAX, 192), INT_MAX);
  EXPECT_EQ(ScalePx(INT_MIN, 192), INT_MIN);
  EXPECT_EQ(UnscalePx(INT_MAX, 48), INT_MAX);
}

TEST(DpiScale, StoredSizesComeBackUnchanged) {
  for (int dpi : kDpis) {
    for (int stored = 0; stored <= 2000; ++stored) {
      // Shown at `dpi` and stored again at close: the file keeps its value.
      ASSERT_EQ(UnscalePx(ScalePx(stored, dpi), dpi), stored) << stored << " at " << dpi;
    }
  }
  // What the user sized to at 150 % is stored at 96 DPI and shown again within a pixel.
  for (int shown = 30; shown <= 600; ++shown) {
    const int again = ScalePx(UnscalePx(shown, 144), 144);
    ASSERT_LE(std::abs(again - shown), 1) << shown;
  }
  EXPECT_EQ(UnscalePx(130, 144), 87);  // 86.67
}

TEST(DpiTracker, TakesAChangeOnlyWhenSetUpAndNotWhileApplying) {
  DpiTracker t(96);
  // The notice Windows sends while the window is created is not a change.
  EXPECT_FALSE(t.Take(144));
  EXPECT_EQ(t.Dpi(), 96);
  t.SetReady();
  EXPECT_FALSE(t.Take(96));  // the same DPI: nothing to do
  EXPECT_FALSE(t.Take(0));   // no answer
  EXPECT_TRUE(t.Take(144));
  EXPECT_EQ(t.Scale(), DpiScale(144));
  {
    // Re-laying the bar moves it, which may bring another notice: it is not taken.
    DpiApplyScope applying(t);
    EXPECT_FALSE(t.Take(192));
    EXPECT_EQ(t.Dpi(), 144);
  }
  EXPECT_FALSE(t.Take(144));  // a re-check that finds the DPI already taken
  EXPECT_TRUE(t.Take(192));
  EXPECT_TRUE(t.Take(96));
  EXPECT_EQ(t.Scale(), DpiScale());
}

TEST(DpiTracker, RescalesADockThicknessBetweenMonitors) {
  EXPECT_EQ(RescalePx(86, 96, 144), 129);
  EXPECT_EQ(RescalePx(172, 192, 120), 108);  // 107.5
  EXPECT_EQ(RescalePx(1, 192, 96), 1);       // 0.5 rounds up; a thickness never vanishes
  // There and back across every pair of the usual DPIs stays within a pixel.
  for (int a : kDpis) {
    for (int b : kDpis) {
      for (int px = 20; px < 400; ++px) {
        ASSERT_LE(std::abs(RescalePx(RescalePx(px, a, b), b, a) - px), 1) << px << " " << a << " " << b;
      }
    }
  }
}

TEST(DpiLayouts, MessageBoxFixedSizesScaleWithTheFontsUnits) {
  MessageFormInput in;
  in.screen = {1920, 1080};
  in.text = {150, 24};
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const DpiScale s(dpi);
    in.scale = s;
    in.units = {s(7), s(16)};  // the font, made at the DPI, measures larger
    const MessageFormLayout l = LayoutMessageForm(in);
    // The icon below the caption strip, and the text beside it; nothing overlaps.
    ASSERT_TRUE(l.icon);
    EXPECT_EQ(*l.icon, MakeRect(l.spacing.horzMargin, l.spacing.vertMargin + s(25), s(32), s(32)));
    EXPECT_GE(l.text.left, l.icon->right);
    ASSERT_EQ(l.buttons.size(), 1u);
    const Rect ok = l.buttons[0].bounds;
    EXPECT_EQ(ok.right, l.client.cx - s(4) - s(8));
    EXPECT_EQ(ok.top, l.client.cy - s(22) - s(8));
    EXPECT_GE(ok.top, l.icon->bottom);
    EXPECT_LE(ok.bottom, l.client.cy);
  }
}

TEST(DpiLayouts, HiddenBarSliverAndNearAreaScale) {
  const Rect shown{2880 - 129, 0, 2880, 1620};
  // The pointer counts as near within the window grown by twice the double-click area and
  // shrunk by the scaled inset: with both at 150 % exactly the window, as at 96 DPI.
  AutoHideTickInput in;
  in.window = shown;
  in.doubleClick = {6, 6};
  in.inset = ScalePx(8, 144);
  in.cursor = {shown.left, 800};
  EXPECT_EQ(DecideAutoHideTick(in).slide, TickSlide::Show);
  in.cursor = {shown.left - 1, 800};
  EXPECT_EQ(DecideAutoHideTick(in).slide, TickSlide::Hide);
}

}  // namespace
}  // namespace wendlix
