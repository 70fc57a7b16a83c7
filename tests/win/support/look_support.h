// The looks the Win32 tests paint in (high contrast forced over a high-contrast set of system
// colours, as Wine cannot switch it), and text contrast measured from the pixels.
#pragma once
#include <windows.h>

#include <algorithm>
#include <array>
#include <map>

#include "core/paint/paint_types.h"
#include "support/win_test_support.h"
#include "win/diagnostics/test_switches.h"
#include "win/paint/theme_win.h"

namespace wendlix::testing_support {

inline const char* LookName(ThemeMode mode) {
  return mode == ThemeMode::kLight ? "light" : mode == ThemeMode::kDark ? "dark" : "high contrast";
}

// The process in `mode` until the scope ends, then light on the system colours it found.
class LookScope {
 public:
  explicit LookScope(ThemeMode mode) {
    for (std::size_t i = 0; i < kIndices.size(); ++i) saved_[i] = GetSysColor(kIndices[i]);
    // Grounds black, text and bevels white, a cyan selection, green disabled text, yellow links.
    const COLORREF k = RGB(0, 0, 0), w = RGB(255, 255, 255);
    const std::array<COLORREF, 14> contrast = {
        k, k, w, w, w, RGB(26, 235, 255), k, k, w, RGB(63, 242, 63), w, w, w, RGB(255, 255, 0)};
    if (mode == ThemeMode::kHighContrast) SetSysColors(14, kIndices.data(), contrast.data());
    ForceHighContrast(mode == ThemeMode::kHighContrast);
    RefreshTheme(mode == ThemeMode::kDark ? AppearanceChoice::kDark : AppearanceChoice::kLight);
  }
  ~LookScope() {
    ForceHighContrast(false);
    SetSysColors(14, kIndices.data(), saved_.data());
    RefreshTheme(AppearanceChoice::kLight);
  }
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;

 private:
  static constexpr std::array<int, 14> kIndices = {
      COLOR_WINDOW,       COLOR_MENU,          COLOR_WINDOWTEXT, COLOR_MENUTEXT, COLOR_WINDOWFRAME,
      COLOR_HIGHLIGHT,    COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT,  COLOR_GRAYTEXT,
      COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,     COLOR_INFOTEXT,   COLOR_HOTLIGHT};
  std::array<COLORREF, 14> saved_{};
};

// The contrast of text drawn in `r` on `background`: smoothed text shows its own colour in the
// pixel that stands out most.
inline double TextContrast(const Canvas& c, const RECT& r, COLORREF background) {
  double best = 1.0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) best = std::max(best, ContrastRatio(c.At(x, y), background));
  return best;
}

// How readable text in `r` is when its ground is not known: the commonest colour is the ground, the
// pixel that stands out most from it the text's core (anti-aliased edges lie between the two).
inline double TextContrastIn(const PixelBuffer& px, const RECT& r) {
  const auto colorRef = [](Pixel p) { return ColorRefFromRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); };
  std::map<Pixel, int> counts;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ++counts[px.At(x, y)];
  if (counts.empty()) return 0;
  const Pixel ground = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                         return a.second < b.second;
                       })->first;
  double best = 1;
  for (const auto& [pixel, n] : counts)
    best = std::max(best, ContrastRatio(colorRef(pixel), colorRef(ground)));
  return best;
}

}  // namespace wendlix::testing_support
