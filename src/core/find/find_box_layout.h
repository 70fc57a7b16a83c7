// The find box's geometry: its parts at a monitor's DPI, and where it stands beside the bar.
// Sizes are designed at 96 DPI and scaled; the box keeps one height while the user types, so
// that a box above a bottom bar does not jump with each keystroke.
#pragma once
#include "core/appbar/app_tool_bar_types.h"
#include "core/common/geometry.h"
#include "core/ui/dpi_scale.h"

namespace wendlix {

struct FindBoxLayout {
  Size Box;       // the whole window
  int Frame = 0;  // the raised edge round it
  Rect Strip;     // the title strip down the left
  Rect Query;     // the sunken line holding the query
  Rect List;      // the rows, top to bottom
  int RowHeight = 0;
  int VisibleRows = 0;
  int IconSize = 0;
  int Gap = 0;  // between an icon, a name and a group title
  friend bool operator==(const FindBoxLayout&, const FindBoxLayout&) = default;
};

// The box at `scale` for a font whose lines are `textHeight` pixels high (rows and the query
// line grow with a taller font), with fewer rows or less width when the work area is small.
FindBoxLayout LayoutFindBox(DpiScale scale, int textHeight, Size work);

// Where a box of `box` pixels stands beside a bar docked at `edge`: right of a left bar and
// left of a right bar (level with the bar's top), below a top bar and above a bottom bar
// (level with its left end); below a floating bar, or above it when there is no room below.
// The answer lies inside `work` on all four sides, shrunk to it when the box is larger.
Rect PlaceFindBox(const Rect& bar, TAppToolBarEdge edge, const Rect& work, Size box);

}  // namespace wendlix
