#include "win/appbar/app_tool_bar.h"

#include <shellapi.h>
#include <windowsx.h>

#include "core/appbar/auto_hide.h"
#include "core/appbar/dock_geometry.h"
#include "win/appbar/monitors.h"
#include "win/appbar/screen_metrics.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

AppToolBarImpl::AppToolBarImpl()
    : props_(DefaultAppToolBarProperties(ScreenSize())),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
  autoHideTimer_.OnHeld = [this](bool held) {
    if (OnHoldChanged) OnHoldChanged(held);
    if (OnModalChanged) OnModalChanged(held);
  };
  ResolveMonitor();
}

std::size_t AppToolBarImpl::DockMonitor(const MonitorList& monitors) const {
  // A docked bar never stands on a seam: it goes to the desktop's edge on the same side.
  return ScreenEdgeMonitor(monitors, FindSavedMonitor(monitors, wantedMonitor_).value_or(0), edge_);
}

MonitorList AppToolBarImpl::ResolveMonitor() {
  MonitorList list = EnumMonitors();
  monitor_ = list[DockMonitor(list)];
  return list;
}

void AppToolBarImpl::SetWantedMonitor(const SavedMonitor& monitor) {
  wantedMonitor_ = monitor;
  ResolveMonitor();
}

void AppToolBarImpl::DestroyBarWindow() {
  // Unregister while this part can still handle WM_DESTROY; the window class derived from
  // it is already gone, so its edge handler must not run.
  OnEdgeChanged = nullptr;
  if (HWND hwnd = Handle()) DestroyWindow(hwnd);
}

void AppToolBarImpl::AdjustCreateStyles(DWORD& style, DWORD& exStyle) {
  style &= ~static_cast<DWORD>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  exStyle = (exStyle & ~static_cast<DWORD>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW;
}

void AppToolBarImpl::SetEdge(TAppToolBarEdge edge) {
  // A number outside the enumeration is ignored rather than read as "no edge", which
  // would unregister the bar.
  if (EdgeFromInt(edge) != edge) return;
  if (!Handle()) {
    edge_ = edge;
    return;
  }
  ApplyEdge(edge);
}

void AppToolBarImpl::SetEdgeLater(TAppToolBarEdge edge) {
  if (EdgeFromInt(edge) == edge) edge_ = edge;
}

void AppToolBarImpl::SetAutoHide(bool value) {
  props_.AutoHide = value;
  autoHideTimer_.SetEnabled(value);
}

void AppToolBarImpl::SetDockSize(TAppToolBarEdge edge, int value) {
  dockSizes_.Set(edge, ClampDockSize(edge, value, props_, SizeOf(monitor_.bounds)));
}

Rect AppToolBarImpl::WindowRect() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return FromRECT(r);
}

UINT_PTR AppToolBarImpl::AppBarMessage(DWORD msg, TAppToolBarEdge edge, LPARAM lParam, Rect* rect,
                                       bool copyBack) {
  APPBARDATA abd{};
  abd.cbSize = sizeof(abd);
  abd.hWnd = Handle();
  abd.uCallbackMessage = kAppBarCallbackMessage;
  abd.uEdge = static_cast<UINT>(edge);
  if (rect) abd.rc = ToRECT(*rect);
  abd.lParam = lParam;
  const UINT_PTR result = SHAppBarMessage(msg, &abd);
  if (rect && copyBack) *rect = FromRECT(abd.rc);
  return result;
}

void AppToolBarImpl::GetDockRect(TAppToolBarEdge edge, Rect& r) {
  auto queryPos = [this](TAppToolBarEdge e, Rect proposed) {
    AppBarMessage(ABM_QUERYPOS, e, 0, &proposed, true);
    return proposed;
  };
  r = DockRectOnMonitor(edge, r, EdgeMonitor().bounds, props_.AutoHide, dockSizes_, queryPos);
}

void AppToolBarImpl::Register() {
  AppBarMessage(ABM_NEW);
  mayHoldAutoHide_ = false;  // a bar the shell has just taken holds no edge's auto-hide
}

TAppToolBarEdge AppToolBarImpl::AutoHideEdge() {
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) {
    if (reinterpret_cast<HWND>(AppBarMessage(ABM_GETAUTOHIDEBAR, e)) == Handle()) return e;
  }
  return abeUnknown;
}

