// Carrying out a launch: reading a button's shortcut for the decision, and handing the
// decided request to the shell.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/bar/interaction/launch_decision.h"

namespace wendlix {

// The request for a click on a launch button of a group of kind `groupKind`. A shortcut
// file is read first; one that cannot be read is opened as it is.
LaunchRequest LaunchButtonRequest(std::uint16_t groupKind, const std::string& fileName, bool isDirectory);

// The command line the started program receives for an open request (its program quoted,
// then the parameters); empty for any other request.
std::wstring LaunchCommandLine(const LaunchRequest& request);

// Opens an open request through the shell. False for any other request and when the shell
// reports a failure (which the bar does not show).
bool ExecuteLaunch(const LaunchRequest& request, HWND owner = nullptr);

}  // namespace wendlix
