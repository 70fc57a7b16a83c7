// The bar settings menu's commands that need nothing of the main window but its handle,
// and the system button's menu. BarMenus (bar_menus.h) runs the others (bar_menu.h says
// which handler an item runs).
#pragma once
#include <windows.h>

#include "win/tweaks/system_tweaks_commands.h"
#include "win/ui/popup_menu.h"

namespace wendlix {

// Help: the help file beside the exe, opened by the shell. A missing file or one the shell
// could not open is told in a box; false then.
bool H2Click(HWND owner);

// Where the system tweaks menu opens for the system button at `button` (client
// coordinates of `bar`) on a bar docked at `edge`, in screen coordinates.
POINT SysMenuScreenPoint(HWND bar, const RECT& button, int edge);

// The system button's click: cancels any mouse capture, prepares the menu from the shell's
// current state, shows it at the button and carries out the chosen item. The caller keeps
// the auto-hide timer off around it.
void ShowSystemTweaksMenu(HWND bar, const RECT& button, int edge, PopupMenu& menu,
                          SystemTweaksCommands& tweaks);

}  // namespace wendlix
