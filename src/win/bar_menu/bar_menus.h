// The bar's own menus: the bar settings menu (from the title button and a right click on the
// bar) with the commands it runs, and the system tweaks menu (from the system button and the
// title strip), whose commands SystemTweaksCommands carries out.
#pragma once
#include <windows.h>

#include "core/inspect/query_table.h"
#include "core/ui/menu_model.h"
#include "win/bar/bar_groups.h"
#include "win/bar/bar_window.h"
#include "win/button_menu/button_menu_commands.h"
#include "win/keyboard/bar_keyboard.h"
#include "win/quick_create/quick_create_commands.h"
#include "win/ui/popup_menu.h"

namespace wendlix {

class BarMenus {
 public:
  BarMenus(BarWindow& bar, BarGroups& groups, ButtonMenuCommands& buttonMenu,
           QuickCreateCommands& quickCreate, BarKeyboard& keyboard);
  BarMenus(const BarMenus&) = delete;
  BarMenus& operator=(const BarMenus&) = delete;

  // The groups' entries of the bar settings menu, as the groups stand now.
  void RefreshGroupEntries();
  // The bar settings menu at a screen point (TPM_ alignment flags in `align`), and its command.
  void ShowMainMenu(POINT screen, UINT align);
  // The system button's click: the system tweaks menu beside the button.
  void ShowSysMenu();
  // The system tweaks menu at a screen point (the title strip's context menu).
  void ShowSysMenuAt(POINT screen);

  bool MenuOpen() const { return mainPopup_.Tracking() || sysPopup_.Tracking(); }
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return mainPopup_.HandleMenuMessage(msg, wp, lp, result) ||
           sysPopup_.HandleMenuMessage(msg, wp, lp, result);
  }
  // "mainmenu" and "sysmenu": the menus as they would open now, without opening them (as they
  // stand while one is open).
  void AddQueries(QueryTable& table);

 private:
  void PrepareMainMenu();
  void RunMainMenuItem(const MenuItem& item);
  void PositionLeft1Click(int edge);

  BarWindow& bar_;
  BarState& state_;
  BarGroups& groups_;
  ButtonMenuCommands& buttonMenu_;
  QuickCreateCommands& quickCreate_;
  BarKeyboard& keyboard_;
  MenuModel mainMenu_;
  MenuModel sysMenu_;
  PopupMenu mainPopup_{mainMenu_};
  PopupMenu sysPopup_{sysMenu_};
};

}  // namespace wendlix
