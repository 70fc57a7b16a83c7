// Gradients on a real device context: the core's pixels, system colours resolved, and
// what a style does not cover kept.
#include <gtest/gtest.h>

#include "core/paint/gradient.h"
#include "support/win_test_support.h"
#include "win/paint/fill_gradient.h"

namespace wendlix {
namespace {

TEST(ShellFillGradient, MatchesCorePixelsOnADeviceContext) {
  constexpr int kWidth = 40, kHeight = 30;
  testing_support::Canvas canvas(kWidth, kHeight);
  const auto at = [&](int x, int y) { return canvas.Pixels().At(x, y) & 0xFFFFFF; };
  for (std::uint8_t style = 0; style <= 6; ++style) {
    canvas.Fill(RGB(0x12, 0x34, 0x56));
    FillGradient(RECT{0, 0, kWidth, kHeight}, canvas.Dc(), 0x000000FF, style, 0x00FF8000);
    PixelBuffer expected(kWidth, kHeight, 0x123456);
    FillGradient(expected, Rect{0, 0, kWidth, kHeight}, 0x000000FF, style, 0x00FF8000);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(at(x, y), expected.At(x, y)) << int(style) << ": " << x << "," << y;
  }
  // clBtnFace, a system colour code, paints as its current colour.
  FillGradient(RECT{0, 0, 10, 10}, canvas.Dc(), 0x8000000F, gsHorzFromEdges, 0x8000000F);
  EXPECT_EQ(at(0, 0), ColorRefToPixel(GetSysColor(COLOR_BTNFACE)));
  FillGradient(RECT{0, 0, 10, 10}, nullptr, 0, 0, 0);
}

}  // namespace
}  // namespace wendlix
