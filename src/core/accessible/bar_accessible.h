// The bar as a screen reader sees it, in the order the keyboard visits it: the title button,
// the system button, each shown group as a grouping holding its buttons (the collapse arrow
// last), then the collapsed groups' buttons at the bottom.
#pragma once
#include <string>
#include <vector>

#include "core/accessible/accessible_tree.h"
#include "core/bar/bar_view.h"

namespace wendlix {

// What the window knows beside the view: the pointer, the keyboard focus, the slide.
struct BarAccessibleInput {
  BarHit Focus, Hot, Pressed;
  bool Hidden = false;    // slid in: everything is off screen
  bool Disabled = false;  // a box or dialog of the bar is open
  std::string Caption;    // the window's
  std::string HotKey;     // its text, empty for none
};

// The item an element is, or -1 (hit kinds not in the tree: the background, the strip).
struct BarAccessibleItem {
  AccessibleItem Item;
  BarHit Hit;
};

std::vector<BarAccessibleItem> BarAccessibleItems(const BarView& view, const std::vector<GroupPanel>& groups,
                                                  const BarAccessibleInput& input);
AccessibleTree BarAccessibleTree(const BarView& view, const std::vector<GroupPanel>& groups,
                                 const BarAccessibleInput& input);

// The index BarAccessibleItems gives `hit` (-1 when none), counted without building the items,
// so that an event can name its child cheaply.
int BarAccessibleIndex(const BarView& view, const std::vector<GroupPanel>& groups, const BarHit& hit);

// What a listening reader is told when the items' names went from `before` to `after` (both in
// item order): the items whose name changed, those added at the end and those gone from it.
struct AccessibleChange {
  enum class Kind { kNameChange, kCreate, kDestroy } What;
  int Index;
  bool operator==(const AccessibleChange&) const = default;
};
std::vector<AccessibleChange> AccessibleChanges(const std::vector<std::string>& before,
                                                const std::vector<std::string>& after);

}  // namespace wendlix
