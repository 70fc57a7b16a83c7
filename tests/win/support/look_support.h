// The looks in Win32 tests: a scope that paints the process in one look, and how readable text is,
// measured from the pixels.
#pragma once
#include <windows.h>

#include <algorithm>
#include <map>

#include "core/paint/paint_types.h"
#include "core/paint/theme.h"
#include "win/paint/theme_win.h"

namespace wendlix::testing_support {

// The process paints in `choice` while the scope lasts, then in the light look again.
class LookScope {
 public:
  explicit LookScope(AppearanceChoice choice) { RefreshTheme(choice); }
  ~LookScope() { RefreshTheme(AppearanceChoice::kLight); }
  LookScope(const LookScope&) = delete;
  LookScope& operator=(const LookScope&) = delete;
};

// How readable text in `r` is: the commonest colour is the ground, the pixel that stands out most
// from it the text's core (anti-aliased edges lie between the two).
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
