// Entry of the Win32 test exe: COM on this thread, as in the program. A test that makes the
// bar owe the shell starts this exe as its guard (give_back_guard.h): then it is the guard.
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>

#include "core/tweaks/give_back_record.h"
#include "win/tweaks/give_back_guard.h"

int main(int argc, char** argv) {
  if (argc == 4 && argv[1] == wendlix::kGuardSwitch) {
    const std::string arguments = std::string(argv[1]) + " " + argv[2] + " " + argv[3];
    if (const auto target = wendlix::ParseGuardArguments(arguments))
      return wendlix::RunGiveBackGuard(*target);
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
