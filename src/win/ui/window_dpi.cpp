#include "win/ui/window_dpi.h"

#include "core/ui/dpi_scale.h"
#include "win/common/unique_handle.h"

namespace wendlix {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int SystemDpi() {
  static const int dpi = [] {
    WindowDc screen(nullptr);
    return ValidDpi(screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kBaseDpi);
  }();
  return dpi;
}

int FontHeightForPoints(int points, int dpi) { return -MulDiv(points, ValidDpi(dpi), 72); }

int WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    if (const UINT dpi = getDpiForWindow(hwnd); dpi > 0) return ValidDpi(static_cast<int>(dpi));
  }
  return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  dpi = ValidDpi(dpi);
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

Size MetricPairForWindow(HWND hwnd, int cxIndex, int cyIndex) {
  const int dpi = WindowDpi(hwnd);
  return {MetricForDpi(cxIndex, dpi), MetricForDpi(cyIndex, dpi)};
}

Size SliverBorderForWindow(HWND hwnd) {
  const int dpi = WindowDpi(hwnd);
  const Size border = MetricPairForWindow(hwnd, SM_CXBORDER, SM_CYBORDER);
  const int least = ScalePx(1, dpi);
  return {border.cx > least ? border.cx : least, border.cy > least ? border.cy : least};
}

}  // namespace wendlix
