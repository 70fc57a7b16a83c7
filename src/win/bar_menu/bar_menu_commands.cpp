#include "win/bar_menu/bar_menu_commands.h"

#include "core/bar_menu/bar_menu.h"
#include "core/tweaks/tweak_texts.h"
#include "win/app/program_files.h"
#include "win/common/wide.h"
#include "win/shell/shell_open.h"
#include "win/ui/p_messages.h"

namespace wendlix {

bool H2Click(HWND owner) {
  const ProgramInfo program = CurrentProgram();
  const std::string path = program.ExeFolder + kHelpFileName;
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ShowInfoBox(HelpMissingText(path), kHelpCaption);
    return false;
  }
  if (reinterpret_cast<INT_PTR>(ShellOpen(owner, path, "", program.ExeFolder, SW_SHOW)) <= 32) {
    ShowErrorBox(HelpOpenFailedText(path), kHelpCaption);
    return false;
  }
  return true;
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
