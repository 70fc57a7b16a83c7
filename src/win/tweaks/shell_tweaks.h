// The stored system tweaks applied to the shell's own windows (win/tweaks/shell_give_back.h
// reads their states back).
#pragma once
#include <vector>

#include "core/tweaks/system_tweaks.h"

namespace wendlix {

// Enables or disables, shows or hides each named shell window; a window that does not
// exist is skipped.
void ApplyShellWindowCommands(const std::vector<ShellWindowCommand>& commands);

}  // namespace wendlix
