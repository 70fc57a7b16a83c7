#include <gtest/gtest.h>

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
      {70, 6, 4, 105}, {1, 1, 0, -1},    {0x40000000, 4, 1, -1}, {0x40000000, 2, 2, 0x40000000}};
  for (const Case& c : cases)
    EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MessageBoxMetrics, SpacingFollowsDialogUnitsAndTheWidestKeptCaption) {
  EXPECT_EQ(DialogUnitsFromExtent(364, 16).x, 7);  // 52 letters, integer division
  EXPECT_EQ(DialogUnitsFromExtent(415, 16).x, 7);
  const MessageFormSpacing s = SpacingFor({7, 16}, 0);
  EXPECT_EQ(s.horzMargin, 32);
  EXPECT_EQ(s.vertMargin, 16);
  EXPECT_EQ(s.horzSpacing, 27);
  EXPECT_EQ(s.vertSpacing, 8);
  EXPECT_EQ(s.buttonWidth, 123);
  EXPECT_EQ(s.buttonHeight, 28);
  EXPECT_EQ(s.buttonSpacing, 7);
  EXPECT_EQ(SpacingFor({7, 16}, 100).buttonWidth, 123);  // a narrower caption does not shrink it
  EXPECT_EQ(SpacingFor({7, 16}, 150).buttonWidth, 150);
}

TEST(MessageBoxMetrics, DefaultAndCancelButtonsAndOrder) {
  EXPECT_EQ(mbOKOnly, 4);
  EXPECT_EQ(mbOKCancel, 12);
  EXPECT_EQ(ButtonInfo(mbHelp).modalResult, mrNone);  // Help never closes the box

  using B = TMsgDlgBtn;
  struct Case {
    TMsgDlgButtons set;
    std::optional<B> def, cancel;
  };
  const auto bits = [](std::initializer_list<B> bs) {
    TMsgDlgButtons set = 0;
    for (B b : bs) set |= MsgDlgBit(b);
    return set;
  };
  const Case cases[] = {
      {mbOKOnly, mbOK, mbOK},
      {mbOKCancel, mbOK, mbCancel},
      {bits({mbYes, mbNo}), mbYes, mbNo},
      {bits({mbYes, mbNo, mbCancel}), mbYes, mbCancel},
      {bits({mbRetry, mbCancel}), mbRetry, mbCancel},
      {bits({mbAbort, mbRetry, mbIgnore}), mbRetry, std::nullopt},
      {0, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultButtonOf(c.set), c.def) << c.set;
    EXPECT_EQ(CancelButtonOf(c.set), c.cancel) << c.set;
  }
  const std::vector<B> order = ButtonsOf(bits({mbHelp, mbCancel, mbYes}));
  EXPECT_EQ(order, (std::vector<B>{mbYes, mbCancel, mbHelp}));
}

TEST(MessageBoxMetrics, ButtonWidthsAreKeptFromTheFirstMeasurement) {
  ButtonWidthCache cache;
  EXPECT_FALSE(cache.Kept(mbOK));
  EXPECT_EQ(cache.WidestKept(mbOKCancel), 0);
  EXPECT_EQ(cache.Keep(mbOK, 40), 48);
  EXPECT_EQ(cache.Keep(mbOK, 90), 48);  // a later measurement does not replace it
  EXPECT_EQ(cache.Keep(mbCancel, 60), 68);
  EXPECT_EQ(cache.Kept(mbOK), 48);
  EXPECT_EQ(cache.WidestKept(mbOKOnly), 48);
  EXPECT_EQ(cache.WidestKept(mbOKCancel), 68);
  EXPECT_EQ(cache.WidestKept(MsgDlgBit(mbYes)), 0);
  EXPECT_EQ(cache.Keep(mbYes, -5), 8);  // nothing measured is still measured once
  EXPECT_EQ(cache.Keep(static_cast<TMsgDlgBtn>(40), 10), 0);
}

TEST(MessageBoxLayout, SizesPlacesAndMirrors) {
  MessageFormInput in;
  in.units = {7, 16};
  in.screen = {1024, 768};

  // Short one-line warning: icon and text decide the width, the icon the height.
  in.text = {100, 16};
  MessageFormLayout l = LayoutMessageForm(in);
  EXPECT_EQ(l.client, (Size{100 + 32 + 27 + 64 + 8, 32 + 28 + 8 + 25 + 32 + 20}));
  EXPECT_EQ(l.position, (Point{512 - 231 / 2, 384 - 145 / 2}));
  EXPECT_EQ(l.icon, MakeRect(32, 41, 32, 32));
  EXPECT_EQ(l.text, MakeRect(91, 41, 100, 16));
  ASSERT_EQ(l.buttons.size(), 1u);
  EXPECT_EQ(l.buttons[0].bounds, MakeRect(231 - 123 - 4 - 8, 145 - 22 - 8, 123, 28));
  EXPECT_EQ(l.defaultButton, mbOK);
  EXPECT_EQ(l.cancelButton, mbOK);

  // Two buttons are wider than the text: the button row decides, buttons left to right.
  in.type = mtConfirmation;
  in.buttons = mbOKCancel;
  l = LayoutMessageForm(in);
  EXPECT_EQ(l.client.cx, 2 * 123 + 7 + 64 + 8);
  ASSERT_EQ(l.buttons.size(), 2u);
  EXPECT_EQ(l.buttons[0].button, mbOK);
  EXPECT_EQ(l.buttons[0].bounds.left, 60);
  EXPECT_EQ(l.buttons[1].button, mbCancel);
  EXPECT_EQ(l.buttons[1].bounds.left, 60 + 123 + 7);
  EXPECT_EQ(l.buttons[1].bounds.right, l.client.cx - 4 - 8);

  // Tall text grows the height; a custom box has no icon and the text starts at the margin.
  in.type = mtCustom;
  in.buttons = 0;
  in.text = {300, 48};
  l = LayoutMessageForm(in);
  EXPECT_FALSE(l.icon);
  EXPECT_TRUE(l.buttons.empty());
  EXPECT_EQ(l.client, (Size{372, 48 + 28 + 8 + 25 + 32 + 20}));
  EXPECT_EQ(l.text.left, 32);
  in.rightToLeft = true;
  EXPECT_EQ(LayoutMessageForm(in).text.left, 372 - 32 - 300);

  // Wider kept captions widen every button of the set.
  in.rightToLeft = false;
  in.buttons = mbOKCancel;
  in.widestKeptButton = 150;
  in.text = {10, 10};
  l = LayoutMessageForm(in);
  EXPECT_EQ(l.client.cx, 2 * 150 + 7 + 64 + 8);
  EXPECT_EQ(l.buttons[1].bounds.Width(), 150);

  // Negative measurements (a failed measure) are treated as empty text, not as a shrink.
  in.text = {-50, -50};
  in.type = mtWarning;
  EXPECT_EQ(LayoutMessageForm(in).client.cy, 32 + 28 + 8 + 25 + 32 + 20);
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
