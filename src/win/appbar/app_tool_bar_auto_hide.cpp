// The auto-hide half of TAppToolBar: the polling timer, the slide, the hidden bar's hit
// test, and the shell notices that make the bar apply its edge again.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include "core/appbar/auto_hide.h"
#include "core/ui/dpi_scale.h"
#include "win/appbar/app_tool_bar.h"
#include "win/appbar/monitors.h"
#include "win/appbar/screen_metrics.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

HCURSOR CursorFor(BarCursor c) {
  switch (c) {
    case BarCursor::SizeWestEast: return LoadCursorW(nullptr, IDC_SIZEWE);
    case BarCursor::SizeNorthSouth: return LoadCursorW(nullptr, IDC_SIZENS);
    case BarCursor::Hand: return LoadCursorW(nullptr, IDC_HAND);
    case BarCursor::Unchanged: break;
  }
  return nullptr;
}

}  // namespace

void AppBarTimer::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  Arm();
}

void AppBarTimer::Detach() {
  enabled_ = false;
  Arm();
  hwnd_ = nullptr;
}

void AppBarTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Arm();
}

void AppBarTimer::Hold() {
  if (holds_++ != 0) return;
  Arm();
  if (OnHeld) OnHeld(true);
}

void AppBarTimer::Release() {
  if (holds_ <= 0 || --holds_ != 0) return;
  Arm();
  if (OnHeld) OnHeld(false);
}

void AppBarTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Arm();
}

void AppBarTimer::Arm() {
  if (!hwnd_) return;
  if (Enabled())
    SetTimer(hwnd_, kId, static_cast<UINT>(TimerIntervalFor(interval_)), nullptr);
  else
    KillTimer(hwnd_, kId);
}

bool AppToolBarImpl::PlaceForAutoHide(bool show, Rect& r) const {
  const auto placed = PlaceForAutoHideOnMonitor(Edge(), props_.AutoHide, show, r, EdgeMonitor().bounds,
                                                SliverBorderForWindow(Handle()));
  if (!placed) return false;
  r = *placed;
  return true;
}

void AppToolBarImpl::SlideTo(const Rect& r) { SlideWithFrames(r, props_.AutoHideInterval); }

