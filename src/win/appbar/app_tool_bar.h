// TAppToolBar: a window that registers with the shell as an application desktop toolbar,
// docks to an edge of its monitor or floats, can be dragged from edge to edge, and
// as an auto-hide bar slides out of a sliver at its edge. The decisions live in
// core/appbar; this class carries them out on the window and the shell.
//
// A window class derives from TAppToolBar<Itself> (it names its class in kClassName, as
// for BaseWindow), overrides HandleMessage for its own messages and passes everything else
// to TAppToolBar<Itself>::HandleMessage: also the messages it only extends (WM_CREATE
// first, then its own work; WM_EXITSIZEMOVE through WMExitSizeMove first).
#pragma once
#include <windows.h>

#include <functional>
#include <optional>

#include "core/appbar/app_bar_hit_test.h"
#include "core/appbar/app_tool_bar_types.h"
#include "core/appbar/monitor_layout.h"
#include "core/common/geometry.h"
#include "win/common/base_window.h"

namespace wendlix {

// The shell's callback message for this bar's notifications.
constexpr UINT kAppBarCallbackMessage = WM_USER + 100;

// The auto-hide polling timer: a window timer of the bar, armed while enabled and not held.
// Holds nest (a box opened from a menu, a box shown while another waits), so enabling it under
// a hold only takes effect when the last hold ends.
class AppBarTimer {
 public:
  static constexpr UINT_PTR kId = 0x4157;
  // Whether it runs now.
  bool Enabled() const { return enabled_ && holds_ == 0; }
  void SetEnabled(bool enabled);
  void Hold();
  void Release();
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  void Attach(HWND hwnd);
  void Detach();  // stops it for good (the window is going)
  // Told when the first hold begins (true) and when the last ends (false).
  std::function<void(bool held)> OnHeld;

 private:
  void Arm();
  HWND hwnd_ = nullptr;
  bool enabled_ = false;
  int holds_ = 0;
  int interval_ = kAutoHideTimerInitialInterval;
};

// The toolbar's state and behaviour, independent of the window class it serves.
class AppToolBarImpl {
 public:
  using TNotifyEvent = std::function<void(AppToolBarImpl& sender)>;

  AppToolBarImpl();
  AppToolBarImpl(const AppToolBarImpl&) = delete;
  AppToolBarImpl& operator=(const AppToolBarImpl&) = delete;
  virtual ~AppToolBarImpl() = default;

  virtual HWND Handle() const = 0;

  // The bar's window styles: no WS_SYSMENU, WS_MINIMIZEBOX or WS_MAXIMIZEBOX, and
  // WS_EX_TOOLWINDOW instead of WS_EX_APPWINDOW, so the bar has no taskbar button.
  static void AdjustCreateStyles(DWORD& style, DWORD& exStyle);

  // Published properties.
  TAppToolBarEdge Edge() const { return movingEdge_ != abeUnknown ? movingEdge_ : edge_; }
  void SetEdge(TAppToolBarEdge edge);
  // Takes the edge without applying it, for a bar being set up that applies its edge once,
  // with everything else it read, by UpdateBar.
  void SetEdgeLater(TAppToolBarEdge edge);
  bool AutoHide() const { return props_.AutoHide; }
  void SetAutoHide(bool value);
  bool AlwaysOnTop() const { return props_.AlwaysOnTop; }
  void SetAlwaysOnTop(bool value) { props_.AlwaysOnTop = value; }
  TAppToolBarFlags Flags() const { return props_.Flags; }
  void SetFlags(TAppToolBarFlags value) { props_.Flags = value; }
  bool FullDragOn() const { return props_.FullDragOn; }
  void SetFullDragOn(bool value) { props_.FullDragOn = value; }
  int HorzSizeInc() const { return props_.HorzSizeInc; }
  void SetHorzSizeInc(int value) { props_.HorzSizeInc = value; }
  int VertSizeInc() const { return props_.VertSizeInc; }
  void SetVertSizeInc(int value) { props_.VertSizeInc = value; }
  int MinHorzSize() const { return props_.MinHorzSize; }
  void SetMinHorzSize(int value) { props_.MinHorzSize = value; }
  int MinVertSize() const { return props_.MinVertSize; }
  void SetMinVertSize(int value) { props_.MinVertSize = value; }
  int MinWidth() const { return props_.MinWidth; }
  void SetMinWidth(int value) { props_.MinWidth = value; }
  int MinHeight() const { return props_.MinHeight; }
  void SetMinHeight(int value) { props_.MinHeight = value; }
  int MaxWidth() const { return props_.MaxWidth; }
  void SetMaxWidth(int value) { props_.MaxWidth = value; }
  int MaxHeight() const { return props_.MaxHeight; }
  void SetMaxHeight(int value) { props_.MaxHeight = value; }
  TAppToolBarTaskEntry TaskEntry() const { return props_.TaskEntry; }
  void SetTaskEntry(TAppToolBarTaskEntry value) { props_.TaskEntry = value; }
  bool ActivateByMouseDown() const { return props_.ActivateByMouseDown; }
  void SetActivateByMouseDown(bool value) { props_.ActivateByMouseDown = value; }
  int AutoHideInterval() const { return props_.AutoHideInterval; }
  void SetAutoHideInterval(int value) { props_.AutoHideInterval = value; }
  int ActiveDelay() const { return props_.ActiveDelay; }
  void SetActiveDelay(int value) { props_.ActiveDelay = value; }

