// Program entry: the bar runs as one tool window without a taskbar button. It takes no
// command-line arguments but one private switch, with which the bar starts its own guard
// (give_back_guard.h), and the test switches, which only a test's environment enables.
#include <windows.h>

#include "core/tweaks/give_back_record.h"
#include "win/app/wendlix_app.h"
#include "win/common/wide.h"
#include "win/diagnostics/test_switches.h"
#include "win/tweaks/give_back_guard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
  if (const auto code = wendlix::RunTestSwitch(arguments ? arguments : L"")) return *code;
  if (const auto guarded = wendlix::ParseGuardArguments(wendlix::FromWide(arguments ? arguments : L""))) {
    return wendlix::RunGiveBackGuard(*guarded);
  }
  return wendlix::RunWendlix(instance, showCommand);
}
