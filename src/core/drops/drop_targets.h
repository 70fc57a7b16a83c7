// Where the bar's three drop targets (files, web links, dragged buttons) go while the
// mouse moves over its controls, so that a drop arrives at the group under the mouse.
#pragma once
#include <cstdint>

namespace wendlix {

// The control the mouse moves over.
enum class MouseControl : std::uint8_t {
  kLaunchButton,
  kGroupPanel,
  kGroupBackground,
  kCollapseButton,
  kOther
};

// Where one target goes.
enum class TargetSite : std::uint8_t {
  kUnchanged,     // left where it is
  kUnregistered,  // taken off whatever window holds it
  kGroupPanel,    // the group panel the control belongs to (or is)
  kControl,       // the control itself (a group panel or its background)
  kPanel1,        // the bar's main panel
};

struct DropTargetPlacement {
  TargetSite File = TargetSite::kUnchanged;
  TargetSite Url = TargetSite::kUnchanged;
  TargetSite Button = TargetSite::kUnchanged;
  bool operator==(const DropTargetPlacement&) const = default;
};

// The placement for a move over `control` of a group of kind `groupKind`.
DropTargetPlacement PlaceDropTargets(MouseControl control, std::uint16_t groupKind);

// A move over a shortcut group's panel, or over a shortcut or e-mail group's background,
// ends a press that began on a launch button.
bool MoveClearsMouseDown(MouseControl control, std::uint16_t groupKind);

}  // namespace wendlix
