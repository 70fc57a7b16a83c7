// A 32-bit top-down pixel buffer laid out as a Windows DIB section (one uint32 per pixel,
// 0x00RRGGBB), so the Win32 layer blits it as it is. Core painting draws into it.
#pragma once
#include <cstdint>
#include <vector>

namespace wendlix {

using Pixel = std::uint32_t;     // 0x00RRGGBB, as in a 32-bit DIB
using ColorRef = std::uint32_t;  // 0x00BBGGRR, as Windows colours and stored TColor values

constexpr Pixel PixelFromColorRef(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef ColorRefFromPixel(Pixel p) { return PixelFromColorRef(p); }
constexpr ColorRef MakeColorRef(int r, int g, int b) {
  return (static_cast<ColorRef>(r) & 0xFF) | ((static_cast<ColorRef>(g) & 0xFF) << 8) |
         ((static_cast<ColorRef>(b) & 0xFF) << 16);
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, Pixel fill = 0)
      : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Pixel p) {
    if (Contains(x, y)) pixels_[Index(x, y)] = p;
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Fills [left, right) x [top, bottom), clipped to the buffer, as GDI's FillRect does.
  void FillRect(Rect r, Pixel p) {
    const int x0 = r.left < 0 ? 0 : r.left, y0 = r.top < 0 ? 0 : r.top;
    const int x1 = r.right > width_ ? width_ : r.right, y1 = r.bottom > height_ ? height_ : r.bottom;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) pixels_[Index(x, y)] = p;
  }
  Pixel* Data() { return pixels_.data(); }
  const Pixel* Data() const { return pixels_.data(); }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_ = 0, height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace wendlix
