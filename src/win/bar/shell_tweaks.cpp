#include "win/bar/shell_tweaks.h"

#include <windows.h>

#include "win/appbar/shell_windows.h"

namespace wendlix {

void ApplyShellWindowCommands(const std::vector<ShellWindowCommand>& commands) {
  for (const ShellWindowCommand& c : commands) {
    if (c.Action == ShellWindowCommand::kEnable) {
      DisableShellWindow(c.Which, !c.On);
    } else {
      HideShellWindow(c.Which, !c.On);
    }
  }
}

ShellWindowStates ReadShellWindowStates() {
  auto enabled = [](std::uint16_t which) { return IsWindowEnabled(FindShellWindow(which)) != FALSE; };
  auto visible = [](std::uint16_t which) { return IsWindowVisible(FindShellWindow(which)) != FALSE; };
  ShellWindowStates s;
  s.DesktopViewEnabled = enabled(shDesktopView);
  s.StartButtonEnabled = enabled(shStartButton);
  s.TaskBarEnabled = enabled(shTaskBar);
  s.StartButtonVisible = visible(shStartButton);
  s.TaskBarVisible = visible(shTaskBar);
  s.DesktopVisible = visible(shDesktop);
  return s;
}

}  // namespace wendlix
