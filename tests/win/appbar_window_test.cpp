// The desktop-edge toolbar as a real window under the shell's appbar manager: docking,
// reservation, z-order, auto-hide placement and the shell notices. The shell's view of
// a reservation is read through a second appbar registered after the bar.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/appbar_support.h"
#include "win/appbar/app_tool_bar.h"
#include "win/appbar/auto_hide_hold.h"

namespace wendlix {
namespace {

using testing_support::Pump;
using testing_support::PumpUntil;

class TestBar : public TAppToolBar<TestBar> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixAppBarTestWindow";
  TestBar() {
    OnEdgeChanged = [this](AppToolBarImpl&) {
      edges.push_back(Edge());
      SlideAutoHide(true);  // as the main form does after laying itself out
    };
  }
  std::vector<TAppToolBarEdge> edges;
};

Size Screen() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Rect WindowRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool IsTopmost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::unique_ptr<TestBar> MakeBar(TAppToolBarEdge edge, bool autoHide, bool alwaysOnTop) {
  return testing_support::MakeDockedBar<TestBar>(edge, autoHide, alwaysOnTop);
}

// A plain window registered as an appbar after the bar: its ABM_QUERYPOS shows what the
// bar reserves.
class Probe {
 public:
  Probe() : hwnd_(testing_support::MakeWindow(L"WendlixAppBarProbe", nullptr, 0)) {
    Send(ABM_NEW, abeLeft, {});
  }
  ~Probe() {
    Send(ABM_REMOVE, abeLeft, {});
    DestroyWindow(hwnd_);
  }
  Rect Query(TAppToolBarEdge edge) {
    const Size s = Screen();
    return Send(ABM_QUERYPOS, edge, {0, 0, s.cx, s.cy});
  }
  HWND Handle() const { return hwnd_; }
  void Reserve(TAppToolBarEdge edge, Rect r) { Send(ABM_SETPOS, edge, r); }

 private:
  Rect Send(DWORD msg, TAppToolBarEdge edge, Rect r) {
    APPBARDATA abd{};
    abd.cbSize = sizeof(abd);
    abd.hWnd = hwnd_;
    abd.uCallbackMessage = WM_APP;
    abd.uEdge = edge;
    abd.rc = {r.left, r.top, r.right, r.bottom};
    SHAppBarMessage(msg, &abd);
    return {abd.rc.left, abd.rc.top, abd.rc.right, abd.rc.bottom};
  }
  HWND hwnd_ = nullptr;
};

Rect Docked(TAppToolBarEdge edge, int size) {
  const Size s = Screen();
  switch (edge) {
    case abeLeft: return {0, 0, size, s.cy};
    case abeTop: return {0, 0, s.cx, size};
    case abeRight: return {s.cx - size, 0, s.cx, s.cy};
    default: return {0, s.cy - size, s.cx, s.cy};
  }
}

// Docking, slides and ticks are decided in the core (dock_geometry, auto_hide); here the
// shell's appbar manager sees the reservation and the window its styles and positions.
TEST(AppBarWindow, DocksAtEachEdgeReservesItsStripAndUnregistersOnDestroy) {
  const Size s = Screen();
  for (TAppToolBarEdge edge : {abeLeft, abeTop, abeRight, abeBottom}) {
    auto bar = MakeBar(edge, false, true);
    Probe probe;
    EXPECT_EQ(WindowRectOf(bar->Handle()), Docked(edge, 86)) << edge;
    EXPECT_TRUE(IsTopmost(bar->Handle()));
    EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    const Rect reserved = probe.Query(edge);
    const Rect expected[] = {
        {86, 0, s.cx, s.cy}, {0, 86, s.cx, s.cy}, {0, 0, s.cx - 86, s.cy}, {0, 0, s.cx, s.cy - 86}};
    EXPECT_EQ(reserved, expected[edge]) << edge;
    ASSERT_FALSE(bar->edges.empty());
    EXPECT_EQ(bar->edges.back(), edge);

    const std::size_t before = bar->edges.size();
    DestroyWindow(bar->Handle());
    ASSERT_EQ(bar->edges.size(), before + 1);  // once more, on the way out
    EXPECT_EQ(bar->edges.back(), abeUnknown);
    EXPECT_EQ(probe.Query(edge), (Rect{0, 0, s.cx, s.cy}));  // ABM_REMOVE released it
  }
  // Neither on top nor hiding: docked, reserving nothing.
  auto bar = MakeBar(abeRight, false, false);
  Probe probe;
  EXPECT_EQ(WindowRectOf(bar->Handle()), Docked(abeRight, 86));
  EXPECT_FALSE(IsTopmost(bar->Handle()));
  EXPECT_EQ(probe.Query(abeRight), (Rect{0, 0, s.cx, s.cy}));
}

TEST(AppBarWindow, AutoHideBarSlidesBetweenSliverAndEdge) {
  auto bar = MakeBar(abeRight, true, false);
  Probe probe;
  const Size s = Screen();
  const int sliver = s.cx - 2 * GetSystemMetrics(SM_CXBORDER);
  EXPECT_TRUE(IsTopmost(bar->Handle()));
  EXPECT_EQ(probe.Query(abeRight), (Rect{0, 0, s.cx, s.cy}));    // reserves nothing
  EXPECT_EQ(WindowRectOf(bar->Handle()), Docked(abeRight, 86));  // shown by the edge handler

  bar->SlideAutoHide(false);
  EXPECT_EQ(WindowRectOf(bar->Handle()), (Rect{sliver, 0, sliver + 86, s.cy}));
  EXPECT_EQ(SendMessageW(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.cx - 1, 300)), HTCLIENT);
  SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 300));  // a quick click
  EXPECT_TRUE(bar->ShowRequested());
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, s.cx - 86);
}

