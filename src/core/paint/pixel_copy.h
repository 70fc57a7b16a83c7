// Block copies between pixel buffers, clipped on both sides so that no rectangle can read
// or write outside a buffer.
#pragma once
#include "core/paint/paint_types.h"

namespace wendlix {

// Copies the w x h block at (sx, sy) of `src` to (dx, dy) of `dst`; parts outside either
// buffer are skipped.
void CopyPixels(PixelBuffer& dst, int dx, int dy, const PixelBuffer& src, int sx, int sy, int w, int h);

// Stretches all of `src` over `dest` of `dst` (nearest pixel).
void StretchPixels(PixelBuffer& dst, Rect dest, const PixelBuffer& src);

}  // namespace wendlix
