#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "core/paint/gradient.h"

namespace wendlix {
namespace {

constexpr std::uint32_t kUnpainted = 0xFF000000;  // the painter never writes the top byte
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;  // COLORREFs

PixelBuffer Paint(int width, int height, Rect rect, std::uint8_t style, std::uint32_t from = kBlack,
                  std::uint32_t to = kWhite) {
  PixelBuffer canvas(width, height, kUnpainted);
  FillGradient(canvas, rect, from, style, to);
  return canvas;
}

TEST(FillGradient, MulDivAndColourSteps) {
  const int cases[][4] = {{1, 1, 2, 1},    {-1, 1, 2, -1},      {-3, 2, 4, -2},
                          {7, -3, -2, 11}, {2, 100, 256, 1},    {255, 100, 256, 100},
                          {5, 0, 0, -1},   {INT_MAX, 2, 1, -1}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}};
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c[0], c[1], c[2]), c[3]) << c[0] << "*" << c[1] << "/" << c[2];
  EXPECT_EQ(GradientColorAt(0x102030, 0x405060, 255, 255), 0x405060u);
  EXPECT_EQ(GradientColorAt(kWhite, kBlack, 128, 255), 0x7F7F7Fu);
  // A zero divisor makes MulDiv -1: each channel one below the start, modulo 256.
  EXPECT_EQ(GradientColorAt(0x102030, kWhite, 0, 0), 0x0F1F2Fu);
  EXPECT_EQ(GradientColorAt(kBlack, kWhite, 0, 0), 0xFFFFFFu);
}

TEST(FillGradient, BandsAcrossAndDown) {
  const PixelBuffer canvas = Paint(120, 4, {0, 0, 100, 4}, gsLeftToRight, kRed, kBlue);
  std::set<std::uint32_t> colours;
  for (int x = 0; x < 100; ++x) {
    colours.insert(canvas.At(x, 0));
    ASSERT_EQ(canvas.At(x, 3), canvas.At(x, 0)) << x;
    if (x > 0) {
      ASSERT_GE(canvas.At(x, 0) & 0xFF, canvas.At(x - 1, 0) & 0xFF) << "blue rises at " << x;
    }
  }
  // 256 bands over 100 pixels: 100 of them one pixel wide, the rest empty. The last band
  // (the end colour) ends at x = 100 but is empty at this width.
  EXPECT_EQ(colours.size(), 100u);
  EXPECT_EQ(canvas.At(0, 0), ColorRefToPixel(GradientColorAt(kRed, kBlue, 1, 255)));
  EXPECT_EQ(canvas.At(99, 0), ColorRefToPixel(GradientColorAt(kRed, kBlue, 254, 255)));
  EXPECT_EQ(canvas.At(100, 0), kUnpainted);
  EXPECT_EQ(Paint(300, 1, {0, 0, 300, 1}, gsLeftToRight, kRed, kBlue).At(299, 0), ColorRefToPixel(kBlue));
  EXPECT_EQ(Paint(120, 1, {10, 0, 110, 1}, gsLeftToRight).At(9, 0), kUnpainted) << "bands start at left";

  const PixelBuffer down = Paint(3, 60, {0, 0, 3, 50}, gsTopToBottom);
  EXPECT_EQ(down.At(0, 0), 0x020202u) << "bands 0 and 1 are empty at this height";
  EXPECT_EQ(down.At(2, 49), 0xFDFDFDu) << "bands 254 and 255 are empty at the bottom";
  EXPECT_EQ(down.At(0, 50), kUnpainted);
}

TEST(FillGradient, FromEdgesTowardTheMiddle) {
  const PixelBuffer rows = Paint(4, 10, {0, 0, 4, 10}, gsHorzFromEdges, kBlack, kBlue);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(rows.At(0, y), rows.At(3, 9 - y)) << y;
  EXPECT_EQ(rows.At(0, 0), ColorRefToPixel(kBlack));
  EXPECT_EQ(rows.At(0, 1), ColorRefToPixel(GradientColorAt(kBlack, kBlue, 1, 5)));
  EXPECT_EQ(rows.At(0, 4), ColorRefToPixel(kBlue));
  EXPECT_EQ(rows.At(0, 5), ColorRefToPixel(kBlue));
  const PixelBuffer columns = Paint(9, 2, {0, 0, 9, 2}, gsVertFromEdges, kRed, kWhite);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(columns.At(x, 1), columns.At(8 - x, 0)) << x;
  EXPECT_EQ(columns.At(4, 0), ColorRefToPixel(kWhite));
  // Under two pixels the divisor is 0: nothing visible.
  for (const Rect& rect : {Rect{0, 0, 5, 1}, Rect{0, 0, 5, 0}}) {
    const PixelBuffer flat = Paint(5, 3, rect, gsHorzFromEdges);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(flat.At(x, y), kUnpainted) << rect.bottom;
  }
  EXPECT_EQ(Paint(3, 3, {0, 0, 1, 3}, gsVertFromEdges).At(0, 0), kUnpainted);
}

TEST(FillGradient, ShapesTowardTheCentreCoverTheCanvas) {
  for (std::uint8_t style : {gsEllipses, gsRectangles}) {
    const PixelBuffer canvas = Paint(100, 60, {0, 0, 100, 60}, style, kRed, kBlue);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 100; ++x)
        ASSERT_NE(canvas.At(x, y), kUnpainted) << int(style) << ": " << x << "," << y;
    // The first shapes are larger than the canvas: the corners take an early step.
    EXPECT_GT(canvas.At(99, 59) >> 16, 0xD0u) << int(style);
    for (int x = 1; x <= 50; ++x)
      EXPECT_LE(canvas.At(x, 30) >> 16, canvas.At(x - 1, 30) >> 16) << int(style) << x;
  }
  // The innermost ellipse (step 155) sits right of the centre, as its box grows by 4.
  EXPECT_EQ(Paint(100, 60, {0, 0, 100, 60}, gsEllipses, kRed, kBlue).At(51, 31), ColorRefToPixel(kBlue));
  EXPECT_EQ(Paint(100, 60, {0, 0, 100, 60}, gsRectangles, kRed, kBlue).At(50, 30), ColorRefToPixel(kBlue));
}

TEST(FillGradient, OtherStylesAndOversizedRectanglesAreSafe) {
  EXPECT_EQ(Paint(4, 4, {0, 0, 4, 4}, 6), PixelBuffer(4, 4, kUnpainted));
  for (std::uint8_t style = 0; style <= 5; ++style) Paint(8, 8, {-50, -50, 100000, 100000}, style);
  for (std::uint8_t style = 0; style <= 3; ++style) Paint(8, 8, {0, 0, INT_MAX, INT_MAX}, style);
  Paint(8, 8, {0, 0, -INT_MAX, -INT_MAX}, gsRectangles);
  PixelBuffer empty;
  FillGradient(empty, {0, 0, 10, 10}, kBlack, gsEllipses, kWhite);
}

}  // namespace
}  // namespace wendlix
