// Carrying out a launch: handing the decided request to the shell.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/bar/interaction/launch_decision.h"
#include "win/appbar/shell_open.h"

namespace wendlix {

// The request for a click on a launch button of a group of kind `groupKind`.
LaunchRequest LaunchButtonRequest(std::uint16_t groupKind, const std::string& fileName, bool isDirectory);

// The command line the started program receives for an open request (its program quoted,
// then the parameters); empty for any other request.
std::wstring LaunchCommandLine(const LaunchRequest& request);

// The shell call an open request makes; nullopt for any other request and for one the
// shell must not see (a path holding a quote or a control character).
std::optional<ShellCall> LaunchShellCall(const LaunchRequest& request);

// The message for a click that must not reach the shell: `target` (a button's file or
// address, a menu item's path) holds what could end its argument early. `webAddress`:
// it goes to the browser as an argument, where no quote or control character may pass;
// elsewhere an address is percent-encoded and only a path is refused. Empty when the
// click may go ahead.
std::string LaunchRefusal(const std::string& target, bool webAddress);

// Opens an open request through the shell. False for any other request and when the shell
// reports a failure (which the bar does not show).
bool ExecuteLaunch(const LaunchRequest& request, HWND owner = nullptr);

}  // namespace wendlix
