// The shell's own windows (taskbar, start button, desktop), found by window class, and
// the program's identity in the registry.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace wendlix {

// Index of a shell window. Values are stored by callers as numbers; keep them.
enum TShellWindow : std::uint16_t {
  shTaskBar = 0,      // "Shell_TrayWnd"
  shTrayNotify = 1,   // "TrayNotifyWnd" in the taskbar
  shStartButton = 2,  // "Button" in the taskbar
  shTaskBand = 3,     // "ReBarWindow32" in the taskbar
  shTrayClock = 4,    // "TrayClockWClass" in "TrayNotifyWnd" of the taskbar
  shDesktopView = 5,  // "ShellDll_DefView" in "Progman"
  shDesktop = 6,      // "Progman"
};

// The window for `which`, or nullptr when the index is unknown or a step is not found.
HWND FindShellWindow(std::uint16_t which);
// SW_HIDE when `hide`, SW_SHOW otherwise; nothing when the window does not exist.
void HideShellWindow(std::uint16_t which, bool hide);
// EnableWindow(window, !disable); nothing when the window does not exist.
void DisableShellWindow(std::uint16_t which, bool disable);

// "Software\Holmvik\" + the base name of this executable, computed on first use.
const std::string& AppRegistryKey();

// 0 Win32s, 1 Windows 95, 2 Windows 98 and later of that family, 3 NT family.
int GetWindowsVersion();

}  // namespace wendlix
