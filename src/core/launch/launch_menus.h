// The drop-down menus of folder buttons and of collapse and group buttons: their items as
// plain data. Icons that come from the system image list are resolved by the caller.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/bar/group_loading.h"

namespace wendlix {

struct LaunchMenuItem {
  std::string Caption;
  std::string Hint;             // the path or address the item launches
  int ImageIndex = -1;          // fixed image of the menu's list; -1 with SystemIcon
  bool SystemIcon = false;      // the system icon of Hint (its index is the caller's to find)
  int Tag = 0;                  // kSubmenuTag: a subfolder whose content is read when it opens
  bool HasPlaceholder = false;  // one disabled child kEmptyPlaceholder
  bool operator==(const LaunchMenuItem&) const = default;
};

// Images of the collapse menu's list for web and e-mail entries.
inline constexpr int kWebMenuImage = 0;
inline constexpr int kEmailMenuImage = 1;

// The items of a folder's menu, one per name of `listing` in order: caption the name
// without extension, Hint folder + name. A name that is not a shortcut file and that
// `probe` reports as a folder with shortcuts opens a submenu.
std::vector<LaunchMenuItem> FolderMenuItems(std::string_view folder, const std::vector<std::string>& listing,
                                            const ShortcutFolder& probe);
// The same over `disk`'s listing of the folder.
std::vector<LaunchMenuItem> FolderMenuItems(std::string_view folder, const ShortcutFolder& disk);

// The group a collapse button (Tag 2000 + index) or a group button of PanelBtn (Tag 4000 +
// index) belongs to, and whether its buttons must be made first: a group button whose
// group holds at most one child has not been filled.
struct CollapseMenuTarget {
  std::size_t Group = 0;  // position in `groups`
  bool FillFirst = false;
  bool operator==(const CollapseMenuTarget&) const = default;
};
std::optional<CollapseMenuTarget> FindCollapseMenuGroup(const std::vector<GroupPanel>& groups, int buttonTag);

// The menu of a group's launch buttons in control order: only the hidden ones while the
// group shows as a band, all of them when it is hidden or collapsed into a button.
std::vector<LaunchMenuItem> CollapseMenuEntries(const GroupPanel& group);

}  // namespace wendlix
