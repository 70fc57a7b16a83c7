#include "core/drops/drop_targets.h"

#include "core/bar/panel_data.h"

namespace wendlix {

DropTargetPlacement PlaceDropTargets(MouseControl control, std::uint16_t groupKind) {
  using T = TargetSite;
  switch (control) {
    case MouseControl::kLaunchButton:
      // A button has no window of its own: its group panel takes every drop.
      return {T::kGroupPanel, T::kGroupPanel, T::kGroupPanel};
    case MouseControl::kGroupPanel:
    case MouseControl::kGroupBackground:
      if (groupKind == gkShortcut) return {T::kGroupPanel, T::kPanel1, T::kControl};
      return {T::kUnregistered, T::kGroupPanel, T::kControl};
    case MouseControl::kCollapseButton: return {T::kUnchanged, T::kPanel1, T::kUnchanged};
    default: return {};
  }
}

bool MoveClearsMouseDown(MouseControl control, std::uint16_t groupKind) {
  if (control == MouseControl::kGroupPanel) return groupKind == gkShortcut;
  if (control == MouseControl::kGroupBackground) return groupKind == gkShortcut || groupKind >= gkEmail;
  return false;
}

}  // namespace wendlix
