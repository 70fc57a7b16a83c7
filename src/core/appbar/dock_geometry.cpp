#include "core/appbar/dock_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace wendlix {

Rect CutToDockSize(TAppToolBarEdge edge, Rect r, const DockSizes& sizes) {
  switch (edge) {
    case abeLeft: r.right = r.left + sizes[abeLeft]; break;
    case abeTop: r.bottom = r.top + sizes[abeTop]; break;
    case abeRight: r.left = r.right - sizes[abeRight]; break;
    case abeBottom: r.top = r.bottom - sizes[abeBottom]; break;
    default: break;
  }
  return r;
}

Rect DockRectOnMonitor(TAppToolBarEdge edge, Rect current, Rect monitor, bool autoHide,
                       const DockSizes& sizes, const QueryPosFn& queryPos) {
  if (edge == abeFloat) return current;
  Rect r = monitor;
  if (!autoHide && queryPos) r = queryPos(edge, r);
  return CutToDockSize(edge, r, sizes);
}

int ClampDockSize(TAppToolBarEdge edge, int value, const AppToolBarProperties& props, Size screen) {
  if (!IsDockingEdge(edge)) return value;
  const bool vertical = IsVerticalEdge(edge);
  const int most = std::max(1, (vertical ? screen.cx : screen.cy) / 2);
  const int least = std::clamp(vertical ? props.MinHorzSize : props.MinVertSize, 1, most);
  return std::clamp(value, least, most);
}

TAppToolBarEdge ProposeEdge(const EdgeProposal& in, Point origin) {
  const bool mayFloat = in.flags.Has(abfAllowFloat);
  if (in.ctrlDown && mayFloat) return abeFloat;
  if (mayFloat) {
    const Rect inner{in.workArea.left + in.scrollBar.cx, in.workArea.top + in.scrollBar.cy,
                     in.workArea.right - in.scrollBar.cx, in.workArea.bottom - in.scrollBar.cy};
    if (Contains(inner, in.pt) || !in.flags.AllowsAnyEdge()) return abeFloat;
  }
  // 64-bit, so pointers far out on other monitors cannot overflow the comparison.
  const std::int64_t cx = in.screen.cx, cy = in.screen.cy;
  const std::int64_t dx = in.pt.x - (origin.x + cx / 2), dy = in.pt.y - (origin.y + cy / 2);
  TAppToolBarEdge candidate;
  if (std::llabs(dy) * cx <= std::llabs(dx) * cy)
    candidate = dx < 0 ? abeLeft : abeRight;
  else
    candidate = dy < 0 ? abeTop : abeBottom;
  if (in.flags.AllowsEdge(candidate)) return candidate;
  return mayFloat ? abeFloat : in.storedEdge;
}

Rect MovingOutline(TAppToolBarEdge movingEdge, TAppToolBarEdge proposed, Rect dragged, Rect floatRect,
                   Point pt) {
  if (movingEdge == abeFloat || proposed != abeFloat) return dragged;
  const int w = floatRect.Width(), h = floatRect.Height();
  const int left = pt.x - w / 2;
  return Rect{left, pt.y, left + w, pt.y + h};
}

MoveStep PlaceMoveStep(MoveStep asked, const std::optional<Rect>& outline) {
  if (!outline || !asked.moves) return asked;
  if (asked.placed.left != outline->left || asked.placed.top != outline->top) return asked;
  return {*outline, true, true};
}

namespace {

int SnapLength(int length, int frame, int inc) {
  if (inc == 0) return length;
  return (length - frame + inc / 2) / inc * inc + frame;
}

bool SideHasLeft(int s) { return s == kSizeLeft || s == kSizeTopLeft || s == kSizeBottomLeft; }
bool SideHasRight(int s) { return s == kSizeRight || s == kSizeTopRight || s == kSizeBottomRight; }
bool SideHasTop(int s) { return s == kSizeTop || s == kSizeTopLeft || s == kSizeTopRight; }
bool SideHasBottom(int s) { return s == kSizeBottom || s == kSizeBottomLeft || s == kSizeBottomRight; }

}  // namespace

Rect SnapSizingRect(Rect r, int side, Size frame, int horzInc, int vertInc) {
  const int w = SnapLength(r.Width(), frame.cx, horzInc);
  const int h = SnapLength(r.Height(), frame.cy, vertInc);
  if (SideHasLeft(side)) r.left = r.right - w;
  if (SideHasRight(side)) r.right = r.left + w;
  if (SideHasTop(side)) r.top = r.bottom - h;
  if (SideHasBottom(side)) r.bottom = r.top + h;
  return r;
}

TrackingLimits ComputeTrackingLimits(TAppToolBarEdge edge, const AppToolBarProperties& props, Size screen) {
  if (edge == abeFloat) return {{props.MinWidth, props.MinHeight}, {props.MaxWidth, props.MaxHeight}};
  Size most = screen;
  if (!IsHorizontalEdge(edge)) most.cx /= 2;
  if (!IsVerticalEdge(edge)) most.cy /= 2;
  return {{props.MinHorzSize, props.MinVertSize}, most};
}

SizeMoveMemory RememberSizeMove(TAppToolBarEdge movingEdge, TAppToolBarEdge storedEdge, Rect window,
                                Rect workArea, SizeMoveMemory memory) {
  if (movingEdge == storedEdge && IsDockingEdge(movingEdge))
    memory.dockSizes.Set(movingEdge, IsVerticalEdge(movingEdge) ? window.Width() : window.Height());
  if (movingEdge == abeFloat) {
    if (storedEdge == abeFloat) {
      memory.floatRect = window;
    } else {
      const bool fits = window.Width() < workArea.Width() && window.Height() < workArea.Height();
      const int w = fits ? window.Width() : memory.floatRect.Width();
      const int h = fits ? window.Height() : memory.floatRect.Height();
      memory.floatRect = MakeRect(window.left, window.top, w, h);
    }
  }
  return memory;
}

}  // namespace wendlix
