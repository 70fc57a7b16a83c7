// The looks the Win32 tests paint in: light, dark by the stored choice, and high contrast forced
// (Wine cannot switch it) over a high-contrast set of system colours; and text contrast measured
// from the pixels.
#pragma once
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "support/win_test_support.h"
#include "win/diagnostics/test_switches.h"
#include "win/paint/theme_win.h"

namespace wendlix::testing_support {

inline const char* LookName(ThemeMode mode) {
  return mode == ThemeMode::kLight ? "light" : mode == ThemeMode::kDark ? "dark" : "high contrast";
}

// Puts the process in `mode` until it ends, then back in the light look on the system colours it
// found.
class LookScope {
 public:
  explicit LookScope(ThemeMode mode) {
    for (std::size_t i = 0; i < kIndices.size(); ++i) saved_[i] = GetSysColor(kIndices[i]);
    if (mode == ThemeMode::kHighContrast) {
      // White on black, a cyan selection, green disabled text, yellow links: a high-contrast theme.
      const std::array<COLORREF, 16> contrast = {
          RGB(0, 0, 0),       RGB(0, 0, 0),      RGB(255, 255, 255), RGB(255, 255, 255),
          RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
          RGB(255, 255, 255), RGB(63, 242, 63),  RGB(255, 255, 255), RGB(255, 255, 255),
          RGB(255, 255, 255), RGB(255, 255, 0),  RGB(0, 0, 0),       RGB(255, 255, 255)};
      SetSysColors(static_cast<int>(kIndices.size()), kIndices.data(), contrast.data());
      ForceHighContrast(true);
    }
    RefreshTheme(mode == ThemeMode::kDark ? AppearanceChoice::kDark : AppearanceChoice::kLight);
  }
  ~LookScope() {
    ForceHighContrast(false);
    SetSysColors(static_cast<int>(kIndices.size()), kIndices.data(), saved_.data());
    RefreshTheme(AppearanceChoice::kLight);
  }
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;

 private:
  static constexpr std::array<int, 16> kIndices = {
      COLOR_WINDOW,      COLOR_MENU,      COLOR_WINDOWTEXT,    COLOR_MENUTEXT,
      COLOR_WINDOWFRAME, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,
      COLOR_BTNTEXT,     COLOR_GRAYTEXT,  COLOR_BTNHIGHLIGHT,  COLOR_BTNSHADOW,
      COLOR_INFOTEXT,    COLOR_HOTLIGHT,  COLOR_INFOBK,        COLOR_3DDKSHADOW};
  std::array<COLORREF, 16> saved_{};
};

inline ColorRef ToColorRef(COLORREF c) { return static_cast<ColorRef>(c & 0xFFFFFF); }

// The contrast of the text drawn in `r` on `background`: smoothed text shows its own colour in the
// pixel that stands out most; 1 when nothing but the background is there.
inline double TextContrast(const Canvas& c, const RECT& r, COLORREF background) {
  double best = 1.0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      best = std::max(best, ContrastRatio(ToColorRef(c.At(x, y)), ToColorRef(background)));
  return best;
}

}  // namespace wendlix::testing_support
