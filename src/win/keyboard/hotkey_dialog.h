// The small dialog that changes the global hotkey: a line of help, an edit holding the hotkey
// as text ("Win+Alt+W"; empty for none), OK and Cancel. OK with text that is no usable hotkey
// says so and keeps the dialog open.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace wendlix {

inline constexpr int kHotKeyEditId = 101;

// The chosen hotkey in its canonical text ("" for none), or nothing when cancelled.
std::optional<std::string> ShowHotKeyDialog(HWND owner, const std::string& current);

}  // namespace wendlix