void AppToolBarImpl::SlideWithFrames(const Rect& r, int interval) {
  // A bar not shown yet (docking at start-up) has nothing to show on the way: it only moves.
  const auto frames = IsWindowVisible(Handle()) ? SlideFrames(WindowRect(), r, interval, props_.FullDragOn)
                                                : decltype(SlideFrames(r, r, interval, false)){};
  // No pause between frames: the slide is as fast as the window repaints.
  sliding_ = true;
  for (const Rect& f : frames) {
    SetWindowPos(Handle(), nullptr, f.left, f.top, f.Width(), f.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    UpdateWindow(Handle());
  }
  sliding_ = false;
  lastSlideFrames_ = static_cast<int>(frames.size());
  SetWindowPos(Handle(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void AppToolBarImpl::SlideAutoHide(bool show) {
  if (!Handle()) return;
  Rect r = WindowRect();
  const bool changed = autoHideShown_ != show;
  autoHideShown_ = true;
  showRequested_ = show;
  if (!PlaceForAutoHide(show, r)) return;
  autoHideShown_ = show;
  SlideWithFrames(r, show ? ShowSlideInterval(props_.AutoHideInterval) : props_.AutoHideInterval);
  // A screen reader hears the bar come out and go (its parts are off screen meanwhile).
  if (changed)
    NotifyWinEvent(show ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void AppToolBarImpl::HoldShown(bool hold) {
  if (hold) {
    if (holdCount_++ == 0 && OnHoldChanged) OnHoldChanged(true);
  } else if (holdCount_ > 0 && --holdCount_ == 0 && OnHoldChanged) {
    OnHoldChanged(false);
  }
}

bool AppToolBarImpl::HoldsShown() const {
  // A menu of the bar, a drag the main form reported, or a mouse capture of this thread
  // (a drag started from the bar, or the bar being moved).
  return menuDepth_ > 0 || holdCount_ > 0 || GetCapture() != nullptr;
}

bool AppToolBarImpl::PrimaryButtonDown() const {
  return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
}

void AppToolBarImpl::AutoHideTimerTick() {
  if (!Handle()) return;
  for (ResolutionCheck check : kResolutionChecks) {
    if (ResolutionCheckFiresOnMonitor(check, Edge(), props_.AutoHide, monitor_.bounds, WindowRect()))
      UpdateBar();
  }

  AutoHideTickInput in;
  in.autoHide = props_.AutoHide;
  in.barActive = GetActiveWindow() == Handle();
  in.holdShown = HoldsShown();
  in.activateByMouseDown = props_.ActivateByMouseDown;
  in.cursor = MessagePos();
  in.window = WindowRect();
  in.doubleClick = MetricPairForWindow(Handle(), SM_CXDOUBLECLK, SM_CYDOUBLECLK);
  in.inset = ScalePx(in.inset, WindowDpi(Handle()));
  const AutoHideTickDecision d = DecideAutoHideTick(in);
  if (d.slide == TickSlide::Hide) {
    SlideAutoHide(false);
    autoHideTimer_.SetInterval(props_.ActiveDelay);
  } else if (d.slide == TickSlide::Show) {
    SlideAutoHide(true);
  }
  if (IsIconic(Handle()) || IsZoomed(Handle())) ShowWindow(Handle(), SW_RESTORE);
}

LRESULT AppToolBarImpl::OnNcHitTest(UINT msg, WPARAM wp, LPARAM lp) {
  if (!showRequested_) {
    const HiddenHitTest h = HiddenBarHitTest(Edge(), PrimaryButtonDown());
    hiddenCursor_ = h.cursor;
    if (h.slideOut) SlideAutoHide(true);
    return h.result;
  }
  ShownHitTestInput in;
  in.defaultResult = static_cast<int>(CallDefault(msg, wp, lp));
  in.edge = Edge();
  in.horzSizeInc = props_.HorzSizeInc;
  in.vertSizeInc = props_.VertSizeInc;
  in.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (in.defaultResult == HTCLIENT && PrimaryButtonDown()) {
    POINT client{in.pt.x, in.pt.y};
    ScreenToClient(Handle(), &client);
    in.buttonDown = PressDragsBar(client);
  }
  RECT c{};
  GetClientRect(Handle(), &c);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&c), 2);
  in.clientOnScreen = {c.left, c.top, c.right, c.bottom};
  return ShownBarHitTest(in);
}

LRESULT AppToolBarImpl::OnSetCursor(UINT msg, WPARAM wp, LPARAM lp) {
  // The edge cursor marks the sliver of a hidden bar; shown, the bar's own cursors apply.
  if (!showRequested_ && reinterpret_cast<HWND>(wp) == Handle() && LOWORD(lp) == HTCLIENT) {
    if (HCURSOR cursor = CursorFor(hiddenCursor_)) {
      SetCursor(cursor);
      return TRUE;
    }
  }
  return CallDefault(msg, wp, lp);
}

void AppToolBarImpl::OnAppBarNotify(WPARAM notification, LPARAM arg) {
  switch (notification) {
    case ABN_POSCHANGED: AppBarPosChanged(); break;
    case ABN_FULLSCREENAPP:
      fullScreenAppOpen_ = arg != 0;
      FullScreenAppChanged(arg != 0);
      break;
    case ABN_WINDOWARRANGE: WindowArrangeChanged(arg != 0); break;
    default: break;
  }
}

void AppToolBarImpl::ReapplyAfterShellChange(bool force) {
  // Not in the middle of an application (the shell's notice of our own reservation) or of
  // a user move, which commits its own edge at the end.
  if (applying_ || movingEdge_ != abeUnknown || edge_ == abeUnknown) return;
  if (!force) {
    // A missing monitor leaves the bar on the primary; its return brings the bar back.
    const MonitorList monitors = EnumMonitors();
    const Rect work = monitors[DockMonitor(monitors)].work;
    if (!NeedsRedockForDisplay(lastMonitors_, lastWorkArea_, monitors, work)) return;
  }
  UpdateBar();
}

}  // namespace wendlix
