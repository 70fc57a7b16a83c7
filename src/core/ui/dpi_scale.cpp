#include "core/ui/dpi_scale.h"

#include <climits>
#include <cstdint>

namespace wendlix {
namespace {

// number * numerator / denominator in 64 bits, rounded half away from zero and kept in
// the int range (a damaged stored size must not wrap around).
int MulDivClamped(int number, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{number} * numerator;
  const std::int64_t half = denominator / 2;
  const std::int64_t q = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  if (q > INT_MAX) return INT_MAX;
  if (q < INT_MIN) return INT_MIN;
  return static_cast<int>(q);
}

}  // namespace

int ValidDpi(int dpi) {
  if (dpi <= 0) return kBaseDpi;
  if (dpi < kMinDpi) return kMinDpi;
  return dpi > kMaxDpi ? kMaxDpi : dpi;
}

int ScalePx(int px, int dpi) {
  dpi = ValidDpi(dpi);
  if (dpi == kBaseDpi) return px;
  const int scaled = MulDivClamped(px, dpi, kBaseDpi);
  if (px > 0 && scaled < 1) return 1;
  if (px < 0 && scaled > -1) return -1;
  return scaled;
}

int UnscalePx(int px, int dpi) {
  dpi = ValidDpi(dpi);
  if (dpi == kBaseDpi) return px;
  return MulDivClamped(px, kBaseDpi, dpi);
}

}  // namespace wendlix
