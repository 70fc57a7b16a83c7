// Program entry: the bar runs as one tool window without a taskbar button.
#include <windows.h>

#include "win/app/main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return wendlix::RunWendlix(instance, showCommand);
}
