#include "win/tweaks/shell_tweaks.h"

#include <windows.h>

#include "win/shell/shell_windows.h"

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

}  // namespace wendlix
