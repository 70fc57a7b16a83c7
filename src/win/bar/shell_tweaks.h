// The stored system tweaks applied to, and read back from, the shell's own windows.
#pragma once
#include <vector>

#include "core/bar/system_tweaks.h"

namespace wendlix {

// Enables or disables, shows or hides each named shell window; a window that does not
// exist is skipped.
void ApplyShellWindowCommands(const std::vector<ShellWindowCommand>& commands);

// The shell windows' current states; a missing window counts as disabled and hidden.
ShellWindowStates ReadShellWindowStates();

}  // namespace wendlix
