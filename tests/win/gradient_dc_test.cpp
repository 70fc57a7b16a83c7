// Gradients on a real device context: the core's pixels, system colours resolved, and
// what a style does not cover kept.
#include <gtest/gtest.h>

#include "core/paint/gradient.h"
#include "win/common/unique_handle.h"
#include "win/paint/fill_gradient.h"

namespace wendlix {
namespace {

TEST(ShellFillGradient, MatchesCorePixelsOnADeviceContext) {
  constexpr int kWidth = 40, kHeight = 30;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  unique_memory_dc dc(CreateCompatibleDC(nullptr));
  std::uint32_t* bits = nullptr;
  unique_hbitmap bitmap(
      CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
  ASSERT_TRUE(dc && bitmap && bits);
  SelectObjectScope select(dc.get(), bitmap.get());
  const auto at = [&](int x, int y) {
    GdiFlush();
    return bits[y * kWidth + x] & 0xFFFFFF;
  };
  for (std::uint8_t style = 0; style <= 6; ++style) {
    std::fill(bits, bits + kWidth * kHeight, 0x123456);
    FillGradient(RECT{0, 0, kWidth, kHeight}, dc.get(), 0x000000FF, style, 0x00FF8000);
    PixelBuffer expected(kWidth, kHeight, 0x123456);
    FillGradient(expected, Rect{0, 0, kWidth, kHeight}, 0x000000FF, style, 0x00FF8000);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(at(x, y), expected.At(x, y)) << int(style) << ": " << x << "," << y;
  }
  // clBtnFace, a system colour code, paints as its current colour.
  FillGradient(RECT{0, 0, 10, 10}, dc.get(), 0x8000000F, gsHorzFromEdges, 0x8000000F);
  EXPECT_EQ(at(0, 0), ColorRefToPixel(GetSysColor(COLOR_BTNFACE)));
  FillGradient(RECT{0, 0, 10, 10}, nullptr, 0, 0, 0);
}

}  // namespace
}  // namespace wendlix