// The tick reads the pointer of the message being handled, as on a real timer message.
void TickWithPointerAt(TestBar& bar, int x, int y) {
  SetCursorPos(x, y);
  PostMessageW(bar.Handle(), WM_NULL, 0, 0);
  Pump();
  bar.AutoHideTimerTick();
}

TEST(AppBarWindow, TimerTickFollowsPointerMenusAndHolds) {
  auto bar = MakeBar(abeRight, true, true);
  const Size s = Screen();
  const int sliver = s.cx - 2 * GetSystemMetrics(SM_CXBORDER);
  Probe other;  // any other window of the thread becomes the active one
  ShowWindow(other.Handle(), SW_SHOW);
  SetActiveWindow(other.Handle());
  ASSERT_NE(GetActiveWindow(), bar->Handle());

  TickWithPointerAt(*bar, 200, 300);
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, sliver);
  EXPECT_FALSE(bar->ShowRequested());
  EXPECT_EQ(bar->AutoHideTimer().Interval(), bar->ActiveDelay());
  TickWithPointerAt(*bar, s.cx - 1, 300);  // touches the edge
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, s.cx - 86);
  EXPECT_TRUE(bar->ShowRequested());

  SendMessageW(bar->Handle(), WM_ENTERMENULOOP, FALSE, 0);
  TickWithPointerAt(*bar, 200, 300);
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, s.cx - 86) << "slid away under an open menu";
  SendMessageW(bar->Handle(), WM_EXITMENULOOP, FALSE, 0);
  bar->HoldShown(true);
  TickWithPointerAt(*bar, 200, 300);
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, s.cx - 86) << "slid away under a drag";
  bar->HoldShown(false);
  TickWithPointerAt(*bar, 200, 300);
  EXPECT_EQ(WindowRectOf(bar->Handle()).left, sliver);
}

TEST(AppBarWindow, RealTimerSlidesTheBarWithThePointer) {
  auto bar = MakeBar(abeRight, true, true);
  const Size s = Screen();
  const int sliver = s.cx - 2 * GetSystemMetrics(SM_CXBORDER);
  Probe other;
  ShowWindow(other.Handle(), SW_SHOW);
  SetActiveWindow(other.Handle());
  bar->SetActiveDelay(30);
  bar->AutoHideTimer().SetInterval(30);
  bar->AutoHideTimer().SetEnabled(true);
  SetCursorPos(200, 300);
  EXPECT_TRUE(PumpUntil([&] { return WindowRectOf(bar->Handle()).left == sliver; })) << "never hid";
  SetCursorPos(s.cx - 1, 300);
  EXPECT_TRUE(PumpUntil([&] { return WindowRectOf(bar->Handle()).left == s.cx - 86; })) << "never came out";
}

// Boxes and menus hold the timer off; a box inside another held state must not let it run, and
// a re-dock at a new thickness (a new DPI) must not leave it stopped.
TEST(AppBarWindow, TimerRunsAsAutoHideSaysAfterNestedHoldsAndResizes) {
  auto bar = MakeBar(abeRight, true, true);
  AppBarTimer& timer = bar->AutoHideTimer();
  timer.SetEnabled(true);
  {
    AutoHideHold outer(*bar);
    EXPECT_FALSE(timer.Enabled());
    { AutoHideHold inner(*bar); }
    EXPECT_FALSE(timer.Enabled()) << "the inner box let the timer run under the outer hold";
    timer.SetEnabled(bar->AutoHide());  // as a menu command does when it ends
    EXPECT_FALSE(timer.Enabled()) << "a command let the timer run under the hold";
  }
  EXPECT_TRUE(timer.Enabled());

  bar->SetDockSize(abeRight, 129);
  bar->UpdateBar();
  EXPECT_EQ(WindowRectOf(bar->Handle()), Docked(abeRight, 129));
  EXPECT_TRUE(timer.Enabled()) << "the re-dock at a new thickness left the timer stopped";
  bar->SetAutoHide(false);
  bar->SetDockSize(abeRight, 86);
  bar->UpdateBar();
  EXPECT_FALSE(timer.Enabled());
}

