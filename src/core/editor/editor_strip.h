// The editor's painted caption strip (Image1): the face colour, the grip lines left and
// right of the caption, and the raised double frame. The window layer then draws the
// program's icon and the caption text where the layout says.
#pragma once
#include <cstdint>

#include "core/common/geometry.h"
#include "core/paint/color_resolve.h"
#include "core/paint/paint_types.h"

namespace wendlix {

inline constexpr int kClBtnFaceIndex = 15;
inline constexpr int kClBtnShadowIndex = 16;
inline constexpr int kClBtnHighlightIndex = 20;
inline constexpr int kGripShade = 70;

// Each of R, G and B moved by `delta` and clipped to 0..255.
ColorRef ShiftColor(ColorRef color, int delta);

struct CaptionStripLayout {
  Point Text;        // top left of the caption
  Point Icon{5, 2};  // image 14 of ImageList1, white transparent
  bool operator==(const CaptionStripLayout&) const = default;
};

// The caption centred in the strip (integer halves, negative when it is wider).
CaptionStripLayout LayoutTitleStrip(Size strip, Size text);

// Paints the whole strip. Grip lines run on every second row from 2 while the row is
// above height - 2: light (face + 70) from x 25 to 5 before the caption and from 5 after
// it to 5 before the right edge; dark (face - 70) one row lower, each end one pixel
// further right. A piece whose end lies before its start (a caption wider than the room
// it leaves) is not drawn.
CaptionStripLayout PaintTitleStrip(PixelBuffer& strip, Size text, const SysColorFunc& sysColor);

}  // namespace wendlix
