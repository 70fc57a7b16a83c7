#include <gtest/gtest.h>

#include <algorithm>

#include "core/ui/message_box_animation.h"
#include "core/ui/message_box_metrics.h"

namespace wendlix {
namespace {

TEST(MessageBoxMetrics, MulDivRoundsHalfAwayFromZeroAndRefusesZero) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {18, 7, 4, 32},  {-18, 7, 4, -32}, {18, 7, -4, -32},       {5, 3, 2, 8},
      {70, 6, 4, 105}, {1, 1, 0, -1},    {0x40000000, 4, 1, -1}, {0x40000000, 2, 2, 0x40000000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MessageBoxMetrics, DefaultAndCancelButtonsAndOrder) {
  EXPECT_EQ(ButtonInfo(mbHelp).modalResult, mrNone);  // Help never closes the box
  using B = TMsgDlgBtn;
  const auto bits = [](std::initializer_list<B> bs) {
    TMsgDlgButtons set = 0;
    for (B b : bs) set |= MsgDlgBit(b);
    return set;
  };
  struct Case {
    TMsgDlgButtons set;
    std::optional<B> def, cancel;
  };
  const Case cases[] = {
      {mbOKOnly, mbOK, mbOK},
      {bits({mbYes, mbNo}), mbYes, mbNo},
      {bits({mbYes, mbNo, mbCancel}), mbYes, mbCancel},
      {bits({mbAbort, mbRetry, mbIgnore}), mbRetry, std::nullopt},
      {0, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultButtonOf(c.set), c.def) << c.set;
    EXPECT_EQ(CancelButtonOf(c.set), c.cancel) << c.set;
  }
  EXPECT_EQ(ButtonsOf(bits({mbHelp, mbCancel, mbYes})), (std::vector<B>{mbYes, mbCancel, mbHelp}));
}

TEST(MessageBoxMetrics, ButtonWidthsAreKeptFromTheFirstMeasurement) {
  ButtonWidthCache cache;
  EXPECT_EQ(cache.WidestKept(mbOKCancel), 0);
  EXPECT_EQ(cache.Keep(mbOK, 40), 48);
  EXPECT_EQ(cache.Keep(mbOK, 90), 48);  // a later measurement does not replace it
  EXPECT_EQ(cache.Keep(mbCancel, 60), 68);
  EXPECT_EQ(cache.WidestKept(mbOKCancel), 68);
  EXPECT_EQ(cache.Keep(mbYes, -5), 8);  // nothing measured is still measured once
  EXPECT_EQ(cache.Keep(static_cast<TMsgDlgBtn>(40), 10), 0);
}

// What the user sees: everything inside the box, buttons in a right-aligned row, the box centred.
TEST(MessageBoxLayout, ContentFitsButtonsRowUpAndTheBoxIsCentred) {
  MessageFormInput in;
  in.units = {7, 16};
  in.screen = {1024, 768};
  const auto inside = [](const MessageFormLayout& l, const Rect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= l.client.cx && r.bottom <= l.client.cy;
  };
  in.text = {100, 16};
  MessageFormLayout l = LayoutMessageForm(in);
  EXPECT_EQ(l.client, (Size{231, 145}));
  EXPECT_EQ(l.position, (Point{397, 312}));
  EXPECT_EQ(l.icon, MakeRect(32, 41, 32, 32));
  EXPECT_EQ(l.text, MakeRect(91, 41, 100, 16));
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_EQ(l.buttons[0].bounds, MakeRect(96, 115, 123, 28));

  // Two buttons wider than the text decide the width; a wider kept caption widens both.
  in.type = mtConfirmation;
  in.buttons = mbOKCancel;
  for (int kept : {0, 100, 150}) {
    in.widestKeptButton = kept;
    l = LayoutMessageForm(in);
    const int width = std::max(kept, 123);
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].button, mbOK);
    EXPECT_EQ(l.buttons[1].bounds.left, l.buttons[0].bounds.right + 7) << kept;
    EXPECT_EQ(l.buttons[1].bounds.Width(), width) << kept;
    EXPECT_EQ(l.buttons[1].bounds.right, l.client.cx - 12) << kept;
    EXPECT_EQ(l.client.cx, 2 * width + 7 + 72) << kept;
    EXPECT_TRUE(inside(l, l.text) && inside(l, l.buttons[0].bounds)) << kept;
  }

