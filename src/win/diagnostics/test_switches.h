// Switches for end-to-end tests. They are honoured only while the environment holds
// WENDLIX_TEST_SWITCHES=1, so no command line a user gives ever reaches them.
//
//   /wx-save-loop FOLDER LOG   check the settings and group file in FOLDER, save the next
//                              round, check that no temporary is left, append the verdict
//                              to LOG, then save round after round until killed
//   /wx-save-check FOLDER LOG  the same, ending after that first round
//   /wx-high-contrast          start the bar as if the system's high contrast were on, which
//                              Wine always reports off and cannot switch
//
// A verdict is one line: "ok ini=N gpf=M stale=K" (the rounds found, the temporaries
// found and then cleaned by the save) or "bad: reason".
#pragma once
#include <optional>
#include <string_view>

namespace wendlix {

// WENDLIX_TEST_SWITCHES=1 in the environment: the one guard of the switches and the leak probe.
bool TestSwitchesEnabled();

// Whether the bar draws as if the system's high contrast were on (Wine cannot switch it): after
// /wx-high-contrast, or set by a test.
bool ForcedHighContrast();
void ForceHighContrast(bool forced);

// The exit code when `arguments` (the command line after the program) is a test switch
// and switches are allowed; nullopt otherwise, and the bar starts as usual.
std::optional<int> RunTestSwitch(std::wstring_view arguments);

}  // namespace wendlix
