#include "win/appbar/monitors.h"

#include "win/appbar/screen_metrics.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& list = *reinterpret_cast<MonitorList*>(data);
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  // A callback of Windows: nothing may be thrown out of it.
  try {
    MonitorInfo m;
    m.device = FromWide(info.szDevice);
    m.bounds = FromRECT(info.rcMonitor);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    // The primary's work area as SPI_GETWORKAREA answers it, which every version keeps up to date.
    m.work = m.primary ? WorkArea() : FromRECT(info.rcWork);
    list.push_back(std::move(m));
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

MonitorList EnumMonitors() {
  MonitorList list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.empty()) {
    const Size screen = ScreenSize();
    list.push_back({"", Rect{0, 0, screen.cx, screen.cy}, WorkArea(), true});
  }
  return list;
}

}  // namespace wendlix