  // Tall text grows the height; a custom box has no icon; right-to-left mirrors the text.
  in = {};
  in.units = {7, 16};
  in.screen = {1024, 768};
  in.type = mtCustom;
  in.buttons = 0;
  in.text = {300, 48};
  l = LayoutMessageForm(in);
  EXPECT_FALSE(l.icon);
  EXPECT_TRUE(l.buttons.empty());
  EXPECT_EQ(l.client, (Size{372, 161}));
  EXPECT_EQ(l.text.left, 32);
  in.rightToLeft = true;
  EXPECT_EQ(LayoutMessageForm(in).text.left, 372 - 32 - 300);

  // A failed measurement is empty text, not a shrink.
  in.text = {-50, -50};
  in.type = mtWarning;
  EXPECT_EQ(LayoutMessageForm(in).client.cy, 145);
  EXPECT_EQ(MessageWrapWidth(1025), 512);
}

TEST(MessageBoxAnimation, OriginByPosition) {
  struct Case {
    FormPosition pos;
    Rect window;
    std::optional<Size> mdi;
    Point expected;
  };
  const Case cases[] = {
      {FormPosition::ScreenCenter, MakeRect(5, 5, 300, 200), std::nullopt, {362, 284}},
      {FormPosition::DesktopCenter, MakeRect(5, 5, 300, 200), std::nullopt, {874, 284}},
      {FormPosition::ScreenCenter, MakeRect(5, 5, 1200, 900), std::nullopt, {0, 0}},  // never negative
      {FormPosition::ScreenCenter, MakeRect(5, 5, 300, 200), Size{600, 400}, {150, 100}},
      {FormPosition::Designed, MakeRect(-7, 9, 300, 200), std::nullopt, {-7, 9}},
  };
  for (const Case& c : cases) {
    OpenAnimationInput in{c.pos, c.window, {1024, 768}, {2048, 768}, c.mdi};
    EXPECT_EQ(OpenAnimationOrigin(in), c.expected) << static_cast<int>(c.pos);
  }
}

TEST(MessageBoxAnimation, FramesGrowFromTheCentreAndStayInsideTheWindow) {
  OpenAnimationPlan p = PlanOpenAnimation({100, 50}, {320, 160});
  ASSERT_EQ(p.frames.size(), 15u);  // the 16th would reach above the window's top + 1
  EXPECT_EQ(p.frames.front(), (Rect{250, 125, 270, 135}));
  EXPECT_EQ(p.frames.back(), (Rect{110, 55, 410, 205}));
  EXPECT_EQ(p.last, p.frames.back());
  for (std::size_t i = 1; i < p.frames.size(); ++i) {
    EXPECT_EQ(p.frames[i].left, p.frames[i - 1].left - 10);
    EXPECT_GE(p.frames[i].top, 51);
    EXPECT_LE(p.frames[i].right, 420);
  }
  EXPECT_EQ(FrameInside(p.frames.back()), (Rect{112, 57, 408, 203}));

  // Narrower than 32 pixels: steps of 4.
  p = PlanOpenAnimation({0, 0}, {20, 20});
  EXPECT_EQ(p.frames, (std::vector<Rect>{{6, 6, 14, 14}, {2, 2, 18, 18}}));

  // A wide flat window stops on its height; nothing to draw for an empty one.
  p = PlanOpenAnimation({0, 0}, {640, 10});
  EXPECT_EQ(p.frames.size(), 12u);
  for (const Rect& r : p.frames) EXPECT_GE(r.top, 1);
  EXPECT_TRUE(PlanOpenAnimation({0, 0}, {0, 100}).frames.empty());
  EXPECT_FALSE(PlanOpenAnimation({0, 0}, {-5, 100}).last);
}

}  // namespace
}  // namespace wendlix
