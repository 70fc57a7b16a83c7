#include "win/commands/bar_menu_commands.h"

#include "core/commands/bar_menu.h"
#include "core/paint/about_window.h"
#include "win/appbar/shell_open.h"

namespace wendlix {

bool H2Click(HWND owner) {
  return reinterpret_cast<INT_PTR>(ShellOpen(owner, kProjectWebAddress, "", "", SW_SHOW)) > 32;
}

POINT SysMenuScreenPoint(HWND bar, const RECT& button, int edge) {
  const Point offset = SysMenuPopupOffset(edge, button.right - button.left, button.bottom - button.top);
  POINT pt{button.left + offset.x, button.top + offset.y};
  ClientToScreen(bar, &pt);
  return pt;
}

void ShowSystemTweaksMenu(HWND bar, const RECT& button, int edge, PopupMenu& menu,
                          SystemTweaksCommands& tweaks) {
  if (GetCapture() == bar) ReleaseCapture();
  tweaks.PrepareMenu(menu.Model());
  if (const MenuItem* chosen = menu.Popup(bar, SysMenuScreenPoint(bar, button, edge)))
    tweaks.Execute(menu.Model(), *chosen);
}

}  // namespace wendlix
