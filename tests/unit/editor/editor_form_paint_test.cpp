#include <gtest/gtest.h>

#include "core/editor/editor_geometry.h"
#include "core/editor/editor_strip.h"

namespace wendlix {
namespace {

TEST(EditorGeometry, ThePanelSetsTheClientAndTheButtonsSitBottomRight) {
  const EditorFormLayout l = LayoutEditorForm({true, {509, 282}, 20, 4, {75, 25}, {80, 25}});
  EXPECT_EQ(l.Client, (Size{517, 347}));
  EXPECT_EQ(l.Panel, MakeRect(4, 20, 509, 282));
  EXPECT_EQ(l.CaptionStrip, MakeRect(0, 0, 517, 20));
  EXPECT_EQ(l.CancelButton, MakeRect(427, 312, 80, 25));
  EXPECT_EQ(l.OkButton, MakeRect(350, 312, 75, 25));
  EXPECT_EQ(l.Bevel1, (Rect{0, 1, 517, 347}));
  EXPECT_EQ(l.Bevel9, (Rect{1, 1, 516, 346}));
  EXPECT_EQ(LayoutEditorForm({false, {0, 0}, 20, 4, {75, 25}, {80, 25}}).Client, (Size{8, 65}));
}

TEST(EditorGeometry, ADragNearTheListsEdgesScrollsIt) {
  // 17-pixel rows in a list 128 pixels high.
  struct Case {
    int rowTop;
    bool topVisible, hasPredecessor;
    int scroll;
  } cases[] = {
      {119, false, true, 119},  // a row cut by the bottom edge comes to the top
      {104, false, true, 0},    // 24 pixels from the bottom: not yet
      {0, true, true, -17},     // the top row with one above it: one row up
      {0, true, false, 0},      // the very first row
      {51, false, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DragScrollBy(c.rowTop, 17, 128, c.topVisible, c.hasPredecessor), c.scroll) << c.rowTop;
}

constexpr ColorRef kFace = ColorRefFromRgb(200, 100, 30);
constexpr ColorRef kHighlight = ColorRefFromRgb(255, 255, 254);
constexpr ColorRef kShadow = ColorRefFromRgb(128, 128, 129);

ColorRef SysColor(int index) {
  if (index == kClBtnFaceIndex) return kFace;
  return index == kClBtnHighlightIndex ? kHighlight : kShadow;
}

TEST(EditorStrip, ShadesClipPerChannel) {
  EXPECT_EQ(ShiftColor(kFace, 70), ColorRefFromRgb(255, 170, 100));
  EXPECT_EQ(ShiftColor(kFace, -70), ColorRefFromRgb(130, 30, 0));
  EXPECT_EQ(ShiftColor(0x80FFFFFFu, 0), 0x00FFFFFFu);  // no stray high byte
}

TEST(EditorStrip, GripLinesAroundTheCaptionAndTheDoubleFrame) {
  PixelBuffer strip(200, 20);
  const CaptionStripLayout l = PaintTitleStrip(strip, {60, 12}, SysColor);
  EXPECT_EQ(l.Text, (Point{70, 4}));
  EXPECT_EQ(l.Icon, (Point{5, 2}));
  const Pixel face = ColorRefToPixel(kFace), light = ColorRefToPixel(ShiftColor(kFace, 70)),
              dark = ColorRefToPixel(ShiftColor(kFace, -70));
  const Pixel hi = ColorRefToPixel(kHighlight), sh = ColorRefToPixel(kShadow);
  // Grip lines left and right of the caption, the face under it (the text is drawn there
  // afterwards), and the double frame drawn last: highlight left and top, shadow right, the
  // inner one at 2 and width - 2.
  struct Probe {
    int x, y;
    Pixel expected;
  } probes[] = {
      {24, 4, face},   {25, 4, light}, {64, 4, light},  {65, 4, face},   {134, 4, face}, {135, 4, light},
      {194, 4, light}, {195, 4, face}, {25, 5, face},   {26, 5, dark},   {65, 5, dark},  {66, 5, face},
      {136, 5, dark},  {195, 5, dark}, {196, 5, face},  {30, 16, light}, {30, 17, dark}, {30, 18, face},
      {30, 3, dark},   {1, 10, face},  {100, 19, face}, {100, 4, face},  {0, 10, hi},    {100, 0, hi},
      {199, 10, sh},   {2, 10, hi},    {10, 2, hi},     {198, 10, sh},
  };
  for (const Probe& p : probes) EXPECT_EQ(strip.At(p.x, p.y), p.expected) << p.x << "," << p.y;
}

TEST(EditorStrip, ACaptionWiderThanTheStripDrawsNoGripLine) {
  for (int textWidth : {300, 200, 190}) {
    PixelBuffer strip(200, 20);
    const CaptionStripLayout l = PaintTitleStrip(strip, {textWidth, 12}, SysColor);
    EXPECT_EQ(l.Text.x, (200 - textWidth) / 2);
    const Pixel light = ColorRefToPixel(ShiftColor(kFace, 70)),
                dark = ColorRefToPixel(ShiftColor(kFace, -70));
    int shaded = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 200; ++x) shaded += strip.At(x, y) == light || strip.At(x, y) == dark;
    EXPECT_EQ(shaded, 0) << textWidth;
  }
  PixelBuffer tiny(3, 3);
  PaintTitleStrip(tiny, {10, 10}, {});  // no colours known, no room: nothing outside the buffer
  EXPECT_EQ(tiny.Width(), 3);
}

}  // namespace
}  // namespace wendlix