TAppToolBarEdge AppToolBarImpl::ProposeEdge(Point pt) {
  // The monitor under the pointer takes the bar; a seam between two monitors is no edge.
  const MonitorList monitors = EnumMonitors();
  const std::size_t index = MonitorForPoint(monitors, pt);
  movingMonitor_ = monitors[index];
  EdgeProposal in;
  in.pt = pt;
  in.ctrlDown = GetKeyState(VK_CONTROL) < 0;
  in.flags = ScreenEdgeFlags(props_.Flags, monitors, index);
  in.storedEdge = edge_;
  in.workArea = movingMonitor_.work;
  in.screen = SizeOf(movingMonitor_.bounds);
  in.scrollBar = MetricPairForWindow(Handle(), SM_CXVSCROLL, SM_CYHSCROLL);
  return wendlix::ProposeEdge(in, {movingMonitor_.bounds.left, movingMonitor_.bounds.top});
}

bool AppToolBarImpl::ModifyWindowStyle(int index, LONG_PTR remove, LONG_PTR add, UINT swpFlags) {
  const LONG_PTR old = GetWindowLongPtrW(Handle(), index);
  const LONG_PTR updated = (old & ~remove) | add;
  if (updated == old) return false;
  SetWindowLongPtrW(Handle(), index, updated);
  constexpr UINT kKeepPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (swpFlags != 0) SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, swpFlags | kKeepPlace);
  return true;
}

