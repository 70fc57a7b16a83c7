// Renumbering the groups after the user dragged bands of the band bar into a new order.
#pragma once
#include <cstddef>
#include <vector>

#include "core/bar/group_construction.h"

namespace wendlix {

struct RenumberResult {
  bool Applied = false;  // false: `newOrder` was not an order of the groups; nothing changed
  bool Moved = false;    // some group changed its place
  // A group shown in PanelBtn changed its index: PanelBtn's buttons (Tag 4000 + index)
  // must be rebuilt.
  bool CollapsedPanelStale = false;
  bool operator==(const RenumberResult&) const = default;
};

// `newOrder[i]` is the position in `groups` of the group the band bar now shows as band i.
// Reorders `groups` to band order and renumbers each group as its band: panel Tag, the
// collapse button's Tag (2000 + index), the menu item's Tag and caption (the Title). Every
// band loses its line break.
RenumberResult RenumberBands(std::vector<GroupPanel>& groups, const std::vector<std::size_t>& newOrder);
// The same for an order of int indices, as the band bar's MoveBand gives it.
RenumberResult RenumberBands(std::vector<GroupPanel>& groups, const std::vector<int>& newOrder);

}  // namespace wendlix
