// Light, dark and high-contrast looks as plain data. The light palette is what the bar painted
// before it had looks (system colours through the caller's look-up, the bar's fixed colours),
// the dark one fixed dark colours, the high-contrast one system colours alone.
#pragma once
#include <array>
#include <optional>
#include <span>

#include "core/paint/color_resolve.h"
#include "core/paint/paint_types.h"

namespace wendlix {

// As stored in the settings file: any other value reads as kFollowSystem.
enum class AppearanceChoice { kFollowSystem = 0, kLight = 1, kDark = 2 };

enum class ThemeMode { kLight, kDark, kHighContrast };

AppearanceChoice AppearanceChoiceFromStored(int stored);

// High contrast wins over the choice; following the system, an absent value means light.
ThemeMode ResolveThemeMode(AppearanceChoice choice, std::optional<bool> appsUseLightTheme, bool highContrast);

// The system colour indices the palettes name (GetSysColor's).
enum SystemColorIndex : int {
  kSysMenu = 4,
  kSysWindow = 5,
  kSysWindowFrame = 6,
  kSysMenuText = 7,
  kSysWindowText = 8,
  kSysHighlight = 13,
  kSysHighlightText = 14,
  kSysBtnFace = 15,
  kSysBtnShadow = 16,
  kSysGrayText = 17,
  kSysBtnText = 18,
  kSysBtnHighlight = 20,
  kSys3dDkShadow = 21,
  kSys3dLight = 22,
  kSysInfoText = 23,
  kSysInfoBk = 24,
  kSysHotLight = 26,
};

// The bar's own surfaces.
struct BarPalette {
  ColorRef face;        // the bar's ground, band headers, groups coloured with system colours
  ColorRef text;        // band headers, the system button, collapsed groups' captions
  ColorRef light;       // the lit side of bevels, grips and hot frames
  ColorRef shadow;      // their shaded side
  ColorRef darkShadow;  // the outer shaded side of a pushed-in button
  ColorRef softLight;   // the outer lit side of a raised button
  ColorRef logo;        // the title strip's frame around its gradient
  ColorRef titleFrom;   // the title strip's gradient
  ColorRef titleTo;
  ColorRef link;  // a flat button's caption under the pointer
  bool operator==(const BarPalette&) const = default;
};

struct MenuPalette {
  ColorRef background, text, grayText, highlight, highlightText;
  ColorRef stripTop, stripBottom;  // the side strip's gradient
  bool operator==(const MenuPalette&) const = default;
};

struct FindBoxPalette {
  ColorRef background, field, text, grayText, highlight, highlightText, thumb;
  bool operator==(const FindBoxPalette&) const = default;
};

struct MessageBoxPalette {
  ColorRef face, text, field, fieldText, frame, light, shadow;
  bool operator==(const MessageBoxPalette&) const = default;
};

struct TooltipPalette {
  ColorRef background, text;
  bool operator==(const TooltipPalette&) const = default;
};

struct ThemePalette {
  ThemeMode mode = ThemeMode::kLight;
  BarPalette bar{};
  MenuPalette menu{};
  FindBoxPalette findBox{};
  MessageBoxPalette messageBox{};
  TooltipPalette tooltip{};
  bool operator==(const ThemePalette&) const = default;
};

// `system` is the running system's look-up (GetSysColor); the dark palette does not use it.
ThemePalette MakePalette(ThemeMode mode, const SysColorFunc& system);

// How a stored system colour (a group's clBtnFace, say) resolves in `mode`: the dark look maps
// every index to a dark equivalent, the others ask the system. Stored fixed colours never change.
SysColorFunc ThemedSystemColors(ThemeMode mode, SysColorFunc system);
ColorRef DarkSystemColor(int index);

// WCAG 2 relative luminance (0..1) and contrast ratio (1..21) of 0x00BBGGRR colours.
double RelativeLuminance(ColorRef color);
double ContrastRatio(ColorRef a, ColorRef b);

inline constexpr ColorRef kLightText = 0x00FFFFFF;
inline constexpr ColorRef kDarkText = 0x00000000;
inline constexpr double kReadableContrast = 4.5;

// kLightText or kDarkText, whichever stands out more against `background`.
ColorRef TextColorOn(ColorRef background);

// `preferred` when it reaches kReadableContrast against every sample of the background (a plain
// colour, a gradient's stops, a picture's pixels); otherwise the light or dark text whose worst
// contrast over the samples is higher.
ColorRef ReadableTextColor(ColorRef preferred, std::span<const ColorRef> background);

}  // namespace wendlix
