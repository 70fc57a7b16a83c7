// Two-colour gradients (title strip of the bar, the editor's preview) painted into a
// pixel buffer. Six styles; the arithmetic is the Windows MulDiv's, so the bands fall
// exactly where the program has always put them.
#pragma once
#include <cstdint>

#include "core/common/geometry.h"
#include "core/paint/pixel_buffer.h"

namespace wendlix {

enum GradientStyle : std::uint8_t {
  gsLeftToRight = 0,
  gsTopToBottom = 1,
  gsEllipses = 2,       // ellipses shrinking toward the centre
  gsRectangles = 3,     // rectangles shrinking toward the centre
  gsHorzFromEdges = 4,  // from top and bottom toward the middle
  gsVertFromEdges = 5,  // from left and right toward the middle
};

// number * numerator / denominator on 64 bits, rounded half away from zero; -1 when the
// denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);

// The colour at step k of n between two COLORREFs (0x00BBGGRR): each channel
// start + MulDiv(k, end - start, n), taken modulo 256.
std::uint32_t GradientColorAt(std::uint32_t fromColorRef, std::uint32_t toColorRef, int k, int n);

// Paints `style` over `rect` of `canvas`. Colours are plain COLORREFs (system colours
// resolved by the caller). Styles 1 to 5 take the rectangle's origin to be (0, 0), as all
// callers pass a whole canvas. Any other style paints nothing.
void FillGradient(PixelBuffer& canvas, const Rect& rect, std::uint32_t fromColorRef, std::uint8_t style,
                  std::uint32_t toColorRef);

}  // namespace wendlix