void AppToolBarImpl::ApplyEdge(TAppToolBarEdge newEdge) {
  const bool nested = applying_;
  applying_ = true;
  if (mayHoldAutoHide_) {
    const TAppToolBarEdge held = AutoHideEdge();
    if (held != abeUnknown) AppBarMessage(ABM_SETAUTOHIDEBAR, held, 0);
    mayHoldAutoHide_ = false;
  }
  edge_ = newEdge;
  ResolveMonitor();
  if (newEdge == abeUnknown) {
    AppBarMessage(ABM_REMOVE);
  } else if (newEdge == abeFloat) {
    Rect none;
    AppBarMessage(ABM_SETPOS, abeFloat, 0, &none);
    SetWindowPos(Handle(), nullptr, floatRect_.left, floatRect_.top, floatRect_.Width(), floatRect_.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    if (props_.AutoHide) {
      mayHoldAutoHide_ = AppBarMessage(ABM_SETAUTOHIDEBAR, Edge(), 1) != 0;
      if (!mayHoldAutoHide_) {
        props_.AutoHide = false;  // the timer is left as it is
        AutoHideDenied();
      }
    }
    Rect r;
    GetDockRect(Edge(), r);
    if (props_.AutoHide) {
      Rect none;
      AppBarMessage(ABM_SETPOS, abeLeft, 0, &none);
    } else if (props_.AlwaysOnTop) {
      AppBarMessage(ABM_SETPOS, newEdge, 0, &r, true);
    }
    PlaceForAutoHide(autoHideShown_, r);
    SlideTo(r);
  }
  ApplyZOrder();
  // A bar not shown yet is not the user's to activate; docking it before it shows costs the shell
  // round trips only for its place, since the bar's first paint waits on them.
  if (IsWindowVisible(Handle())) AppBarMessage(ABM_ACTIVATE);
  UpdateEdgeStyle(false, newEdge);
  // The application window owning the bar must never bring a taskbar button.
  if (HWND owner = GetWindow(Handle(), GW_OWNER); owner && IsWindowVisible(owner)) ShowWindow(owner, SW_HIDE);
  // What this application saw, so that the shell's notice of it is not taken for a change.
  lastMonitors_ = ResolveMonitor();
  lastWorkArea_ = monitor_.work;
  applying_ = nested;
  if (OnEdgeChanged) OnEdgeChanged(*this);
}

void AppToolBarImpl::DropTopmost() {
  constexpr UINT kKeepPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
  SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  if (!(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
  // Some window managers (Wine's) keep an owned window right above its owner and read
  // HWND_NOTOPMOST as "stay where you are" when only topmost windows lie in between. The
  // owner is the hidden application window: its place in the z-order matters to no one.
  if (HWND owner = GetWindow(Handle(), GW_OWNER)) {
    SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
}

void AppToolBarImpl::ApplyZOrder() {
  switch (ChooseZOrder(props_.AutoHide, props_.AlwaysOnTop, fullScreenAppOpen_)) {
    case BarZOrder::Topmost:
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
      break;
    case BarZOrder::NotTopmost: DropTopmost(); break;
    case BarZOrder::BelowFullScreenApp: {
      DropTopmost();
      // Right under the full-screen window when it is an ordinary one; placing the bar
      // after a topmost window would make the bar topmost again.
      HWND app = GetForegroundWindow();
      if (app && app != Handle() && !(GetWindowLongPtrW(app, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(Handle(), app, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
      break;
    }
  }
}

void AppToolBarImpl::UpdateEdgeStyle(bool dragging, TAppToolBarEdge edge) {
  BOOL fullDrag = TRUE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  if (!fullDrag && dragging) return;
  constexpr LONG_PTR kCaption = WS_CAPTION | WS_SYSMENU;
  if (edge == abeFloat)
    ModifyWindowStyle(GWL_STYLE, 0, kCaption, SWP_FRAMECHANGED);
  else
    ModifyWindowStyle(GWL_STYLE, kCaption, 0, SWP_FRAMECHANGED);
}

void AppToolBarImpl::FullScreenAppChanged(bool /*open*/) { UpdateBar(); }

void AppToolBarImpl::AppBarPosChanged() {
  if (edge_ != abeFloat && !props_.AutoHide) UpdateBar();
}

void AppToolBarImpl::WMExitSizeMove() {
  const TAppToolBarEdge prev = movingEdge_;
  movingEdge_ = abeUnknown;
  movingOutline_.reset();
  const bool moved = movedInSizeMove_;
  movedInSizeMove_ = false;
  MonitorInfo target = moved ? movingMonitor_ : monitor_;
  const SizeMoveMemory memory =
      RememberSizeMove(prev, edge_, WindowRect(), target.work, {dockSizes_, floatRect_});
  dockSizes_ = memory.dockSizes;
  floatRect_ = memory.floatRect;
  // Only a real move chooses a monitor: the bar keeps to the one it was put on.
  if (moved) {
    if (EdgeAfterSizeMove(prev, edge_) == abeFloat) {
      const MonitorList monitors = EnumMonitors();
      target = monitors[MonitorForRect(monitors, WindowRect())];
    }
    wantedMonitor_ = {target.device, target.bounds};
    monitor_ = target;
  }
  SetEdge(EdgeAfterSizeMove(prev, edge_));
  autoHideTimer_.SetEnabled(props_.AutoHide);
}

void AppToolBarImpl::OnMoving(RECT* rc) {
  const Point pt = MessagePos();
  movedInSizeMove_ = true;
  const TAppToolBarEdge proposed = ProposeEdge(pt);
  Rect r = MovingOutline(movingEdge_, proposed, FromRECT(*rc), floatRect_, pt);
  movingEdge_ = proposed;
  GetDockRect(proposed, r);
  *rc = ToRECT(r);
  movingOutline_ = r;
  UpdateEdgeStyle(true, proposed);
}

void AppToolBarImpl::OnWindowPosChanging(WINDOWPOS* pos) {
  if (!movingOutline_ || (pos->flags & SWP_NOMOVE)) return;
  const MoveStep asked{MakeRect(pos->x, pos->y, pos->cx, pos->cy), true, !(pos->flags & SWP_NOSIZE)};
  const MoveStep placed = PlaceMoveStep(asked, movingOutline_);
  if (placed == asked) return;
  pos->cx = placed.placed.Width();
  pos->cy = placed.placed.Height();
  pos->flags &= ~SWP_NOSIZE;
}

void AppToolBarImpl::OnSizing(int side, RECT* rc) {
  autoHideTimer_.SetEnabled(false);
  RECT frame{};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  const Size frameSize{frame.right - frame.left, frame.bottom - frame.top};
  *rc = ToRECT(SnapSizingRect(FromRECT(*rc), side, frameSize, props_.HorzSizeInc, props_.VertSizeInc));
  autoHideTimer_.SetEnabled(props_.AutoHide);
}

void AppToolBarImpl::OnGetMinMaxInfo(MINMAXINFO* info) {
  const TrackingLimits limits = ComputeTrackingLimits(Edge(), props_, SizeOf(EdgeMonitor().bounds));
  info->ptMinTrackSize = {limits.minTrack.cx, limits.minTrack.cy};
  info->ptMaxTrackSize = {limits.maxTrack.cx, limits.maxTrack.cy};
}

LRESULT AppToolBarImpl::OnCreate(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = CallDefault(msg, wp, lp);
  if (result == -1) return result;
  autoHideTimer_.Attach(Handle());
  autoHideTimer_.SetInterval(kAutoHideTimerInitialInterval);
  autoHideTimer_.SetEnabled(true);
  const Rect window = WindowRect();
  floatRect_ = MakeRect(window.left, window.top, floatRect_.Width(), floatRect_.Height());
  Register();
  if (dockOnCreate_) UpdateBar();
  PostMessageW(Handle(), WM_ENTERSIZEMOVE, 0, 0);
  PostMessageW(Handle(), WM_EXITSIZEMOVE, 0, 0);
  if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
    DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  }
  return result;
}

LRESULT AppToolBarImpl::OnDestroy(UINT msg, WPARAM wp, LPARAM lp) {
  autoHideTimer_.Detach();
  SetEdge(abeUnknown);
  return CallDefault(msg, wp, lp);
}

LRESULT AppToolBarImpl::HandleAppBarMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == taskbarCreatedMessage_ && msg != 0) {
    // Explorer restarted: it has forgotten every appbar.
    if (edge_ != abeUnknown) {
      Register();
      ReapplyAfterShellChange(true);
    }
    return CallDefault(msg, wp, lp);
  }
  switch (msg) {
    case WM_CREATE: return OnCreate(msg, wp, lp);
    case WM_DESTROY: return OnDestroy(msg, wp, lp);
    case WM_ACTIVATE: {
      const LRESULT result = CallDefault(msg, wp, lp);
      AppBarMessage(ABM_ACTIVATE);
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = CallDefault(msg, wp, lp);
      // Inside a slide the shell hears once, at its end, not once per frame; of a bar not shown yet,
      // when it shows.
      if (!sliding_ && IsWindowVisible(Handle())) AppBarMessage(ABM_WINDOWPOSCHANGED);
      return result;
    }
    case WM_NCHITTEST: return OnNcHitTest(msg, wp, lp);
    case WM_SETCURSOR: return OnSetCursor(msg, wp, lp);
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp)); break;
    case WM_ENTERSIZEMOVE:
      movingOutline_.reset();
      movingEdge_ = Edge();
      movingMonitor_ = monitor_;
      movedInSizeMove_ = false;
      return 0;
    case WM_EXITSIZEMOVE: WMExitSizeMove(); return 0;
    case WM_MOVING: OnMoving(reinterpret_cast<RECT*>(lp)); return TRUE;
    case WM_SIZING: OnSizing(static_cast<int>(wp), reinterpret_cast<RECT*>(lp)); return TRUE;
    case WM_SIZE:
      // Only the user's sizing stops the timer (its end starts it again); a size the bar gives
      // itself (a re-dock at a new DPI, another edge) leaves it as AutoHide says.
      if (movingEdge_ != abeUnknown) autoHideTimer_.SetEnabled(false);
      return CallDefault(msg, wp, lp);
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case kAppBarCallbackMessage: OnAppBarNotify(wp, lp); return 0;
    case WM_TIMER:
      if (wp == kDisplayTimerId) {
        KillTimer(Handle(), kDisplayTimerId);
        ReapplyAfterShellChange(false);
        return 0;
      }
      if (wp != AppBarTimer::kId) break;
      AutoHideTimerTick();
      return 0;
    case WM_LBUTTONDOWN:
      // A click quicker than the hit test (the button already up when it asks) still
      // brings a hidden bar out.
      if (!showRequested_) SlideAutoHide(true);
      break;
    case WM_ENTERMENULOOP: ++menuDepth_; break;
    case WM_EXITMENULOOP:
      if (menuDepth_ > 0) --menuDepth_;
      break;
    case WM_DISPLAYCHANGE: {
      const LRESULT result = CallDefault(msg, wp, lp);
      SetTimer(Handle(), kDisplayTimerId, kDisplaySettleMs, nullptr);  // (re)started: one docking per burst
      return result;
    }
    case WM_SETTINGCHANGE: {
      const LRESULT result = CallDefault(msg, wp, lp);
      if (wp == SPI_SETWORKAREA) SetTimer(Handle(), kDisplayTimerId, kDisplaySettleMs, nullptr);
      return result;
    }
    default: break;
  }
  return CallDefault(msg, wp, lp);
}

}  // namespace wendlix
