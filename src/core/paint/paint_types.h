// The small vocabulary of core painting on top of PixelBuffer: pixel and colour words,
// rectangles, and clipped single-pixel and rectangle fills.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/common/geometry.h"
#include "core/paint/pixel_buffer.h"

namespace wendlix {

using Pixel = std::uint32_t;     // 0x00RRGGBB, as stored in the buffer
using ColorRef = std::uint32_t;  // 0x00BBGGRR, as Windows colours and stored colour values

constexpr ColorRef ColorRefFromRgb(int r, int g, int b) {
  return (static_cast<ColorRef>(r) & 0xFF) | ((static_cast<ColorRef>(g) & 0xFF) << 8) |
         ((static_cast<ColorRef>(b) & 0xFF) << 16);
}

inline std::size_t PixelCount(const PixelBuffer& b) {
  return static_cast<std::size_t>(b.Width()) * static_cast<std::size_t>(b.Height());
}

inline void FillPixels(PixelBuffer& b, const Rect& r, Pixel p) {
  b.FillRect(r.left, r.top, r.right, r.bottom, p);
}

}  // namespace wendlix