  // Fired with the bar at the end of every edge application.
  TNotifyEvent OnEdgeChanged;
  // Told when something begins to hold the bar (a menu, a box, a dialog, a drag: a hold of
  // the auto-hide timer or HoldShown) and when it ends; the two kinds are told apart, each
  // once on its first hold and once on its last release.
  std::function<void(bool held)> OnHoldChanged;
  // Told when the first menu, box or dialog of the bar opens (each holds the auto-hide timer) and
  // when the last closes.
  std::function<void(bool open)> OnModalChanged;

  TAppToolBarEdge MovingEdge() const { return movingEdge_; }
  int DockSize(TAppToolBarEdge edge) const { return dockSizes_[edge]; }
  // Kept between the docked minimum and half the screen.
  void SetDockSize(TAppToolBarEdge edge, int value);
  Rect FloatRect() const { return floatRect_; }
  void SetFloatRect(Rect r) { floatRect_ = r; }
  bool AutoHideShown() const { return autoHideShown_; }
  bool ShowRequested() const { return showRequested_; }
  AppBarTimer& AutoHideTimer() { return autoHideTimer_; }

  // The monitor the bar keeps to (empty: the primary). While it is missing the bar stands on
  // the primary monitor and returns when it comes back. Setting it does not apply the edge.
  const SavedMonitor& WantedMonitor() const { return wantedMonitor_; }
  void SetWantedMonitor(const SavedMonitor& monitor);
  // The monitor the bar stands on now (beyond the wanted one when its edge there is a seam).
  const MonitorInfo& BarMonitor() const { return monitor_; }
  // Display and work-area notices come in bursts; this one-shot timer docks once after them.
  static constexpr UINT_PTR kDisplayTimerId = 0x4158;
  static constexpr UINT kDisplaySettleMs = 250;

  // Applies the current edge again in full.
  void UpdateBar() { SetEdge(Edge()); }
  void WMExitSizeMove();
  UINT_PTR AppBarMessage(DWORD msg, TAppToolBarEdge edge = abeFloat, LPARAM lParam = 0, Rect* rect = nullptr,
                         bool copyBack = false);
  void GetDockRect(TAppToolBarEdge edge, Rect& r);
  // ABM_NEW: the shell takes the bar.
  void Register();
  // The edge whose auto-hide bar this one is, asked of the shell edge by edge.
  TAppToolBarEdge AutoHideEdge();
  TAppToolBarEdge ProposeEdge(Point pt);
  bool ModifyWindowStyle(int index, LONG_PTR remove, LONG_PTR add, UINT swpFlags);

  // Auto-hide.
  void SlideAutoHide(bool show);
  bool PlaceForAutoHide(bool show, Rect& r) const;
  void SlideTo(const Rect& r);
  void AutoHideTimerTick();

  // Keeps an auto-hide bar out while something the timer cannot see is under way, such as
  // a drag over the bar (call with true on entering, false on leaving or dropping).
  void HoldShown(bool hold);
  bool FullScreenAppOpen() const { return fullScreenAppOpen_; }
  // Frames drawn by the last slide, for tests and measurements.
  int LastSlideFrameCount() const { return lastSlideFrames_; }

