// The buttons menu `PopupMenuBtn` of groups, their buttons and PanelBtn: its items, its
// preparation on every opening, and the handler a chosen item runs.
//
// Boundary for the main window: keep the model from BuildPopupMenuBtn(); before each opening
// find the group G (PopupGroup) and the visible launch button B under the point (none on
// PanelBtn), call PopupMenuBtnPopup with what they show, and run ButtonMenuActionOf(item).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/bar_menu/bar_menu.h"
#include "core/ui/menu_model.h"

namespace wendlix {

// Tags of the display-flag items (T2Click tells them apart by these).
enum DisplayFlagTag : int {
  kFlagShowTitle = 10,
  kFlagShowCaption = 20,
  kFlagIconAbove = 30,  // LayoutLeft, shown inverted
  kFlagLargeIcons = 40,
  kFlagBevelDown = 50,
  kFlagTitleIcon = 60,
};

struct ButtonMenuState {
  // The group the menu acts on; none on PanelBtn away from every group button, where only
  // the groups list and the new-group item work.
  std::optional<TPanelData> Group;
  // B: the shown launch button under the point (its name and file), none elsewhere.
  std::optional<GroupButton> Button;
  int BandCount = 0;
  int VisibleBandCount = 0;            // bands shown: visible and not collapsed into a button
  std::vector<GroupMenuEntry> Groups;  // the bar menu's groups list, mirrored in `S4`
};

MenuModel BuildPopupMenuBtn();
// Before the buttons menu opens: which items show, are enabled and checked for `state`.
void PopupMenuBtnPopup(MenuModel& menu, const ButtonMenuState& state);

enum class ButtonMenuAction {
  kNone,
  kNewButton,         // N9Click
  kButtonProperties,  // S3Click
  kDeleteButton,      // D1Click
  kDisplayFlag,       // T2Click; the item's Tag is a DisplayFlagTag
  kGroupVisible,      // an entry of the groups list; the Tag is the group's band index
  kNewGroup,          // N6Click
  kGroupProperties,   // S5Click
  kShowAsButton,      // N5Click
  kExport,            // L1Click
  kImport,            // I2Click
  kDeleteGroup,       // D2Click
  kExplore,           // O1Click
  kHide,              // H1Click
  kRefresh,           // R1Click
};
ButtonMenuAction ButtonMenuActionOf(const MenuItem& item);

// Delete is offered for a shortcut group's .lnk, .pif and .url buttons only (never for the
// plain files and sub-folders a folder shows), and for every web or e-mail button.
bool CanDeleteButton(std::uint16_t kind, const GroupButton& button);

}  // namespace wendlix
