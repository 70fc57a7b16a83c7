#include "core/find/find_box_layout.h"

#include <algorithm>

namespace wendlix {
namespace {

// At 96 DPI.
constexpr int kWidth = 300;
constexpr int kFrame = 2;
constexpr int kStripWidth = 21;  // as the bar's menus
constexpr int kPad = 4;
constexpr int kQueryHeight = 22;
constexpr int kRowHeight = 20;
constexpr int kRows = 8;
constexpr int kIconSize = 16;
constexpr int kGap = 6;

int ClampStart(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

FindBoxLayout LayoutFindBox(DpiScale scale, int textHeight, Size work) {
  FindBoxLayout l;
  l.Frame = scale(kFrame);
  l.IconSize = scale(kIconSize);
  l.Gap = scale(kGap);
  l.RowHeight = std::max({scale(kRowHeight), textHeight + scale(6), l.IconSize + scale(4)});
  const int queryHeight = std::max(scale(kQueryHeight), textHeight + scale(10));
  const int pad = scale(kPad);
  const int fixed = 2 * l.Frame + 3 * pad + queryHeight;
  const int roomForRows = work.cy > 0 ? (work.cy - fixed) / l.RowHeight : kRows;
  l.VisibleRows = std::clamp(roomForRows, 1, kRows);
  l.Box.cx = work.cx > 0 ? std::min(scale(kWidth), work.cx) : scale(kWidth);
  l.Box.cy = fixed + l.VisibleRows * l.RowHeight;
  if (work.cy > 0) l.Box.cy = std::min(l.Box.cy, work.cy);

  l.Strip = Rect{l.Frame, l.Frame, l.Frame + scale(kStripWidth), l.Box.cy - l.Frame};
  const int left = l.Strip.right + pad, right = l.Box.cx - l.Frame - pad;
  l.Query = Rect{left, l.Frame + pad, right, l.Frame + pad + queryHeight};
  l.List = Rect{left, l.Query.bottom + pad, right, l.Query.bottom + pad + l.VisibleRows * l.RowHeight};
  return l;
}

Rect PlaceFindBox(const Rect& bar, TAppToolBarEdge edge, const Rect& work, Size box) {
  const int w = std::min(box.cx, work.Width()), h = std::min(box.cy, work.Height());
  Point at{bar.left, bar.bottom};
  switch (edge) {
    case abeLeft: at = {bar.right, bar.top}; break;
    case abeRight: at = {bar.left - w, bar.top}; break;
    case abeTop: break;
    case abeBottom: at.y = bar.top - h; break;
    default:
      if (bar.bottom + h > work.bottom && bar.top - h >= work.top) at.y = bar.top - h;
      break;
  }
  at.x = ClampStart(at.x, w, work.left, work.right);
  at.y = ClampStart(at.y, h, work.top, work.bottom);
  return MakeRect(at.x, at.y, w, h);
}

}  // namespace wendlix
