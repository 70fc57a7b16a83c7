#include "core/launch/launch_menus.h"

#include "core/launch/launch_decision.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

void MakeSubmenu(LaunchMenuItem& item) {
  item.Tag = kSubmenuTag;
  item.HasPlaceholder = true;
}

}  // namespace

std::vector<LaunchMenuItem> FolderMenuItems(std::string_view folder, const std::vector<std::string>& listing,
                                            const ShortcutFolder& probe) {
  const std::string base = AddBackslash(folder);
  std::vector<LaunchMenuItem> items;
  items.reserve(listing.size());
  for (const std::string& name : listing) {
    LaunchMenuItem item;
    item.Caption = ExtractFileBaseName(name);
    item.Hint = base + name;
    item.SystemIcon = true;
    if (!IsShortcutFile(name) && probe.Probe(item.Hint) == ShortcutFolder::Entry::kFolderWithShortcuts)
      MakeSubmenu(item);
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<LaunchMenuItem> FolderMenuItems(std::string_view folder, const ShortcutFolder& disk) {
  const std::string base = AddBackslash(folder);
  return FolderMenuItems(base, disk.List(base), disk);
}

std::optional<CollapseMenuTarget> FindCollapseMenuGroup(const std::vector<GroupPanel>& groups,
                                                        int buttonTag) {
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const GroupPanel& g = groups[i];
    if (g.Tag + kCollapseTagBase == buttonTag) return CollapseMenuTarget{i, false};
    if (g.Tag + kCollapsedGroupTagBase == buttonTag) return CollapseMenuTarget{i, g.Children.size() <= 1};
  }
  return std::nullopt;
}

std::vector<LaunchMenuItem> CollapseMenuEntries(const GroupPanel& group) {
  const TPanelData& d = group.Data;
  const bool shownAsBand = d.Visible && !d.ShowAsButton;
  std::vector<LaunchMenuItem> items;
  for (const BarButton& b : group.Children) {
    if (b.IsCollapse() || (shownAsBand && b.Visible)) continue;
    LaunchMenuItem item;
    item.Caption = b.Hint;
    item.Hint = b.FileName;
    switch (d.PanelStyle) {
      case gkShortcut:
        item.SystemIcon = true;
        if (b.IsDirectory) MakeSubmenu(item);
        break;
      case gkWeb: item.ImageIndex = kWebMenuImage; break;
      default: item.ImageIndex = kEmailMenuImage; break;
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace wendlix
