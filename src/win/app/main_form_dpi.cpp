// The bar at its monitor's DPI: the sizes the toolbar limits itself by, and a change of
// DPI (a notice from Windows, or a fresh look after a display or settings change).
#include "win/app/main_form.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

// A docked bar is never thinner than a button cell with large icons.
constexpr int kMinDockThickness = 35;

}  // namespace

void TWendlixMainForm::InitDpi() {
  dpi_ = DpiTracker(WindowDpi(Handle()));
  ApplyDpiSizes();
}

void TWendlixMainForm::ApplyDpiSizes() {
  const DpiScale s = dpi_.Scale();
  resources_.SetDpi(s.Dpi());
  const AppToolBarProperties designed;
  SetMinHorzSize(s(kMinDockThickness));
  SetMinVertSize(s(kMinDockThickness));
  SetMinWidth(s(designed.MinWidth));
  SetMinHeight(s(designed.MinHeight));
}

void TWendlixMainForm::TakeMonitorDpi(int dpi, const RECT* suggested) {
  const int before = dpi_.Dpi();
  if (!dpi_.Take(dpi)) return;
  // Moving and sizing the bar below may bring another notice: it is not taken meanwhile.
  DpiApplyScope applying(dpi_);
  ApplyDpiSizes();
  const int after = dpi_.Dpi();
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom})
    AppToolBarImpl::SetDockSize(e, RescalePx(DockSize(e), before, after));
  const Rect f = FloatRect();
  SetFloatRect(MakeRect(f.left, f.top, RescalePx(f.Width(), before, after), RescalePx(f.Height(), before, after)));
  if (Edge() == abeFloat || Edge() == abeUnknown) {
    // A floating bar takes the place Windows suggests for the new DPI.
    if (suggested) {
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else {
    // A docked bar's place is the shell's: it docks again at the new thickness.
    UpdateBar();
  }
  ArrangeBar();
}

}  // namespace wendlix
