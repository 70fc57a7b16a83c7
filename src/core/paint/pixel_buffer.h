// A 32-bit top-down pixel buffer, the layout of a 32-bit DIB section: each pixel is
// 0x00RRGGBB (bytes B, G, R, 0 in memory). Painting into it is clipped to its size.
// The pixels live in the buffer's own memory, or in memory the platform made (a DIB
// section's bits), so that core functions change a bitmap the screen shows in place.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace wendlix {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, std::uint32_t fill = 0)
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        pixels_(static_cast<std::size_t>(width_) * height_, fill),
        data_(pixels_.data()) {}
  // Pixels at `external` (width x height words, top-down rows, no padding), kept alive by
  // `owner`; a copy of such a buffer owns its own memory.
  PixelBuffer(int width, int height, std::uint32_t* external, std::shared_ptr<void> owner)
      : width_(external && width > 0 && height > 0 ? width : 0),
        height_(external && width > 0 && height > 0 ? height : 0),
        data_(width_ ? external : nullptr),
        owner_(std::move(owner)) {}

  PixelBuffer(const PixelBuffer& other)
      : width_(other.width_),
        height_(other.height_),
        pixels_(other.data_, other.data_ + other.Count()),
        data_(pixels_.data()) {}
  PixelBuffer(PixelBuffer&& other) noexcept { Take(other); }
  // Same size: the pixels are copied into this buffer's memory, wherever it lives.
  PixelBuffer& operator=(const PixelBuffer& other) {
    if (this == &other) return *this;
    if (width_ == other.width_ && height_ == other.height_) {
      std::copy(other.data_, other.data_ + other.Count(), data_);
    } else {
      PixelBuffer copy(other);
      Take(copy);
    }
    return *this;
  }
  PixelBuffer& operator=(PixelBuffer&& other) noexcept {
    if (this != &other) Take(other);
    return *this;
  }
  ~PixelBuffer() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Data() { return data_; }
  const std::uint32_t* Data() const { return data_; }
  std::uint32_t At(int x, int y) const { return data_[static_cast<std::size_t>(y) * width_ + x]; }
  friend bool operator==(const PixelBuffer& a, const PixelBuffer& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ &&
           std::equal(a.data_, a.data_ + a.Count(), b.data_);
  }

  // Fills [left, right) x [top, bottom), clipped; an empty or inverted rectangle paints
  // nothing, as FillRect does.
  void FillRect(int left, int top, int right, int bottom, std::uint32_t pixel) {
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (right > width_) right = width_;
    if (bottom > height_) bottom = height_;
    for (int y = top; y < bottom; ++y) {
      std::uint32_t* row = data_ + static_cast<std::size_t>(y) * width_;
      for (int x = left; x < right; ++x) row[x] = pixel;
    }
  }

 private:
  std::size_t Count() const { return static_cast<std::size_t>(width_) * height_; }
  void Take(PixelBuffer& other) noexcept {
    // Moving a vector keeps its memory, so data_ stays valid either way.
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    pixels_ = std::move(other.pixels_);
    data_ = std::exchange(other.data_, nullptr);
    owner_ = std::move(other.owner_);
    other.pixels_.clear();
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::uint32_t* data_ = nullptr;
  std::shared_ptr<void> owner_;
};

// 0x00BBGGRR (a Windows COLORREF) to the buffer's 0x00RRGGBB.
inline std::uint32_t ColorRefToPixel(std::uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

}  // namespace wendlix
