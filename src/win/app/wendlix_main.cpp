// Program entry: the bar runs as one tool window without a taskbar button; it takes no
// command-line arguments and does not look for a copy already running.
#include <windows.h>

#include "win/app/wendlix_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return wendlix::RunWendlix(instance, showCommand);
}
