// Moving the keyboard focus over the bar's buttons: the arrows, Tab and Shift+Tab, Home and
// End, over the buttons each shown group draws, in band order. On a vertical bar the groups
// stack top to bottom and their buttons fill rows; on a horizontal bar the groups run left to
// right and their buttons fill columns. The arrow along the bar steps to the next row (or
// column), keeping to the button nearest across; the arrow across it steps through the
// buttons in their order. Groups collapsed into PanelBtn or hidden have no band and are
// skipped.
#pragma once
#include <optional>
#include <vector>

#include "core/bar/bar_view.h"
#include "core/common/geometry.h"

namespace wendlix {

struct FocusButton {
  int Button = -1;  // child index in its group
  Rect Bounds;      // client coordinates
};

struct FocusGroup {
  int Group = -1;                    // index in the bar's groups
  std::vector<FocusButton> Buttons;  // shown buttons, in control order
};

// The focused button; Group -1 for none.
struct BarFocus {
  int Group = -1;
  int Button = -1;
  bool None() const { return Group < 0; }
  friend bool operator==(const BarFocus&, const BarFocus&) = default;
};

enum class FocusMove { kLeft, kRight, kUp, kDown, kNextGroup, kPreviousGroup, kFirst, kLast };

// The shown buttons of every shown band, in band order (groups without one are left out).
std::vector<FocusGroup> FocusableButtons(const BarView& view, const std::vector<GroupPanel>& groups);

// Where `move` takes the focus from `current`. A focus that is none or no longer among the
// buttons goes to the first button (the last for kLast, the last group's first for
// kPreviousGroup). The arrows stop at the bar's ends; Tab and Shift+Tab go round. None when
// the bar shows no button.
BarFocus MoveFocus(const std::vector<FocusGroup>& groups, bool verticalBar, BarFocus current, FocusMove move);

// What a key does while the bar has the keyboard focus.
struct BarKeyAction {
  enum class Kind { kNone, kMove, kActivate, kButtonMenu, kGiveBack } What = Kind::kNone;
  FocusMove Move = FocusMove::kFirst;
  friend bool operator==(const BarKeyAction&, const BarKeyAction&) = default;
};

// `vk` is the virtual-key code of a key press; F10 counts only with Shift (it opens the
// button's menu), Tab with Shift goes back.
BarKeyAction BarKeyFor(unsigned vk, bool shift);

}  // namespace wendlix
