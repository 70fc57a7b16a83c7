#include "core/paint/pixel_copy.h"

#include <algorithm>

namespace wendlix {

void CopyPixels(PixelBuffer& dst, int dx, int dy, const PixelBuffer& src, int sx, int sy, int w, int h) {
  // Trim the block where it leaves either buffer on the left or top...
  const int trimX = std::max({0, -dx, -sx}), trimY = std::max({0, -dy, -sy});
  dx += trimX, sx += trimX, w -= trimX;
  dy += trimY, sy += trimY, h -= trimY;
  // ...and on the right or bottom.
  w = std::min({w, dst.Width() - dx, src.Width() - sx});
  h = std::min({h, dst.Height() - dy, src.Height() - sy});
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const Pixel* from = src.Data() + static_cast<std::size_t>(sy + y) * src.Width() + sx;
    std::copy(from, from + w, dst.Data() + static_cast<std::size_t>(dy + y) * dst.Width() + dx);
  }
}

void StretchPixels(PixelBuffer& dst, Rect dest, const PixelBuffer& src) {
  const int dw = dest.Width(), dh = dest.Height();
  if (dw <= 0 || dh <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  const int y0 = std::max(dest.top, 0), y1 = std::min(dest.bottom, dst.Height());
  const int x0 = std::max(dest.left, 0), x1 = std::min(dest.right, dst.Width());
  for (int y = y0; y < y1; ++y) {
    const long long sy = static_cast<long long>(y - dest.top) * src.Height() / dh;
    const Pixel* row = src.Data() + sy * src.Width();
    Pixel* out = dst.Data() + static_cast<std::size_t>(y) * dst.Width();
    for (int x = x0; x < x1; ++x) out[x] = row[static_cast<long long>(x - dest.left) * src.Width() / dw];
  }
}

}  // namespace wendlix
