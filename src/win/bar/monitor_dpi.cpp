#include "win/bar/monitor_dpi.h"

#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

// A docked bar is never thinner than a button cell with large icons.
constexpr int kMinDockThickness = 35;

}  // namespace

void MonitorDpi::Init() {
  dpi_ = DpiTracker(WindowDpi(bar_.Handle()));
  ApplyDpiSizes();
}

void MonitorDpi::LookAgain() { TakeMonitorDpi(WindowDpi(bar_.Handle()), nullptr); }

void MonitorDpi::ApplyDpiSizes() {
  const DpiScale s = dpi_.Scale();
  bar_.Resources().SetDpi(s.Dpi());
  AppToolBarImpl& bar = bar_.Toolbar();
  const AppToolBarProperties designed;
  bar.SetMinHorzSize(s(kMinDockThickness));
  bar.SetMinVertSize(s(kMinDockThickness));
  bar.SetMinWidth(s(designed.MinWidth));
  bar.SetMinHeight(s(designed.MinHeight));
}

void MonitorDpi::TakeMonitorDpi(int dpi, const RECT* suggested) {
  const int before = dpi_.Dpi();
  if (!dpi_.Take(dpi)) return;
  // Moving and sizing the bar below may bring another notice: it is not taken meanwhile.
  DpiApplyScope applying(dpi_);
  ApplyDpiSizes();
  const int after = dpi_.Dpi();
  AppToolBarImpl& bar = bar_.Toolbar();
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom})
    bar.SetDockSize(e, RescalePx(bar.DockSize(e), before, after));
  const Rect f = bar.FloatRect();
  bar.SetFloatRect(
      MakeRect(f.left, f.top, RescalePx(f.Width(), before, after), RescalePx(f.Height(), before, after)));
  if (bar.Edge() == abeFloat || bar.Edge() == abeUnknown) {
    // A floating bar takes the place Windows suggests for the new DPI.
    if (suggested) {
      SetWindowPos(bar_.Handle(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else {
    // A docked bar's place is the shell's: it docks again at the new thickness.
    bar.UpdateBar();
  }
  bar_.ArrangeBar();
}

}  // namespace wendlix
