#include "core/paint/draw_gradient.h"

#include <algorithm>
#include <cmath>

namespace wendlix {
namespace {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb ToRgb(ColorRef c) {
  return {static_cast<double>(c & 0xFF), static_cast<double>((c >> 8) & 0xFF),
          static_cast<double>((c >> 16) & 0xFF)};
}

// Halves round to even, as the default floating-point rounding does.
int RoundClip(double v) {
  const double r = std::nearbyint(v);
  return r < 0 ? 0 : r > 255 ? 255 : static_cast<int>(r);
}

int EffectiveLineSize(const TGradient& g) { return g.LineSize < 1 ? 1 : g.LineSize; }
int EffectiveColorCount(const TGradient& g) {
  if (g.ColorCount < 1) return 3;
  return g.ColorCount > 4 ? 4 : g.ColorCount;  // only five stops exist
}

// The running colour walks from stop to stop; it is never reset at a segment boundary but
// carries on from where it stands, and after the last stop it stays put.
class ColorStepper {
 public:
  ColorStepper(const TGradient& g, const SysColorFunc& sysColor, int segment, int origin)
      : count_(EffectiveColorCount(g)),
        line_(EffectiveLineSize(g)),
        segment_(segment < 1 ? 1 : segment),
        boundary_(static_cast<long long>(origin) + segment_) {
    for (std::size_t k = 0; k < stops_.size(); ++k) stops_[k] = ToRgb(ResolveColor(g.Colors[k], sysColor));
    start_ = stops_[0];
    target_ = count_ > 1 ? stops_[1] : stops_[0];
    running_ = start_;
  }

  Pixel Current() const {
    return ColorRefToPixel(
        ColorRefFromRgb(RoundClip(running_.r), RoundClip(running_.g), RoundClip(running_.b)));
  }

  // Called once per band, with the position after the band.
  void Advance(long long position) {
    if (position >= boundary_) {
      boundary_ += segment_;
      stop_ = std::min(stop_ + 1, count_);
      start_ = target_;
      target_ = stops_[static_cast<std::size_t>(stop_)];
    }
    const double f = static_cast<double>(line_) / segment_;
    running_.r += (target_.r - start_.r) * f;
    running_.g += (target_.g - start_.g) * f;
    running_.b += (target_.b - start_.b) * f;
  }

 private:
  std::array<Rgb, 5> stops_;
  int count_, line_, segment_;
  long long boundary_;
  int stop_ = 1;
  Rgb start_, target_, running_;
};

void FillEllipse(PixelBuffer& canvas, Rect box, Pixel color) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
  const int y0 = std::max(box.top, 0), y1 = std::min(box.bottom, canvas.Height());
  for (int y = y0; y < y1; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    if (dy * dy > 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    // Pixels whose centres lie inside the ellipse.
    const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    const int x1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    FillPixels(canvas, {x0, y, x1, y + 1}, color);
  }
}

void DrawLineStyle(PixelBuffer& canvas, Rect rect, const TGradient& g, const SysColorFunc& sysColor) {
  const bool horizontal = g.LineDirection == TDirection::diHorizonal;
  const std::vector<Pixel> colors =
      GradientLineColors(g, horizontal ? rect.Height() : rect.Width(), sysColor);
  const int x0 = std::max(rect.left, 0), x1 = std::min(rect.right, canvas.Width());
  const int y0 = std::max(rect.top, 0), y1 = std::min(rect.bottom, canvas.Height());
  for (int y = y0; y < y1; ++y) {
    Pixel* row = canvas.Data() + static_cast<std::size_t>(y) * canvas.Width();
    if (horizontal) {
      std::fill(row + x0, row + x1, colors[static_cast<std::size_t>(y - rect.top)]);
    } else {
      std::copy(colors.begin() + (x0 - rect.left), colors.begin() + (x1 - rect.left), row + x0);
    }
  }
}

// Ellipse, rectangle and custom styles: rings shrinking from all sides towards the centre.
void DrawRingStyle(PixelBuffer& canvas, Rect rect, const TGradient& g, const SysColorFunc& sysColor,
                   const DrawRectHandler& onDrawRect) {
  const int count = EffectiveColorCount(g), line = EffectiveLineSize(g);
  const int segment = std::max(rect.Width(), rect.Height()) / count / 2;
  ColorStepper stepper(g, sysColor, segment, rect.top);
  const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
  for (long long x = L, y = T; x < R / 2 && y < B / 2; x += line, y += line) {
    const Rect ring{static_cast<int>(x), static_cast<int>(y), static_cast<int>(R - x),
                    static_cast<int>(B - y)};
    switch (g.GradientStyle) {
      case TGradientStyle::gsEllipse: FillEllipse(canvas, ring, stepper.Current()); break;
      case TGradientStyle::gsCustomRect:
        if (onDrawRect) {
          onDrawRect(canvas, ring, stepper.Current());
          break;
        }
        [[fallthrough]];
      default: FillPixels(canvas, ring, stepper.Current()); break;
    }
    stepper.Advance(y + line);
  }
}

}  // namespace

std::vector<Pixel> GradientLineColors(const TGradient& g, int length, const SysColorFunc& sysColor) {
  if (length <= 0) return {};
  const int line = EffectiveLineSize(g);
  std::vector<Pixel> colors(static_cast<std::size_t>(length));
  ColorStepper stepper(g, sysColor, length / EffectiveColorCount(g), 0);
  // Bands run while their start is within the strip, so the last may be cut off.
  for (long long p = 0; p <= length; p += line) {
    const long long end = std::min<long long>(p + line, length);
    std::fill(colors.begin() + p, colors.begin() + end, stepper.Current());
    stepper.Advance(p + line);
  }
  return colors;
}

void DrawGradient(PixelBuffer& canvas, Rect rect, const TGradient& g, const SysColorFunc& sysColor,
                  const DrawRectHandler& onDrawRect) {
  if (rect.right == 0 || rect.bottom == 0 || rect.Width() <= 0 || rect.Height() <= 0) return;
  if (g.GradientStyle == TGradientStyle::gsLine) {
    DrawLineStyle(canvas, rect, g, sysColor);
  } else {
    DrawRingStyle(canvas, rect, g, sysColor, onDrawRect);
  }
}

ColorRef ShiftColor(ColorRef color, double delta, const SysColorFunc& sysColor) {
  const Rgb c = ToRgb(ResolveColor(color, sysColor));
  return ColorRefFromRgb(RoundClip(c.r + delta), RoundClip(c.g + delta), RoundClip(c.b + delta));
}

}  // namespace wendlix
