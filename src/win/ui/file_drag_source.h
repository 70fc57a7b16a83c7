// Dragging files out of the bar by OLE: the files as CF_HDROP, offered for copy, move and
// link, until the mouse button that started the drag is released.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace wendlix {

// Runs the drag; returns the effect the target chose (DROPEFFECT_NONE when cancelled).
DWORD DragFilesOut(const std::vector<std::string>& files);

}  // namespace wendlix
