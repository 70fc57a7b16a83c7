// Drags that start on the bar: files dragged out by OLE (CF_HDROP, offered for copy, move and
// link) and a launch button moved within its group (the bar's own token, move only, with the
// button's picture as drag image). Each runs until the mouse button that started it is released.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace wendlix {

// Runs the drag; returns the effect the target chose (DROPEFFECT_NONE when cancelled).
DWORD DragFilesOut(const std::vector<std::string>& files);

// A data object holding `bytes` as `format` in global memory. It also keeps whatever is set
// into it (the shell's drag-image helper stores its picture there).
Microsoft::WRL::ComPtr<IDataObject> NewDragData(CLIPFORMAT format, const std::string& bytes);

// Gives `data` the drag image `picture` (taken over: freed here when the helper refuses it),
// `offset` being the cursor's place in it. False when the system has no helper or it refused;
// the drag then goes on without an image.
bool SetDragImage(IDataObject* data, HBITMAP picture, SIZE size, POINT offset);

// Runs the move drag of a launch button: `token` as the button format, `picture` as its image,
// held at its centre wherever the button was pressed. Returns the effect the target chose
// (DROPEFFECT_NONE when refused or cancelled).
DWORD DragButtonWithin(CLIPFORMAT format, const std::string& token, HBITMAP picture, SIZE size);

}  // namespace wendlix
