// Carrying out a launch: handing the decided request to the shell, and telling the user
// when it could not be done and the shell said nothing.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/launch/launch_report.h"
#include "win/shell/shell_open.h"

namespace wendlix {

// The shell call an open request makes; nullopt for any other request.
std::optional<ShellCall> LaunchShellCall(const LaunchRequest& request);

// Opens an open request through the shell, letting the shell show its own message when
// the request says it reports failures (and noting whether it did). Any other request
// starts nothing.
LaunchResult ExecuteLaunch(const LaunchRequest& request, HWND owner = nullptr);

// ExecuteLaunch, then the bar's error box for a refused request or for a failure the shell
// did not report itself; true when it started. The caller holds auto-hide off, so the bar
// stays out under either message.
bool LaunchAndReport(const LaunchRequest& request, HWND owner);

}  // namespace wendlix
