#include "core/paint/theme.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wendlix {
namespace {

// Every GetSysColor index, 0..30, in the dark look: grounds near black, text near white,
// highlight deep enough for white text.
constexpr std::array<ColorRef, 31> kDarkSystemColors = {
    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(0, 0, 0),       ColorRefFromRgb(32, 32, 32),
    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(32, 32, 32),
    ColorRefFromRgb(100, 100, 100), ColorRefFromRgb(240, 240, 240), ColorRefFromRgb(240, 240, 240),
    ColorRefFromRgb(255, 255, 255), ColorRefFromRgb(60, 60, 60),    ColorRefFromRgb(60, 60, 60),
    ColorRefFromRgb(32, 32, 32),    ColorRefFromRgb(0, 95, 184),    ColorRefFromRgb(255, 255, 255),
    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(25, 25, 25),    ColorRefFromRgb(160, 160, 160),
    ColorRefFromRgb(240, 240, 240), ColorRefFromRgb(160, 160, 160), ColorRefFromRgb(85, 85, 85),
    ColorRefFromRgb(10, 10, 10),    ColorRefFromRgb(65, 65, 65),    ColorRefFromRgb(240, 240, 240),
    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(110, 180, 255),
    ColorRefFromRgb(32, 32, 32),    ColorRefFromRgb(43, 43, 43),    ColorRefFromRgb(0, 95, 184),
    ColorRefFromRgb(43, 43, 43),
};

// The bar's fixed colours in the light look, as it has always painted them.
constexpr ColorRef kLogoColor = 0x0062D3F9;
constexpr ColorRef kTitleFrom = 0x000076FF;
constexpr ColorRef kTitleTo = 0x00FFFFFF;
constexpr ColorRef kLinkBlue = 0x00FF0000;
constexpr ColorRef kMenuStripTop = 0x00C08040;
constexpr ColorRef kMenuStripBottom = 0x00400000;

// Every surface on system colours as `c` resolves them; the fixed colours are the light ones.
ThemePalette SystemPalette(ThemeMode mode, const SysColorFunc& system) {
  auto c = [&](int index) { return ResolveColor(kSysColorFlag | static_cast<ColorRef>(index), system); };
  ThemePalette p;
  p.mode = mode;
  p.bar = {c(kSysBtnFace), c(kSysBtnText), c(kSysBtnHighlight), c(kSysBtnShadow), c(kSys3dDkShadow),
           c(kSys3dLight), kLogoColor,     kTitleFrom,          kTitleTo,         kLinkBlue};
  p.menu = {c(kSysMenu),          c(kSysMenuText), c(kSysGrayText), c(kSysHighlight),
            c(kSysHighlightText), kMenuStripTop,   kMenuStripBottom};
  p.findBox = {c(kSysMenu),      c(kSysWindow),        c(kSysWindowText), c(kSysGrayText),
               c(kSysHighlight), c(kSysHighlightText), c(kSysBtnShadow)};
  p.messageBox = {c(kSysBtnFace),     c(kSysWindowText),   c(kSysWindow),   c(kSysWindowText),
                  c(kSysWindowFrame), c(kSysBtnHighlight), c(kSysBtnShadow)};
  p.tooltip = {c(kSysInfoBk), c(kSysInfoText)};
  return p;
}

double Linear(unsigned channel) {
  const double s = channel / 255.0;
  return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double WorstContrast(ColorRef text, std::span<const ColorRef> background) {
  double worst = 21.0;
  for (ColorRef b : background) worst = std::min(worst, ContrastRatio(text, b));
  return worst;
}

}  // namespace

AppearanceChoice AppearanceChoiceFromStored(int stored) {
  switch (stored) {
    case 1: return AppearanceChoice::kLight;
    case 2: return AppearanceChoice::kDark;
    default: return AppearanceChoice::kFollowSystem;
  }
}

ThemeMode ResolveThemeMode(AppearanceChoice choice, std::optional<bool> appsUseLightTheme,
                           bool highContrast) {
  if (highContrast) return ThemeMode::kHighContrast;
  switch (choice) {
    case AppearanceChoice::kLight: return ThemeMode::kLight;
    case AppearanceChoice::kDark: return ThemeMode::kDark;
    case AppearanceChoice::kFollowSystem: break;
  }
  return appsUseLightTheme.value_or(true) ? ThemeMode::kLight : ThemeMode::kDark;
}

ColorRef DarkSystemColor(int index) {
  if (index < 0 || index >= static_cast<int>(kDarkSystemColors.size())) return kDarkSystemColors[kSysBtnFace];
  return kDarkSystemColors[static_cast<std::size_t>(index)];
}

SysColorFunc ThemedSystemColors(ThemeMode mode, SysColorFunc system) {
  if (mode == ThemeMode::kDark) return DarkSystemColor;
  return system;
}

ThemePalette MakePalette(ThemeMode mode, const SysColorFunc& system) {
  switch (mode) {
    case ThemeMode::kLight: return SystemPalette(mode, system);
    case ThemeMode::kDark: {
      ThemePalette p = SystemPalette(mode, DarkSystemColor);
      p.bar.logo = DarkSystemColor(kSysWindow);
      p.bar.titleFrom = ColorRefFromRgb(110, 50, 0);
      p.bar.titleTo = DarkSystemColor(kSysBtnFace);
      p.bar.link = DarkSystemColor(kSysHotLight);
      p.menu.stripTop = ColorRefFromRgb(40, 64, 104);
      p.menu.stripBottom = ColorRefFromRgb(0, 0, 48);
      return p;
    }
    case ThemeMode::kHighContrast: {
      // Only the colours a high-contrast theme sets for grounds, text, selection and links;
      // bevels are drawn in the text colour so that they stay visible.
      ThemePalette p = SystemPalette(mode, system);
      auto c = [&](int index) { return ResolveColor(kSysColorFlag | static_cast<ColorRef>(index), system); };
      const ColorRef face = c(kSysBtnFace), text = c(kSysBtnText);
      p.bar = {face, text, text, text, text, text, face, face, face, c(kSysHotLight)};
      p.menu = {c(kSysWindow),        c(kSysWindowText), c(kSysGrayText), c(kSysHighlight),
                c(kSysHighlightText), c(kSysHighlight),  c(kSysHighlight)};
      p.findBox = {c(kSysWindow),    c(kSysWindow),        c(kSysWindowText), c(kSysGrayText),
                   c(kSysHighlight), c(kSysHighlightText), c(kSysWindowText)};
      p.messageBox = {face, text, c(kSysWindow), c(kSysWindowText), text, text, text};
      p.tooltip = {c(kSysWindow), c(kSysWindowText)};
      return p;
    }
  }
  return SystemPalette(ThemeMode::kLight, system);
}

double RelativeLuminance(ColorRef color) {
  return 0.2126 * Linear(color & 0xFFu) + 0.7152 * Linear((color >> 8) & 0xFFu) +
         0.0722 * Linear((color >> 16) & 0xFFu);
}

double ContrastRatio(ColorRef a, ColorRef b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorRef TextColorOn(ColorRef background) {
  return ContrastRatio(kLightText, background) > ContrastRatio(kDarkText, background) ? kLightText
                                                                                      : kDarkText;
}

ColorRef ReadableTextColor(ColorRef preferred, std::span<const ColorRef> background) {
  if (WorstContrast(preferred, background) >= kReadableContrast) return preferred;
  return WorstContrast(kLightText, background) > WorstContrast(kDarkText, background) ? kLightText
                                                                                      : kDarkText;
}

}  // namespace wendlix
