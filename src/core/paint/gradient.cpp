#include "core/paint/gradient.h"

#include <cmath>
#include <cstdint>

namespace wendlix {

namespace {

int Channel(std::uint32_t colorRef, int shift) { return static_cast<int>((colorRef >> shift) & 0xFF); }

// Rounds to the nearest integer, halves to even, as the program's Round does.
// Values are kept far from the int limits: huge rectangles are clipped anyway.
int RoundHalfEven(double value) {
  constexpr double kLimit = 1 << 30;
  if (!(value > -kLimit)) return -(1 << 30);
  if (value > kLimit) return 1 << 30;
  return static_cast<int>(std::nearbyint(value));
}

// Shapes drawn with no pen cover their box less its right column and bottom row.
void FillEllipse(PixelBuffer& canvas, int x1, int y1, int x2, int y2, std::uint32_t pixel) {
  const double width = x2 - 1 - x1, height = y2 - 1 - y1;
  if (width <= 0 || height <= 0) return;
  const double cx = x1 + width / 2, cy = y1 + height / 2, rx = width / 2, ry = height / 2;
  const int top = y1 < 0 ? 0 : y1, bottom = y2 - 1 > canvas.Height() ? canvas.Height() : y2 - 1;
  for (int y = top; y < bottom; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    const double span = 1 - dy * dy;
    if (span < 0) continue;
    const double half = rx * std::sqrt(span);
    // Pixels whose centre lies inside the ellipse.
    const int left = static_cast<int>(std::ceil(cx - half - 0.5));
    const int right = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    canvas.FillRect(left, y, right, y + 1, pixel);
  }
}

void PaintBands(PixelBuffer& canvas, const Rect& r, std::uint32_t from, std::uint32_t to, bool vertical) {
  for (int k = 0; k <= 255; ++k) {
    const std::uint32_t pixel = ColorRefToPixel(GradientColorAt(from, to, k, 255));
    if (!vertical) {
      canvas.FillRect(r.left + MulDiv(k, r.right - r.left, 256), r.top,
                      r.left + MulDiv(k + 1, r.right - r.left, 256), r.bottom, pixel);
    } else {
      canvas.FillRect(r.left, MulDiv(r.top + k, r.bottom, 256), r.right, MulDiv(r.top + k + 1, r.bottom, 256),
                      pixel);
    }
  }
}

void PaintEllipses(PixelBuffer& canvas, const Rect& r, std::uint32_t from, std::uint32_t to) {
  const double right = r.right, bottom = r.bottom;
  double x1 = -right / 4, x2 = right + right / 4 + 4, y1 = -bottom / 4, y2 = bottom + bottom / 4 + 4;
  const double dx = (right / 4 + right / 2) / 155, dy = (bottom / 4 + bottom / 2) / 155;
  for (int k = 0; k <= 155; ++k) {
    x1 += dx, x2 -= dx, y1 += dy, y2 -= dy;
    FillEllipse(canvas, RoundHalfEven(x1), RoundHalfEven(y1), RoundHalfEven(x2), RoundHalfEven(y2),
                ColorRefToPixel(GradientColorAt(from, to, k, 155)));
  }
}

void PaintRectangles(PixelBuffer& canvas, const Rect& r, std::uint32_t from, std::uint32_t to) {
  double x1 = r.left, x2 = r.right + 2.0, y1 = r.top, y2 = r.bottom + 2.0;
  const double dx = r.right / 2.0 / 255, dy = r.bottom / 2.0 / 255;
  for (int k = 0; k <= 255; ++k) {
    x1 += dx, x2 -= dx, y1 += dy, y2 -= dy;
    canvas.FillRect(RoundHalfEven(x1), RoundHalfEven(y1), RoundHalfEven(x2) - 1, RoundHalfEven(y2) - 1,
                    ColorRefToPixel(GradientColorAt(from, to, k, 255)));
  }
}

// Bands from both edges toward the middle.
void PaintFromEdges(PixelBuffer& canvas, const Rect& r, std::uint32_t from, std::uint32_t to, bool vertical) {
  const int extent = vertical ? r.right : r.bottom;
  const int half = extent / 2;
  for (int k = 0; k <= half; ++k) {
    const std::uint32_t pixel = ColorRefToPixel(GradientColorAt(from, to, k, half));
    const int a = MulDiv(k, half, half), b = MulDiv(k + 1, half, half);
    if (!vertical) {
      canvas.FillRect(r.left, a, r.right, b, pixel);
      canvas.FillRect(r.left, extent - b, r.right, extent - a, pixel);
    } else {
      canvas.FillRect(a, r.top, b, r.bottom, pixel);
      canvas.FillRect(extent - b, r.top, extent - a, r.bottom, pixel);
    }
  }
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t a = number;
  std::int64_t d = denominator;
  if (d < 0) a = -a, d = -d;
  const std::int64_t product = a * numerator;
  const std::int64_t result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
  if (result > 2147483647 || result < -2147483647) return -1;
  return static_cast<int>(result);
}

std::uint32_t GradientColorAt(std::uint32_t fromColorRef, std::uint32_t toColorRef, int k, int n) {
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int start = Channel(fromColorRef, shift);
    const int value = start + MulDiv(k, Channel(toColorRef, shift) - start, n);
    result |= static_cast<std::uint32_t>(value & 0xFF) << shift;
  }
  return result;
}

void FillGradient(PixelBuffer& canvas, const Rect& rect, std::uint32_t fromColorRef, std::uint8_t style,
                  std::uint32_t toColorRef) {
  switch (style) {
    case gsLeftToRight: PaintBands(canvas, rect, fromColorRef, toColorRef, false); break;
    case gsTopToBottom: PaintBands(canvas, rect, fromColorRef, toColorRef, true); break;
    case gsEllipses: PaintEllipses(canvas, rect, fromColorRef, toColorRef); break;
    case gsRectangles: PaintRectangles(canvas, rect, fromColorRef, toColorRef); break;
    case gsHorzFromEdges: PaintFromEdges(canvas, rect, fromColorRef, toColorRef, false); break;
    case gsVertFromEdges: PaintFromEdges(canvas, rect, fromColorRef, toColorRef, true); break;
    default: break;
  }
}

}  // namespace wendlix
