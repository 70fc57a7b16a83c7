// The shell's context menu of one item, shown at a point and carried out.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace wendlix {

// Shows the context menu of `item` of `folder` at `pt`, owner `wnd`, and invokes the
// command chosen. False when the menu cannot be made, is dismissed, or the command fails.
bool ShowShellItemMenu(IShellFolder* folder, PCUITEMID_CHILD item, HWND wnd, UINT flags, POINT pt);

// The context menu of `fileName` at the cursor. `fileName` must be spelled as the shell
// spells it (compared exactly). False for a missing file or folder, without a message.
bool ShowFileContextMenu(HWND wnd, const std::string& fileName);

}  // namespace wendlix
