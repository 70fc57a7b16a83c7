#include "core/bar/mouse_rules.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace wendlix {

ShiftState ShiftFromMouseKeys(std::uint32_t mouseKeys, bool altDown) {
  ShiftState s;
  if (mouseKeys & 0x01u) s = s | ShiftState::kLeft;
  if (mouseKeys & 0x02u) s = s | ShiftState::kRight;
  if (mouseKeys & 0x04u) s = s | ShiftState::kShift;
  if (mouseKeys & 0x08u) s = s | ShiftState::kCtrl;
  if (mouseKeys & 0x10u) s = s | ShiftState::kMiddle;
  if (altDown) s = s | ShiftState::kAlt;
  return s;
}

bool StartsWindowDrag(ShiftState s) { return s == ShiftState::kLeft; }

bool PressDragsWindow(BarHit::Kind what, ShiftState s) {
  return (what == BarHit::Kind::kBackground || what == BarHit::Kind::kGroup) && StartsWindowDrag(s);
}

bool StartsMoveDrag(ShiftState s) {
  return s == ShiftState::kLeft || s == (ShiftState::kLeft | ShiftState::kShift);
}

bool StartsFileDrag(ShiftState s) {
  return s == (ShiftState::kCtrl | ShiftState::kLeft) || s == (ShiftState::kCtrl | ShiftState::kRight);
}

bool FolderButtonOpensMenu(ShiftState s) { return !s.Has(ShiftState::kShift); }

bool DragDistanceReached(Point popupPoint, Point point, int threshold) {
  // 64-bit differences: points far apart must not overflow.
  const std::int64_t dx = std::llabs(static_cast<std::int64_t>(point.x) - popupPoint.x);
  const std::int64_t dy = std::llabs(static_cast<std::int64_t>(point.y) - popupPoint.y);
  return dx >= threshold || dy >= threshold;
}

ButtonMoveDecision DecideButtonMouseMove(ShiftState s, bool mouseIsDown, Point popupPoint, Point point,
                                         int threshold) {
  ButtonMoveDecision d;
  const bool far = DragDistanceReached(popupPoint, point, threshold);
  d.FileTargetOnBackground = s.Has(ShiftState::kCtrl);
  d.FileDrag = StartsFileDrag(s) && far;
  d.MoveDrag = !d.FileDrag && mouseIsDown && StartsMoveDrag(s) && far;
  return d;
}

Point DragHotSpot(Size picture) {
  return {static_cast<int>(std::nearbyint(picture.cx / 2.0)),
          static_cast<int>(std::nearbyint(picture.cy / 2.0))};
}

}  // namespace wendlix
