// Showing, hiding and collapsing groups with the mouse: a double click on a group and the
// groups menu. The record changes are made here; the caller saves, refills and lays out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/bar/group_construction.h"

namespace wendlix {

// Bands shown: groups visible and not collapsed into a button.
int VisibleBandCount(const std::vector<GroupPanel>& groups);

// A double click collapses group `group` into a button of PanelBtn, unless it is the only
// band shown (then nothing changes and the result is false). On true the band and panel
// are hidden and ShowAsButton set; the caller saves the group
// with its buttons (dropping them), rebuilds PanelBtn and lays out every group.
bool CollapseGroupIntoButton(std::vector<GroupPanel>& groups, std::size_t group);

struct GroupMenuClick {
  enum class Effect : std::uint8_t {
    kNone,    // refused (the last visible group) or no group of that Tag
    kShown,   // now visible: rebuild PanelBtn, fill the group, lay it out
    kHidden,  // now hidden: rebuild PanelBtn, save it with its buttons, lay out every group
  };
  Effect Result = Effect::kNone;
  std::size_t Group = 0;
  bool operator==(const GroupMenuClick&) const = default;
};

// The groups menu item of Tag `itemTag` was clicked: a group shown as a band is hidden, any
// other (hidden, or collapsed into a button) is shown as a band, whatever command made it so.
// Hiding the last visible group is refused.
GroupMenuClick ToggleGroupFromMenu(std::vector<GroupPanel>& groups, int itemTag);

}  // namespace wendlix
