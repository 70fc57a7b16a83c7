#include "core/bar/group_visibility.h"

#include <algorithm>

#include "core/bar/button_lookup.h"

namespace wendlix {

int VisibleBandCount(const std::vector<GroupPanel>& groups) {
  return static_cast<int>(
      std::count_if(groups.begin(), groups.end(), [](const GroupPanel& g) { return ShownAsBand(g.Data); }));
}

bool CollapseGroupIntoButton(std::vector<GroupPanel>& groups, std::size_t group) {
  if (group >= groups.size() || VisibleBandCount(groups) <= 1) return false;
  GroupPanel& g = groups[group];
  if (!ShownAsBand(g.Data)) return false;  // no band to double-click
  g.Band.Visible = false;
  g.Visible = false;
  g.Data.ShowAsButton = true;
  return true;
}

GroupMenuClick ToggleGroupFromMenu(std::vector<GroupPanel>& groups, int itemTag) {
  const std::optional<std::size_t> found = GroupByTag(groups, itemTag);
  if (!found) return {};
  // Collapsed groups count: they are visible, as buttons.
  const auto visible =
      std::count_if(groups.begin(), groups.end(), [](const GroupPanel& g) { return g.Data.Visible; });
  GroupPanel& g = groups[*found];
  if (ShownAsBand(g.Data)) {
    if (visible == 1) return {};
    g.Data.Visible = false;
    return {GroupMenuClick::Effect::kHidden, *found};
  }
  g.Data.Visible = true;
  g.Data.ShowAsButton = false;
  return {GroupMenuClick::Effect::kShown, *found};
}

}  // namespace wendlix
