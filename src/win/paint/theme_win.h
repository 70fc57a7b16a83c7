// The look the bar paints in now: the mode chosen from the stored choice, the system's dark-app
// setting and its high contrast, and the palette of that mode. Every surface of the bar's own
// paints from CurrentPalette(); a change reaches open windows through NotifyThemeChanged().
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "core/paint/theme.h"

namespace wendlix {

ThemeMode CurrentThemeMode();
// Light, on the system's colours, until the first RefreshTheme.
const ThemePalette& CurrentPalette();

// Reads AppsUseLightTheme, the system's high contrast and ForcedHighContrast(), and rebuilds the
// palette. True when the mode or any colour of the palette changed.
bool RefreshTheme(AppearanceChoice choice);
AppearanceChoice CurrentAppearanceChoice();

// HKCU\...\Themes\Personalize AppsUseLightTheme: nullopt when absent (older Windows, Wine).
std::optional<bool> ReadAppsUseLightTheme();

// WM_SETTINGCHANGE for "ImmersiveColorSet" or the high-contrast setting, and WM_SYSCOLORCHANGE.
bool IsThemeNotice(UINT message, WPARAM wParam, LPARAM lParam);

// Sent to every top-level window of the calling thread after the look changed; a window of the
// bar's own repaints (or rebuilds its brushes) on it. Registered, so no window mistakes it.
UINT ThemeChangedMessage();
void NotifyThemeChanged();

// A stored colour (fixed, or 0x80000000 + a system index) as the current look paints it: system
// colours take the mode's equivalents, fixed ones stay.
COLORREF ThemedColor(std::int32_t stored);
ColorRef ThemedSystemColor(int index);

}  // namespace wendlix
