// The bar settings menu `MainPMenu`: its items, its preparation on opening and what its
// settings commands change. The window that owns the menu carries the results out.
//
// Boundary for the main window:
//   - Keep the model from BuildMainPMenu(groups). After groups are added, removed or
//     renamed call SetGroupEntries again (the groups list `ShowMenuBar`).
//   - Before showing it: MainPMenuPopup(menu, settings with the toolbar's current appbar
//     properties, the groups' band Tags and Visible flags).
//   - On the chosen item, by MainMenuActionOf(item): kAutoHide -> AutoHide1Click;
//     kPosition -> PositionLeft1Click (the item's Tag is the new edge) with
//     EdgeChangePopupPoint; kSetting -> A1Click, then push the changed appbar properties
//     to the toolbar, follow a changed Appearance, and lay every group out again when it
//     answers true; kGroupVisible:
//     the item's Tag is the group's band index; kQuickFolder (Tag 1 to 5) and kQuickSites
//     (the collection file is the caption + ".GLF") quick-create; kHelp -> H2Click
//     (win/bar_menu/bar_menu_commands.h).
//   - SysMenuPopupOffset places the system tweaks menu at the title strip's button
//     (ShowSystemTweaksMenu in the same Win32 file does the whole button click).
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/bar_settings.h"
#include "core/common/geometry.h"
#include "core/ui/menu_model.h"
#include "wendlix/version.h"

namespace wendlix {

inline constexpr char kMainMenuTitle[] = "Wendlix V" WENDLIX_VERSION_SHORT_TEXT;

// Names of the groups list's entries: this prefix and the group's band index.
inline constexpr std::string_view kGroupEntryPrefix = "ShowMenuBar.";

// One entry of the groups list: the group's title, its band index and whether it shows.
struct GroupMenuEntry {
  std::string Caption;
  int Tag = 0;
  bool Checked = true;
};

// A band as the menu preparation sees it.
struct GroupVisibility {
  int Tag = 0;
  bool Visible = true;
};

// The menu with its groups list and the quick-create sub-menu `Q1`. The sub-menu of the
// maker's companion programs is not part of this bar and is left out, with its separator.
MenuModel BuildMainPMenu(const std::vector<GroupMenuEntry>& groups);

// Replaces the entries of `ShowMenuBar` (names "ShowMenuBar.<Tag>", handler: show or hide
// the group with that band index). An empty list leaves one disabled "(空)" entry.
void SetGroupEntries(MenuModel& menu, const std::vector<GroupMenuEntry>& groups);

// The items of 快速创建 → 浏览器书签: one per browser profile found (Tag its place in
// `captions`); none found, one greyed item that says so.
inline constexpr char kNoBrowserCaption[] = "没有找到浏览器的书签文件";
void SetBookmarkProfiles(MenuModel& menu, const std::vector<std::string>& captions);

// Check marks from the settings; `settings.AppBar` must hold the toolbar's current values.
void MainPMenuPopup(MenuModel& menu, const BarSettings& settings, const std::vector<GroupVisibility>& bands);

// Check marks of the position menu: `checks` by Tag (0 left, 1 top, 2 right, 3 bottom), as the
// edge change arranged them.
void CheckPositionItems(MenuModel& menu, const std::array<bool, 4>& checks);

// The handler a chosen item runs.
enum class MainMenuAction {
  kNone,
  kAutoHide,        // AutoHide1Click
  kPosition,        // PositionLeft1Click
  kGroupVisible,    // an entry of the groups list
  kSetting,         // A1Click
  kNewGroup,        // N6Click
  kQuickFolder,     // D4Click
  kQuickSites,      // N40Click
  kQuickBookmarks,  // a browser profile's bookmarks
  kAbout,           // AboutNClick
  kHelp,            // H2Click (also the last item of the more-sites sub-menu)
  kClose,           // N4Click
  kHotKey,          // the global hotkey's dialog
};
MainMenuAction MainMenuActionOf(const MenuItem& item);

// Applies the settings item with this Tag. True when every group must be laid out again
// (the underlined-buttons and live-folders switches); any unknown Tag changes nothing.
bool A1Click(int tag, BarSettings& settings);

// Auto-hide toggled: AutoHide flips and the bar stays on top either way. The caller then
// applies the edge again and enables the auto-hide timer as AutoHide now says. Returns the
// new AutoHide.
bool AutoHide1Click(AppBarProps& props);

// The size stored in `PopupPoint` when the bar moves from `oldEdge` to `newEdge` with the
// window `width` x `height`: the edge-change handler takes x as the height of a
// horizontal bar and y as the width of a vertical one, so the bar keeps its thickness. A
// floating (or unknown) bar counts as horizontal.
Point EdgeChangePopupPoint(int width, int height, int oldEdge, int newEdge);
// The bar's thickness on `newEdge` after that move: the height on top or bottom, the width
// on left or right.
int ThicknessAfterEdgeChange(int width, int height, int oldEdge, int newEdge);

// Where the system tweaks menu opens, in the system button's own coordinates: at its
// top-right corner one pixel higher on a horizontal or floating bar, just below its
// bottom-left corner on a vertical bar.
Point SysMenuPopupOffset(int edge, int buttonWidth, int buttonHeight);

}  // namespace wendlix
