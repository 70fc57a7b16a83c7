#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/paint/draw_gradient.h"

namespace wendlix {
namespace {

constexpr Pixel kUntouched = 0x00123456;

Pixel Px(int r, int g, int b) { return ColorRefToPixel(ColorRefFromRgb(r, g, b)); }

TGradient Bands(TGradientStyle style, int colorCount, int lineSize, std::array<ColorRef, 5> colors) {
  TGradient g;
  g.GradientStyle = style;
  g.ColorCount = colorCount;
  g.LineSize = lineSize;
  g.Colors = colors;
  return g;
}

TEST(DrawGradient, OneColorCountPaintsColor1AloneInEveryStyle) {
  const ColorRef c1 = ColorRefFromRgb(10, 200, 30);
  for (auto style : {TGradientStyle::gsLine, TGradientStyle::gsEllipse, TGradientStyle::gsRect,
                     TGradientStyle::gsCustomRect}) {
    for (auto dir : {TDirection::diHorizonal, TDirection::diVertical}) {
      TGradient g = Bands(style, 1, 2, {c1, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000});
      g.LineDirection = dir;
      PixelBuffer canvas(37, 23, kUntouched);
      DrawGradient(canvas, {0, 0, 37, 23}, g);
      // Ellipses leave the corners; every other style covers the area.
      const auto painted = std::count(canvas.Data(), canvas.Data() + 37 * 23, ColorRefToPixel(c1));
      const auto untouched = std::count(canvas.Data(), canvas.Data() + 37 * 23, kUntouched);
      EXPECT_EQ(painted + untouched, 37 * 23);
      EXPECT_EQ(untouched == 0, style != TGradientStyle::gsEllipse) << static_cast<int>(style);
    }
  }
}

TEST(DrawGradient, BarStripWalksFromColorThroughShiftedStopToColor) {
  // The bar's settings: LineSize 1, ColorCount 2, middle stop the final colour shifted by 10.
  const ColorRef mid = ShiftColor(ColorRefFromRgb(40, 90, 140), 10);
  ASSERT_EQ(mid, ColorRefFromRgb(50, 100, 150));
  TGradient g = Bands(TGradientStyle::gsLine, 2, 1, {0, mid, ColorRefFromRgb(100, 100, 0), 0, 0});
  const std::vector<Pixel> bands = GradientLineColors(g, 100);
  ASSERT_EQ(bands.size(), 100u);
  // Segments of 50: (1, 2, 3) a band towards the middle stop; the running colour is not
  // reset there but carries on towards the last stop by (1, 0, -3), clipped at 0.
  for (int k = 0; k < 50; ++k) EXPECT_EQ(bands[k], Px(k, 2 * k, 3 * k)) << k;
  for (int k = 50; k < 100; ++k) EXPECT_EQ(bands[k], Px(k, 98, std::max(0, 294 - 3 * k))) << k;

  // diHorizonal lays the strip down the rows, diVertical across the columns.
  PixelBuffer tall(6, 100), wide(100, 6);
  DrawGradient(tall, {0, 0, 6, 100}, g);
  g.LineDirection = TDirection::diVertical;
  DrawGradient(wide, {0, 0, 100, 6}, g);
  for (int k = 0; k < 100; ++k) EXPECT_TRUE(tall.At(5, k) == bands[k] && wide.At(k, 5) == bands[k]) << k;
}

TEST(DrawGradient, RemainderKeepsTheLastColour) {
  // 10 bands in 3 segments of 3: the tenth repeats the ninth.
  const std::array<ColorRef, 5> stops{0, 0x1E1E1E, 0x3C3C3C, 0x5A5A5A, 0xFFFFFF};  // 0, 30, 60, 90
  const std::vector<Pixel> bands = GradientLineColors(Bands(TGradientStyle::gsLine, 3, 1, stops), 10);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(bands[k], Px(10 * k, 10 * k, 10 * k)) << k;
  EXPECT_EQ(bands[9], bands[8]);
  // Thick bands are one colour each, the cut-off last one too.
  const std::vector<Pixel> thick = GradientLineColors(Bands(TGradientStyle::gsLine, 2, 4, stops), 10);
  EXPECT_TRUE(thick[0] == thick[3] && thick[3] != thick[4] && thick[8] == thick[9]);
}

TEST(DrawGradient, SystemColoursResolveToTheirCurrentValues) {
  const SysColorFunc sys = [](int index) { return index == 15 ? ColorRefFromRgb(212, 208, 200) : 0xFFFFFF; };
  const ColorRef btnFace = 0x8000000F, face = ColorRefFromRgb(212, 208, 200);
  for (auto style : {TGradientStyle::gsLine, TGradientStyle::gsRect}) {
    PixelBuffer viaSystem(20, 20), viaValue(20, 20);
    DrawGradient(viaSystem, {0, 0, 20, 20}, Bands(style, 2, 1, {btnFace, 0xFFFFFF, btnFace, 0, 0}), sys);
    DrawGradient(viaValue, {0, 0, 20, 20}, Bands(style, 2, 1, {face, 0xFFFFFF, face, 0, 0}));
    EXPECT_EQ(viaSystem, viaValue);
  }
  EXPECT_EQ(ShiftColor(btnFace, -12, sys), ColorRefFromRgb(200, 196, 188));
  EXPECT_EQ(ShiftColor(ColorRefFromRgb(250, 5, 128), 10), ColorRefFromRgb(255, 15, 138));
  EXPECT_EQ(ShiftColor(ColorRefFromRgb(250, 5, 128), -10), ColorRefFromRgb(240, 0, 118));
  EXPECT_EQ(ShiftColor(ColorRefFromRgb(10, 11, 12), 0.5), ColorRefFromRgb(10, 12, 12));  // halves to even
}

TEST(DrawGradient, RingsShrinkTowardsTheCentre) {
  TGradient g = Bands(TGradientStyle::gsCustomRect, 2, 1, {0, 0x640000, 0xC80000, 0, 0});  // blue 0, 100, 200
  std::vector<Rect> rings;
  std::vector<Pixel> colors;
  const DrawRectHandler record = [&](PixelBuffer& canvas, Rect r, Pixel c) {
    rings.push_back(r);
    colors.push_back(c);
    FillPixels(canvas, r, c);
  };
  PixelBuffer custom(10, 10), plain(10, 10), fallback(10, 10), wide(20, 10);
  DrawGradient(custom, {0, 0, 10, 10}, g, {}, record);
  DrawGradient(fallback, {0, 0, 10, 10}, g);  // no handler: rectangles
  ASSERT_EQ(rings.size(), 5u);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(rings[k], (Rect{k, k, 10 - k, 10 - k}));
  // Segments of (10 div 2) div 2 = 2 rings; past the last stop the colour stays.
  EXPECT_EQ(colors, (std::vector<Pixel>{0, 50, 100, 150, 150}));
  g.GradientStyle = TGradientStyle::gsRect;
  DrawGradient(plain, {0, 0, 10, 10}, g);
  EXPECT_EQ(custom, plain);
  EXPECT_EQ(fallback, plain);
  // Segments follow the longer side: on 20 x 10, 5 rings.
  colors.clear();
  g.GradientStyle = TGradientStyle::gsCustomRect;
  DrawGradient(wide, {0, 0, 20, 10}, g, {}, record);
  EXPECT_EQ(colors, (std::vector<Pixel>{0, 20, 40, 60, 80}));

  PixelBuffer ellipse(20, 20, kUntouched);
  g.GradientStyle = TGradientStyle::gsEllipse;
  DrawGradient(ellipse, {0, 0, 20, 20}, g);
  EXPECT_EQ(ellipse.At(0, 0), kUntouched);
  EXPECT_EQ(ellipse.At(10, 0), 0u);
  EXPECT_NE(ellipse.At(10, 10), 0u);
}

TEST(DrawGradient, DegenerateInputPaintsSafely) {
  TGradient g = Bands(TGradientStyle::gsLine, 2, 1, {0xFF, 0xFF00, 0xFF0000, 0, 0});
  PixelBuffer canvas(8, 8, kUntouched);
  for (Rect r : {Rect{-5, -5, 8, 0}, Rect{-5, -5, 0, 8}, Rect{6, 6, 2, 2}}) DrawGradient(canvas, r, g);
  EXPECT_EQ(canvas, PixelBuffer(8, 8, kUntouched));  // right or bottom 0, or inverted
  for (auto style : {TGradientStyle::gsLine, TGradientStyle::gsEllipse, TGradientStyle::gsRect}) {
    g.GradientStyle = style;
    DrawGradient(canvas, {100, 100, 300, 300}, g);
    DrawGradient(canvas, {-20, -30, 12, 9}, g);
  }
  // LineSize below 1 counts as 1; ColorCount below 1 as 3, above 4 as 4.
  auto lines = [](int count, int line) {
    return GradientLineColors(
        Bands(TGradientStyle::gsLine, count, line, {0x10, 0x2000, 0x300000, 0x40, 0x5000}), 40);
  };
  EXPECT_EQ(lines(2, 0), lines(2, 1));
  EXPECT_EQ(lines(0, 1), lines(3, 1));
  EXPECT_EQ(lines(9, 1), lines(4, 1));
}

}  // namespace
}  // namespace wendlix
