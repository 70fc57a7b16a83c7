#include "core/ui/dpi_change.h"

namespace wendlix {

bool DpiTracker::Take(int dpi) {
  if (!ready_ || applying_ > 0 || dpi <= 0) return false;
  const DpiScale next(dpi);
  if (next == scale_) return false;
  scale_ = next;
  return true;
}

int RescalePx(int px, int fromDpi, int toDpi) {
  // Through 96 DPI would round twice; one step keeps a thickness that goes there and back
  // within a pixel.
  const DpiScale from(fromDpi), to(toDpi);
  if (from == to) return px;
  const long long product = static_cast<long long>(px) * to.Dpi();
  const long long half = from.Dpi() / 2;
  long long q = product >= 0 ? (product + half) / from.Dpi() : -((-product + half) / from.Dpi());
  if (px > 0 && q < 1) q = 1;
  if (q > 1'000'000'000LL) q = 1'000'000'000LL;
  if (q < -1'000'000'000LL) q = -1'000'000'000LL;
  return static_cast<int>(q);
}

}  // namespace wendlix
