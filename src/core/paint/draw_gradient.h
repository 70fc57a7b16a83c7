// Banded gradients for group backgrounds: lines, nested ellipses, nested rectangles or
// rings drawn by the caller, stepping through up to five colour stops.
#pragma once
#include <array>
#include <functional>
#include <vector>

#include "core/paint/color_resolve.h"
#include "core/paint/paint_types.h"

namespace wendlix {

enum class TGradientStyle { gsLine, gsEllipse, gsRect, gsCustomRect };
enum class TDirection { diHorizonal, diVertical };

struct TGradient {
  TGradientStyle GradientStyle = TGradientStyle::gsLine;
  int LineSize = 3;  // thickness of one band; below 1 counts as 1
  std::array<ColorRef, 5> Colors = {0x808080, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0x000000};
  int ColorCount = 3;  // 1..4 segments over Colors[0..ColorCount]; below 1 counts as 3
  TDirection LineDirection = TDirection::diHorizonal;

  friend bool operator==(const TGradient&, const TGradient&) = default;
};

// Draws one ring of the custom style; `color` is the ring's colour.
using DrawRectHandler = std::function<void(PixelBuffer& canvas, Rect ring, Pixel color)>;

// Paints `g` into `rect` of `canvas` (clipped to the canvas). A rectangle whose right or
// bottom is 0, or that is empty, paints nothing. gsCustomRect without a handler paints as
// gsRect.
void DrawGradient(PixelBuffer& canvas, Rect rect, const TGradient& g, const SysColorFunc& sysColor = {},
                  const DrawRectHandler& onDrawRect = {});

// The colour of each band of a line-style gradient `length` pixels long, index 0 first
// (top for diHorizonal, left for diVertical).
std::vector<Pixel> GradientLineColors(const TGradient& g, int length, const SysColorFunc& sysColor = {});

// Each of red, green and blue plus `delta`, rounded and clipped to 0..255; system colours
// are resolved first. A negative delta darkens.
ColorRef ShiftColor(ColorRef color, double delta, const SysColorFunc& sysColor = {});

}  // namespace wendlix
