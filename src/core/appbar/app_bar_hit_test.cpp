#include "core/appbar/app_bar_hit_test.h"

namespace wendlix {
namespace {

bool IsSizingBorder(int ht) { return ht >= kHtLeft && ht <= kHtBottomRight; }

int FloatingBorder(int ht, bool horz, bool vert) {
  if (horz && vert) return ht;
  if (!horz && !vert) return kHtBorder;
  switch (ht) {
    case kHtLeft:
    case kHtRight: return horz ? ht : kHtBorder;
    case kHtTop:
    case kHtBottom: return vert ? ht : kHtBorder;
    case kHtTopLeft: return vert ? kHtTop : kHtLeft;
    case kHtTopRight: return vert ? kHtTop : kHtRight;
    case kHtBottomLeft: return vert ? kHtBottom : kHtLeft;
    case kHtBottomRight: return vert ? kHtBottom : kHtRight;
    default: return ht;
  }
}

int DockedBorder(const ShownHitTestInput& in) {
  if ((IsVerticalEdge(in.edge) && in.horzSizeInc == 0) || (IsHorizontalEdge(in.edge) && in.vertSizeInc == 0))
    return kHtBorder;
  const Rect& c = in.clientOnScreen;
  switch (in.edge) {
    case abeLeft: return in.pt.x > c.right ? kHtRight : kHtBorder;
    case abeTop: return in.pt.y > c.bottom ? kHtBottom : kHtBorder;
    case abeRight: return in.pt.x < c.left ? kHtLeft : kHtBorder;
    case abeBottom: return in.pt.y < c.top ? kHtTop : kHtBorder;
    default: return kHtBorder;
  }
}

}  // namespace

int ShownBarHitTest(const ShownHitTestInput& in) {
  int ht = in.defaultResult;
  if (ht == kHtClient && in.buttonDown) ht = kHtCaption;
  if (!IsSizingBorder(ht)) return ht;
  if (in.edge == abeFloat) return FloatingBorder(ht, in.horzSizeInc != 0, in.vertSizeInc != 0);
  if (IsDockingEdge(in.edge)) return DockedBorder(in);
  return ht;
}

HiddenHitTest HiddenBarHitTest(TAppToolBarEdge edge, bool buttonDown) {
  HiddenHitTest h;
  switch (edge) {
    case abeLeft:
    case abeRight: h.cursor = BarCursor::SizeWestEast; break;
    case abeBottom: h.cursor = BarCursor::SizeNorthSouth; break;
    case abeTop: h.cursor = BarCursor::Hand; break;
    default: break;
  }
  h.slideOut = buttonDown;
  return h;
}

}  // namespace wendlix
