// The system's own dark look where the build offers it: the frames of menus and the title bars of
// windows with a caption. Until the bar first goes dark nothing is loaded or asked, so the light
// look costs nothing.
#pragma once
#include <windows.h>

#include "core/ui/dark_mode_calls.h"

namespace wendlix {

// What this system offers: the build from RtlGetVersion; nothing under Wine.
const DarkModeCalls& SystemDarkModeCalls();

// Dark menus for the whole process, or back to the default light ones.
void SetProcessDarkMode(bool dark);

// The title bar of `window`, dark or light.
void SetDarkTitleBar(HWND window, bool dark);

// The title bar of `window` in the current look: at its start and on every change of the look.
void MatchTitleBarToLook(HWND window);

// Draws `control` without visual styles (which ignore a control's own colours), or with them again.
void SetPlainTheme(HWND control, bool plain);

}  // namespace wendlix