// One step of a user move as the system's move loop sends it: the pointer rides on the
// message, the proposed rectangle comes back changed.
Rect MoveTo(TestBar& bar, int x, int y) {
  SetCursorPos(x, y);
  PostMessageW(bar.Handle(), WM_NULL, 0, 0);
  Pump();
  RECT r{x, y, x + 86, y + 300};
  SendMessageW(bar.Handle(), WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

LONG_PTR Caption(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION; }

TEST(AppBarWindow, UserMoveFloatsInTheMiddleAndDocksAtAnEdge) {
  auto bar = MakeBar(abeRight, false, true);
  const Size s = Screen();
  const Rect hanging{s.cx / 2 - 100, s.cy / 2, s.cx / 2 + 100, s.cy / 2 + 300};
  bar->SetFloatRect({0, 0, 200, 300});
  SendMessageW(bar->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_EQ(MoveTo(*bar, s.cx / 2, s.cy / 2), hanging);  // pulled off the edge
  EXPECT_EQ(bar->Edge(), abeFloat);                      // the proposal, while moving
  SetWindowPos(bar->Handle(), nullptr, hanging.left, hanging.top, 200, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(bar->Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(bar->FloatRect(), hanging);
  EXPECT_EQ(WindowRectOf(bar->Handle()), hanging);
  EXPECT_EQ(Caption(bar->Handle()), WS_CAPTION);

  SendMessageW(bar->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_EQ(MoveTo(*bar, 2, s.cy / 2), Docked(abeLeft, 86));  // the outline snaps
  SendMessageW(bar->Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(bar->Edge(), abeLeft);
  EXPECT_EQ(bar->MovingEdge(), abeUnknown);
  EXPECT_EQ(bar->edges.back(), abeLeft);
  EXPECT_EQ(WindowRectOf(bar->Handle()), Docked(abeLeft, 86));
  EXPECT_EQ(Caption(bar->Handle()), 0);
  SendMessageW(bar->Handle(), WM_EXITSIZEMOVE, 0, 0);  // a stray end of move: still registered
  EXPECT_EQ(bar->edges.back(), abeLeft);
}

TEST(AppBarWindow, ShellRestartsAndFullScreenApplications) {
  auto bar = MakeBar(abeRight, false, true);
  Probe probe;
  const Size s = Screen();
  APPBARDATA abd{};
  abd.cbSize = sizeof(abd);
  abd.hWnd = bar->Handle();
  SHAppBarMessage(ABM_REMOVE, &abd);  // the shell forgets every appbar when it restarts
  ASSERT_EQ(probe.Query(abeRight), (Rect{0, 0, s.cx, s.cy}));
  SendMessageW(bar->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  Probe later;  // the shell clips a query against the appbars registered before it
  EXPECT_EQ(later.Query(abeRight), (Rect{0, 0, s.cx - 86, s.cy})) << "not registered again";

  // Another appbar moving makes the shell notify this one, which applies its edge again.
  const std::size_t applied = bar->edges.size();
  later.Reserve(abeTop, {0, 0, s.cx, 30});
  EXPECT_TRUE(PumpUntil([&] { return bar->edges.size() > applied; })) << "no ABN_POSCHANGED";

  SendMessageW(bar->Handle(), kAppBarCallbackMessage, ABN_FULLSCREENAPP, 1);
  EXPECT_TRUE(bar->FullScreenAppOpen());
  EXPECT_FALSE(IsTopmost(bar->Handle()));
  SendMessageW(bar->Handle(), kAppBarCallbackMessage, ABN_FULLSCREENAPP, 0);
  EXPECT_TRUE(IsTopmost(bar->Handle()));
}

TEST(AppBarWindow, DisplayNoticesDockOnceOnTheBarsMonitor) {
  auto bar = MakeBar(abeRight, false, true);
  const Size s = Screen();
  const MonitorInfo& m = bar->BarMonitor();
  EXPECT_TRUE(m.primary);
  EXPECT_EQ(m.bounds, (Rect{0, 0, s.cx, s.cy}));
  EXPECT_FALSE(m.device.empty());

  // A work-area notice with nothing changed (our own reservation) applies nothing.
  const std::size_t before = bar->edges.size();
  SendMessageW(bar->Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  SendMessageW(bar->Handle(), WM_TIMER, AppToolBarImpl::kDisplayTimerId, 0);
  EXPECT_EQ(bar->edges.size(), before);
  // A burst of notices only arms the one-shot timer; a changed work area docks once when it fires.
  RECT work{}, smaller{0, 0, s.cx, s.cy - 40};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &smaller, 0));
  for (int i = 0; i < 3; ++i) {
    SendMessageW(bar->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(s.cx, s.cy));
    SendMessageW(bar->Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  }
  EXPECT_EQ(bar->edges.size(), before);
  EXPECT_TRUE(KillTimer(bar->Handle(), AppToolBarImpl::kDisplayTimerId)) << "no timer armed";
  SendMessageW(bar->Handle(), WM_TIMER, AppToolBarImpl::kDisplayTimerId, 0);
  SendMessageW(bar->Handle(), WM_TIMER, AppToolBarImpl::kDisplayTimerId, 0);  // nothing new: no docking
  EXPECT_EQ(bar->edges.size(), before + 1);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0);
}

}  // namespace
}  // namespace wendlix
