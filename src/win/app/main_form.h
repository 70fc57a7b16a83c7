#pragma once
#include <windows.h>

namespace wendlix {

// Creates the main window TWendlixMainForm and runs the message loop; returns the exit code.
int RunWendlix(HINSTANCE instance, int showCommand);

}  // namespace wendlix
