#include "core/paint/background.h"

#include <algorithm>

#include "core/paint/pixel_copy.h"

namespace wendlix {
namespace {

int PositiveMod(int v, int m) {
  const int r = v % m;
  return r < 0 ? r + m : r;
}

void TilePicture(PixelBuffer& canvas, Rect rect, const PixelBuffer& pic) {
  const int pw = pic.Width(), ph = pic.Height();
  if (pw <= 0 || ph <= 0) return;
  const int x0 = std::max(rect.left, 0), x1 = std::min(rect.right, canvas.Width());
  const int y0 = std::max(rect.top, 0), y1 = std::min(rect.bottom, canvas.Height());
  for (int y = y0; y < y1;) {
    const int sy = PositiveMod(y, ph), h = std::min(y1 - y, ph - sy);
    for (int x = x0; x < x1;) {
      const int sx = PositiveMod(x, pw), w = std::min(x1 - x, pw - sx);
      CopyPixels(canvas, x, y, pic, sx, sy, w, h);
      x += w;
    }
    y += h;
  }
}

}  // namespace

void PaintBackground(PixelBuffer& canvas, Rect rect, const TBackgndObj& back, const SysColorFunc& sysColor) {
  switch (back.BackStyle) {
    case TBackStyle::bgSingleColor: FillPixels(canvas, rect, ResolvePixel(back.Color, sysColor)); break;
    case TBackStyle::bgGradient: {
      if (rect.Width() <= 0 || rect.Height() <= 0) return;
      PixelBuffer temp(rect.Width(), rect.Height());
      DrawGradient(temp, {0, 0, rect.Width(), rect.Height()}, back.Gradient, sysColor);
      CopyPixels(canvas, rect.left, rect.top, temp, 0, 0, rect.Width(), rect.Height());
      break;
    }
    case TBackStyle::bgSingleBitmap:
      CopyPixels(canvas, rect.left, rect.top, back.Picture, rect.left, rect.top, rect.Width(), rect.Height());
      break;
    case TBackStyle::bgTileBitmap: TilePicture(canvas, rect, back.Picture); break;
  }
}

void TBackground::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

bool TBackground::SetBackObj(const TBackgndObj& back) {
  if (back == back_) return false;
  back_ = back;
  UpdateBuffer();
  return true;
}

const PixelBuffer& TBackground::Buffer() {
  if (stale_ || buffer_.Width() != width_ || buffer_.Height() != height_) UpdateBuffer();
  return buffer_;
}

void TBackground::UpdateBuffer() {
  if (buffer_.Width() != width_ || buffer_.Height() != height_) buffer_ = PixelBuffer(width_, height_);
  PaintBackground(buffer_, {0, 0, width_, height_}, back_, sysColor_);
  stale_ = false;
  ++paintCount_;
}

}  // namespace wendlix
