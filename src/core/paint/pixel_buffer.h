// A 32-bit top-down pixel buffer, the layout of a 32-bit DIB section: each pixel is
// 0x00RRGGBB (bytes B, G, R, 0 in memory). Painting into it is clipped to its size.
#pragma once
#include <cstdint>
#include <vector>

namespace wendlix {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, std::uint32_t fill = 0)
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Data() { return pixels_.data(); }
  const std::uint32_t* Data() const { return pixels_.data(); }
  std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  friend bool operator==(const PixelBuffer&, const PixelBuffer&) = default;

  // Fills [left, right) x [top, bottom), clipped; an empty or inverted rectangle paints
  // nothing, as FillRect does.
  void FillRect(int left, int top, int right, int bottom, std::uint32_t pixel) {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > width_) right = width_;
    if (bottom > height_) bottom = height_;
    for (int y = top; y < bottom; ++y) {
      std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
      for (int x = left; x < right; ++x) row[x] = pixel;
    }
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// 0x00BBGGRR (a Windows COLORREF) to the buffer's 0x00RRGGBB, and back.
inline std::uint32_t ColorRefToPixel(std::uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}
inline std::uint32_t PixelToColorRef(std::uint32_t pixel) { return ColorRefToPixel(pixel); }

}  // namespace wendlix
