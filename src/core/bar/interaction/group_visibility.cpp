#include "core/bar/interaction/group_visibility.h"

#include "core/bar/interaction/button_lookup.h"

namespace wendlix {

int VisibleBandCount(const std::vector<GroupPanel>& groups) {
  int count = 0;
  for (const GroupPanel& g : groups)
    if (g.Data.Visible && !g.Data.ShowAsButton) ++count;
  return count;
}

bool CollapseGroupIntoButton(std::vector<GroupPanel>& groups, std::size_t group) {
  if (group >= groups.size() || VisibleBandCount(groups) <= 1) return false;
  GroupPanel& g = groups[group];
  if (!g.Data.Visible || g.Data.ShowAsButton) return false;  // no band to double-click
  g.Band.Visible = false;
  g.Visible = false;
  g.Data.ShowAsButton = true;
  g.MenuItem.Checked = false;
  return true;
}

GroupMenuClick ToggleGroupFromMenu(std::vector<GroupPanel>& groups, int itemTag) {
  const std::optional<std::size_t> found = GroupByTag(groups, itemTag);
  if (!found) return {};
  int visible = 0;  // collapsed groups count: they are visible, as buttons
  for (const GroupPanel& g : groups)
    if (g.Data.Visible) ++visible;
  GroupPanel& g = groups[*found];
  const bool checked = !g.MenuItem.Checked;
  if (visible == 1 && !checked) return {};
  g.MenuItem.Checked = checked;
  g.Data.Visible = checked;
  // Shown from the menu means shown as a band: a group collapsed into a button opens out,
  // which is the only way back for it short of the editor.
  if (checked) g.Data.ShowAsButton = false;
  return {checked ? GroupMenuClick::Effect::kShown : GroupMenuClick::Effect::kHidden, *found};
}

}  // namespace wendlix
