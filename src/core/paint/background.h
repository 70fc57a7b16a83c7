// Group backgrounds: a single colour, a gradient, a picture once or a tiled picture,
// painted once into a buffer that is only copied to the screen afterwards.
#pragma once
#include <utility>

#include "core/paint/color_resolve.h"
#include "core/paint/draw_gradient.h"
#include "core/paint/paint_types.h"

namespace wendlix {

enum class TBackStyle { bgSingleColor, bgGradient, bgSingleBitmap, bgTileBitmap };

struct TBackgndObj {
  TGradient Gradient;
  PixelBuffer Picture;  // bgSingleBitmap and bgTileBitmap
  TBackStyle BackStyle = TBackStyle::bgSingleColor;
  ColorRef Color = 0;  // bgSingleColor

  friend bool operator==(const TBackgndObj&, const TBackgndObj&) = default;
};

// Paints `back` into `rect` of `canvas`. Pictures are anchored at the canvas origin, so
// tiles of neighbouring rectangles meet seamlessly; the single picture leaves whatever
// lies beyond its edges untouched, and an empty picture paints nothing.
void PaintBackground(PixelBuffer& canvas, Rect rect, const TBackgndObj& back,
                     const SysColorFunc& sysColor = {});

// The background control's state: its size, its description and the buffer it paints
// from. The buffer is recomputed only when the size or the description really changed.
class TBackground {
 public:
  explicit TBackground(SysColorFunc sysColor = {}) : sysColor_(std::move(sysColor)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  const TBackgndObj& BackObj() const { return back_; }

  // Size changes are picked up lazily by Buffer(), as a paint would.
  void SetSize(int width, int height);
  // Repaints the buffer at once when the description differs; returns whether it did
  // (the caller then invalidates the control).
  bool SetBackObj(const TBackgndObj& back);
  // Forces the next Buffer() to repaint, for when system colours changed.
  void SystemColorsChanged() { stale_ = true; }

  // The painted background at the control's size.
  const PixelBuffer& Buffer();
  int PaintCount() const { return paintCount_; }

 private:
  void UpdateBuffer();

  SysColorFunc sysColor_;
  int width_ = 144, height_ = 144;
  TBackgndObj back_;
  PixelBuffer buffer_;
  bool stale_ = true;
  int paintCount_ = 0;
};

}  // namespace wendlix
