// The band bar that holds the groups: one band per shown group, in band order, each a
// header (grip, kind icon, title) followed by the group's panel. On a vertical bar the
// bands stack top to bottom with the header on top; on a horizontal bar they run left to
// right with the header at their left.
#pragma once
#include <vector>

#include "core/common/geometry.h"
#include "core/ui/dpi_scale.h"

namespace wendlix {

// Thickness of a band header on a vertical bar: room for a 16-pixel icon and a line of
// text, or only the grip when the band shows neither. Sizes at 96 DPI.
inline constexpr int kBandHeaderThickness = 18;
inline constexpr int kBandGripThickness = 6;
inline constexpr int kBandGap = 2;
inline constexpr int kBandMinLength = 15;  // a band's panel never gets shorter

struct BandSpec {
  bool Visible = true;
  bool HeaderContent = false;             // an icon or a title to show
  int HeaderLength = kBandGripThickness;  // horizontal bars: the header's measured width
  int Length = 100;                       // the panel's preferred length along the bar
};

struct BandPlace {
  bool Visible = false;
  Rect Band;  // header and panel together
  Rect Header;
  Rect Panel;
};

// Places the bands inside `area`. Each keeps its preferred length; the last shown band
// takes what is left, and when the bands do not fit, the later ones give way down to
// their minimum (and beyond the area's end they are clipped by it). The header, grip, gap
// and minimum are taken at `scale`; a spec's lengths are pixels already.
std::vector<BandPlace> LayoutBands(bool vertical, Rect area, const std::vector<BandSpec>& bands,
                                   DpiScale scale = {});

// The shown band whose header spans `pt` along the bar (across it anywhere), or -1. A
// dragged band moves when the pointer reaches another band's header: after the move the
// pointer lies in no other header, so the bands cannot swap back and forth.
int BandHeaderAlong(bool vertical, const std::vector<BandPlace>& places, Point pt);

// The band order after band `from` was dragged onto the place of band `to`.
std::vector<int> MoveBand(int count, int from, int to);

}  // namespace wendlix