 protected:
  virtual void UpdateEdgeStyle(bool dragging, TAppToolBarEdge edge);
  virtual void AutoHideDenied() {}
  virtual void FullScreenAppChanged(bool open);
  virtual void AppBarPosChanged();
  virtual void WindowArrangeChanged(bool /*starting*/) {}
  // Whether a press at this client point drags the bar (its own background); a descendant
  // that draws buttons answers false over them.
  virtual bool PressDragsBar(POINT /*clientPt*/) { return true; }

  // Off, the bar is registered with the shell when created but not docked: its owner applies the
  // edge once it has read it (each application is a round of messages with the shell).
  bool dockOnCreate_ = true;

  // Every message of the bar's window; DefaultHandling is the window's default handling.
  LRESULT HandleAppBarMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // Called by the window class's destructor while this part is still whole.
  void DestroyBarWindow();

 private:
  LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp) { return DefaultHandling(msg, wp, lp); }
  void ApplyEdge(TAppToolBarEdge newEdge);
  void SlideWithFrames(const Rect& r, int interval);
  void ApplyZOrder();
  void DropTopmost();
  void ReapplyAfterShellChange(bool force);
  // The monitor of the list the bar docks on: the wanted one (the primary when it is missing),
  // or across a seam the one beyond it.
  std::size_t DockMonitor(const MonitorList& monitors) const;
  // Takes the dock monitor of the current list and returns the list.
  MonitorList ResolveMonitor();
  // The monitor the edge being applied or dragged to belongs to.
  const MonitorInfo& EdgeMonitor() const { return movingEdge_ != abeUnknown ? movingMonitor_ : monitor_; }
  bool HoldsShown() const;
  bool PrimaryButtonDown() const;
  Rect WindowRect() const;

  LRESULT OnCreate(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnDestroy(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnNcHitTest(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnSetCursor(UINT msg, WPARAM wp, LPARAM lp);
  void OnMoving(RECT* r);
  void OnWindowPosChanging(WINDOWPOS* pos);
  void OnSizing(int side, RECT* r);
  void OnGetMinMaxInfo(MINMAXINFO* info);
  void OnAppBarNotify(WPARAM notification, LPARAM arg);

  AppToolBarProperties props_;
  TAppToolBarEdge edge_ = abeFloat;
  TAppToolBarEdge movingEdge_ = abeUnknown;
  DockSizes dockSizes_;
  Rect floatRect_ = kInitialFloatRect;
  std::optional<Rect> movingOutline_;  // what WM_MOVING last chose, during a move
  bool autoHideShown_ = false;
  bool showRequested_ = false;
  AppBarTimer autoHideTimer_;

  BarCursor hiddenCursor_ = BarCursor::Unchanged;
  bool fullScreenAppOpen_ = false;
  bool applying_ = false;
  // Whether the shell may hold this bar as an edge's auto-hide bar: only after it said yes to one,
  // so that a bar without auto-hide asks it nothing about it.
  bool mayHoldAutoHide_ = true;
  bool sliding_ = false;
  int menuDepth_ = 0;
  int holdCount_ = 0;
  int lastSlideFrames_ = 0;
  SavedMonitor wantedMonitor_;
  MonitorInfo monitor_;
  MonitorInfo movingMonitor_;     // the monitor under the pointer during a move
  bool movedInSizeMove_ = false;  // a move really happened (WM_MOVING) since WM_ENTERSIZEMOVE
  MonitorList lastMonitors_;
  Rect lastWorkArea_;
  UINT taskbarCreatedMessage_ = 0;
};

template <typename Derived>
class TAppToolBar : public BaseWindow<Derived>, public AppToolBarImpl {
 public:
  ~TAppToolBar() override { DestroyBarWindow(); }

  HWND Handle() const override { return BaseWindow<Derived>::Handle(); }

  // Registers Derived::kClassName and creates the window with the bar's styles.
  bool CreateBar(HINSTANCE instance, const wchar_t* title, DWORD style, DWORD exStyle, Rect bounds,
                 HWND owner = nullptr) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.style = CS_DBLCLKS;
    if (!this->RegisterClassOnce(wc)) return false;
    AdjustCreateStyles(style, exStyle);
    return this->CreateHandle(exStyle, title, style, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                              owner, instance) != nullptr;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override { return HandleAppBarMessage(msg, wp, lp); }

 private:
  LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) override {
    return BaseWindow<Derived>::Default(msg, wp, lp);
  }
};

}  // namespace wendlix
