// The bar at its monitor's DPI: sizes the bar stores stay at 96 DPI, what it shows is scaled
// to its monitor. A change of DPI (a notice from Windows, or a fresh look after a move, a
// display or a settings change) rescales the toolbar's limits and sizes and lays the bar out.
#pragma once
#include <windows.h>

#include "core/ui/dpi_change.h"
#include "win/bar/bar_window.h"

namespace wendlix {

class MonitorDpi {
 public:
  explicit MonitorDpi(BarWindow& bar) : bar_(bar) {}
  MonitorDpi(const MonitorDpi&) = delete;
  MonitorDpi& operator=(const MonitorDpi&) = delete;

  DpiScale Scale() const { return dpi_.Scale(); }
  // The window's DPI when it was created; notices count once the bar is set up (SetReady).
  void Init();
  void SetReady() { dpi_.SetReady(); }
  // Lays the bar out again when `dpi` is new; `suggested` is WM_DPICHANGED's rectangle.
  void TakeMonitorDpi(int dpi, const RECT* suggested);
  // The bar's window may have moved to a monitor of another DPI.
  void LookAgain();

 private:
  void ApplyDpiSizes();

  BarWindow& bar_;
  DpiTracker dpi_;
};

}  // namespace wendlix
