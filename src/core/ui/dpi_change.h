// When the bar takes a new DPI. Windows tells a per-monitor aware window with
// WM_DPICHANGED; a tool window may not get that notice, so a display or settings change
// makes the bar ask for its monitor's DPI again. Both come here, and the answer says
// whether to lay the bar out again. Re-laying the bar moves and resizes it, which can
// bring the notice back: while a change is applied, and before the window is set up (the
// notice Windows sends during creation), nothing starts another one.
#pragma once
#include "core/ui/dpi_scale.h"

namespace wendlix {

class DpiTracker {
 public:
  DpiTracker() = default;
  explicit DpiTracker(int dpi) : scale_(dpi) {}

  DpiScale Scale() const { return scale_; }
  int Dpi() const { return scale_.Dpi(); }

  // The window is set up: later notices count.
  void SetReady() { ready_ = true; }

  // Whether a notice (or a fresh look at the monitor) that says `dpi` needs the bar laid
  // out again. Taking it makes `dpi` current; BeginApply/EndApply bracket the work.
  bool Take(int dpi);
  void BeginApply() { ++applying_; }
  void EndApply() {
    if (applying_ > 0) --applying_;
  }

 private:
  DpiScale scale_;
  bool ready_ = false;
  int applying_ = 0;
};

// A thickness measured at one DPI, at another (the bar's dock size when it moves to a
// monitor of another DPI): rounded as MulDiv, never below 1 for a positive thickness.
int RescalePx(int px, int fromDpi, int toDpi);

// Holds a tracker in its applying state for one scope.
class DpiApplyScope {
 public:
  explicit DpiApplyScope(DpiTracker& tracker) : tracker_(tracker) { tracker_.BeginApply(); }
  ~DpiApplyScope() { tracker_.EndApply(); }
  DpiApplyScope(const DpiApplyScope&) = delete;
  DpiApplyScope& operator=(const DpiApplyScope&) = delete;

 private:
  DpiTracker& tracker_;
};

}  // namespace wendlix
