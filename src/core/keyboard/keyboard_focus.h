// Moving the keyboard focus over the bar's buttons: the arrows, Tab and Shift+Tab, Home and
// End, over every button a click reaches (FocusableButtons says which, in which order). On a
// vertical bar the groups stack top to bottom and their buttons fill rows; on a horizontal bar
// the groups run left to right and their buttons fill columns. The arrow along the bar steps to
// the next row (or column), keeping to the button nearest across; the arrow across it steps
// through the buttons in their order. Hidden groups have no button and are skipped.
#pragma once
#include <optional>
#include <vector>

#include "core/bar/bar_view.h"
#include "core/common/geometry.h"

namespace wendlix {

// What a focus stop is: a band's launch or folder button, a band's overflow arrow (the collapse
// button shown when its buttons do not fit), or a collapsed group's button in PanelBtn.
enum class FocusKind { kButton, kOverflow, kCollapsedGroup };

// The focused stop; Group -1 for none. A band's stop names the group and its child index; a
// collapsed group's button the group it stands for and its index in PanelBtn, as BarHit does.
struct BarFocus {
  int Group = -1;
  int Button = -1;
  FocusKind Kind = FocusKind::kButton;
  bool None() const { return Group < 0; }
  friend bool operator==(const BarFocus&, const BarFocus&) = default;
};

struct FocusButton {
  BarFocus Focus;
  Rect Bounds;  // client coordinates
};

struct FocusGroup {
  int Group = -1;                    // the band's group; -1 for PanelBtn
  std::vector<FocusButton> Buttons;  // in the order the keyboard visits them
};

enum class FocusMove { kLeft, kRight, kUp, kDown, kNextGroup, kPreviousGroup, kFirst, kLast };

// A group's children in the order the keyboard visits them: its buttons, then its overflow
// arrow, wherever that stands among them.
std::vector<int> ChildrenInKeyboardOrder(const StableList<BarButton>& children);

// Every stop the keyboard reaches, in the one order the keyboard (and whatever follows it)
// visits them: each shown band in band order with its shown buttons in control order, then its
// overflow arrow when it shows one; last, as one more group, PanelBtn's collapsed groups'
// buttons in the order it draws them (left out when there are none).
std::vector<FocusGroup> FocusableButtons(const BarView& view, const std::vector<GroupPanel>& groups);

// The bar element `focus` stands on (kNone for none): a kGroupButton or a kCollapsedGroup.
BarHit FocusHit(BarFocus focus);

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
