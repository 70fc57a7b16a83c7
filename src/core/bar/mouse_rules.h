// Which mouse presses and moves start a window drag, a button move-drag or a file drag.
#pragma once
#include <cstdint>

#include "core/bar/bar_view.h"
#include "core/common/geometry.h"

namespace wendlix {

// The mouse buttons and modifier keys held during a mouse event.
class ShiftState {
 public:
  enum Flag : std::uint8_t { kShift = 1, kAlt = 2, kCtrl = 4, kLeft = 8, kRight = 16, kMiddle = 32 };

  constexpr ShiftState() = default;
  constexpr ShiftState(Flag f) : bits_(f) {}  // implicit: one flag is a state
  constexpr ShiftState operator|(ShiftState o) const { return FromBits(bits_ | o.bits_); }
  constexpr bool Has(Flag f) const { return (bits_ & f) != 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const ShiftState&) const = default;

  static constexpr ShiftState FromBits(unsigned bits) {
    ShiftState s;
    s.bits_ = static_cast<std::uint8_t>(bits & 63u);
    return s;
  }

 private:
  std::uint8_t bits_ = 0;
};

constexpr ShiftState operator|(ShiftState::Flag a, ShiftState::Flag b) {
  return ShiftState(a) | ShiftState(b);
}

// The state from a mouse message's key flags (MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4,
// MK_CONTROL 8, MK_MBUTTON 0x10), which do not carry Alt.
ShiftState ShiftFromMouseKeys(std::uint32_t mouseKeys, bool altDown);

// A press with exactly the left button and no key drags the window.
bool StartsWindowDrag(ShiftState s);
// A press on `what` drags the window: the main panel and a group's background, with exactly the
// left button and no key (anything else there leaves the bar where it is).
bool PressDragsWindow(BarHit::Kind what, ShiftState s);
// A button is dragged to another place with exactly the left button, alone or with Shift.
bool StartsMoveDrag(ShiftState s);
// A button is dragged out as a file with Ctrl and exactly the left or the right button.
bool StartsFileDrag(ShiftState s);
// A folder button pressed with Shift opens no menu.
bool FolderButtonOpensMenu(ShiftState s);

// Drags start once the mouse is 10 pixels or more from where it was pressed, in x or y
// (at 96 DPI: the caller passes the threshold scaled to its monitor).
inline constexpr int kDragThreshold = 10;
bool DragDistanceReached(Point popupPoint, Point point, int threshold = kDragThreshold);

// What a mouse move over a launch button starts.
struct ButtonMoveDecision {
  bool FileTargetOnBackground = false;  // Ctrl held: the file target follows the group's background
  bool FileDrag = false;
  bool MoveDrag = false;
  bool operator==(const ButtonMoveDecision&) const = default;
};
ButtonMoveDecision DecideButtonMouseMove(ShiftState s, bool mouseIsDown, Point popupPoint, Point point,
                                         int threshold = kDragThreshold);

// The drag image's hot spot: the centre of the button's picture, halves rounded to even.
Point DragHotSpot(Size picture);

}  // namespace wendlix
