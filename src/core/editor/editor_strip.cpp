#include "core/editor/editor_strip.h"

#include <algorithm>

namespace wendlix {
namespace {

// Pixels [from, to) of one row, as a line drawn from `from` to `to` covers them.
void HLine(PixelBuffer& b, int y, int from, int to, Pixel p) {
  if (to > from) b.FillRect(from, y, to, y + 1, p);
}

void VLine(PixelBuffer& b, int x, int from, int to, Pixel p) {
  if (to > from) b.FillRect(x, from, x + 1, to, p);
}

}  // namespace

ColorRef ShiftColor(ColorRef color, int delta) {
  ColorRef out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int channel = std::clamp(static_cast<int>((color >> shift) & 0xFF) + delta, 0, 255);
    out |= static_cast<ColorRef>(channel) << shift;
  }
  return out;
}

CaptionStripLayout LayoutTitleStrip(Size strip, Size text) {
  CaptionStripLayout l;
  // Integer halves round toward zero, as the form's own arithmetic did.
  l.Text = {(strip.cx - text.cx) / 2, (strip.cy - text.cy) / 2};
  return l;
}

CaptionStripLayout PaintTitleStrip(PixelBuffer& strip, Size text, const SysColorFunc& sysColor) {
  const int w = strip.Width();
  const int h = strip.Height();
  const CaptionStripLayout l = LayoutTitleStrip({w, h}, text);
  const ColorRef face = ResolveColor(kSysColorFlag | kClBtnFaceIndex, sysColor);
  strip.FillRect(0, 0, w, h, ColorRefToPixel(face));

  const Pixel light = ColorRefToPixel(ShiftColor(face, kGripShade));
  const Pixel dark = ColorRefToPixel(ShiftColor(face, -kGripShade));
  const int x = l.Text.x;
  const int after = x + text.cx;
  for (int row = 2; row < h - 2; row += 2) {
    HLine(strip, row, 25, x - 5, light);
    HLine(strip, row, after + 5, w - 5, light);
    HLine(strip, row + 1, 26, x - 4, dark);
    HLine(strip, row + 1, after + 6, w - 4, dark);
  }

  const Pixel highlight = ResolvePixel(kSysColorFlag | kClBtnHighlightIndex, sysColor);
  const Pixel shadow = ResolvePixel(kSysColorFlag | kClBtnShadowIndex, sysColor);
  VLine(strip, 0, 0, h, highlight);
  HLine(strip, 0, 0, w, highlight);
  VLine(strip, w - 1, 0, h, shadow);
  VLine(strip, 2, 2, h, highlight);
  HLine(strip, 2, 2, w - 2, highlight);
  VLine(strip, w - 2, 2, h, shadow);
  return l;
}

}  // namespace wendlix
