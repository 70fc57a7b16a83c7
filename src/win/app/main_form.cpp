#include "win/app/main_form.h"

#include <windowsx.h>

#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/mouse_rules.h"
#include "win/app/startup_trace.h"
#include "win/common/wide.h"
#include "win/diagnostics/leak_probe.h"
#include "win/inspect/bar_queries.h"
#include "win/inspect/bar_query.h"
#include "win/paint/dib_section.h"
#include "win/paint/theme_win.h"
#include "win/shell/shortcut_files.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

// Posted by the icon resolver when system icon indexes arrived.
constexpr UINT kIconsArrivedMessage = WM_APP + 10;

POINT PointOf(LPARAM lp) { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

}  // namespace

TWendlixMainForm::TWendlixMainForm(const ProgramInfo& program, BarState& state)
    : program_(program), state_(state), resources_(GetModuleHandleW(nullptr)) {
  dockOnCreate_ = false;  // LoadBar docks it, with the settings read
  AddBarWindowQueries(queries_, *this);
  keyboard_.AddQueries(queries_);
  find_.AddQueries(queries_);
  menus_.AddQueries(queries_);
  buttonMenu_.AddQueries(queries_);
  live_.AddQueries(queries_);
  launch_.AddQueries(queries_);
  // Whatever holds the bar (a menu, a box, the editor, a drag) holds the live refills too.
  OnHoldChanged = [this](bool held) { live_.Held(held); };
  // A hint would lie over the menu's first item, or over a dialog, for seconds.
  OnModalChanged = [this](bool open) { tooltip_.Suppress(open); };
}

TWendlixMainForm::~TWendlixMainForm() {
  if (HWND hwnd = Handle()) DestroyWindow(hwnd);
}

bool TWendlixMainForm::Create(HINSTANCE instance, HWND owner) {
  // Created floating at the toolbar's initial rectangle; LoadBar docks it.
  return CreateBar(instance, ToWide(kMainFormCaption).c_str(), WS_POPUP | WS_THICKFRAME, 0, kInitialFloatRect,
                   owner);
}

LRESULT TWendlixMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  // An open menu draws its own items; the test switches take their requests before the queries.
  if (HandleMenuMessage(msg, wp, lp, result)) return result;
  if (probe_ && probe_->HandleMessage(Handle(), msg, wp, lp, result)) return result;
  std::optional<LRESULT> handled = MouseMessage(msg, wp, lp);
  if (!handled) handled = KeyMessage(msg, wp, lp);
  if (!handled) handled = WindowMessage(msg, wp, lp);
  if (!handled) handled = LifeMessage(msg, wp, lp);
  return handled ? *handled : Base::HandleMessage(msg, wp, lp);
}

std::optional<LRESULT> TWendlixMainForm::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lp), wp); return std::nullopt;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The toolbar takes a double click as a press.
      const LRESULT result = Base::HandleMessage(WM_LBUTTONDOWN, wp, lp);
      OnLButtonDown(PointOf(lp), wp, msg == WM_LBUTTONDBLCLK);
      return result;
    }
    case WM_NCLBUTTONDBLCLK:
      // A group's background drags the bar, so its double click arrives as one on a caption.
      if (wp != HTCAPTION) return std::nullopt;
      OnCaptionDblClick(PointOf(lp));
      return 0;
    case WM_LBUTTONUP: OnLButtonUp(PointOf(lp)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(PointOf(lp)); return std::nullopt;
    case WM_RBUTTONUP:
      drops_.ButtonReleased();
      ReleasePressed();
      return std::nullopt;
    case WM_CAPTURECHANGED:
      ReleasePressed();
      groups_.EndBandDrag();
      return std::nullopt;
    case WM_CONTEXTMENU: OnContextMenu(PointOf(lp)); return 0;
    case WM_DROPFILES: drops_.WMDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
    default: return std::nullopt;
  }
}

std::optional<LRESULT> TWendlixMainForm::KeyMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const auto vk = static_cast<unsigned>(wp);
  switch (msg) {
    case WM_HOTKEY:
      if (!keyboard_.HotKeyPressed(wp)) return std::nullopt;
      return 0;
    case BarKeyboard::kHotKeyTakenMessage: keyboard_.ReportHotKeyTaken(); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!keyboard_.KeyDown(vk, msg == WM_SYSKEYDOWN)) return std::nullopt;
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!keyboard_.KeyUp(vk)) return std::nullopt;
      return 0;
    case WM_CHAR:
      if (!keyboard_.Char(static_cast<wchar_t>(wp))) return std::nullopt;
      return 0;
    case WM_KILLFOCUS: keyboard_.FocusLost(); return std::nullopt;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) keyboard_.Deactivated(reinterpret_cast<HWND>(lp));
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::optional<LRESULT> TWendlixMainForm::WindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_EXITSIZEMOVE:
      WMExitSizeMove();
      dpi_.LookAgain();  // moved to a monitor of another DPI
      ArrangeBar();
      return 0;
    case kWmDpiChanged: dpi_.TakeMonitorDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE: {
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      if (msg == WM_SETTINGCHANGE && (wp == SPI_SETICONTITLELOGFONT || wp == SPI_SETNONCLIENTMETRICS)) {
        resources_.SystemFontsChanged();
        ArrangeBar();
      }
      if (IsThemeNotice(msg, wp, lp)) FollowTheme();
      // A tool window may miss WM_DPICHANGED: the monitor's DPI is looked at again here.
      dpi_.LookAgain();
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      ArrangeBar();
      return result;
    }
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(
          resources_.ProgramIcon(GetSystemMetrics(wp == ICON_BIG ? SM_CXICON : SM_CXSMICON)));
    case WM_PAINT: OnPaint(); return 0;
    case WM_SYSCOLORCHANGE:
      if (!FollowTheme()) {
        backgrounds_.Reset();
        ArrangeBar();
      }
      return std::nullopt;
    case kIconsArrivedMessage:
      if (resources_.Icons().Collect()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        find_.IconsArrived();
      }
      return 0;
    case BarDrops::kPostedDropMessage: drops_.RunPostedDrops(); return 0;
    case BarLive::kStartMessage:
      // Before the watching starts, whose first look compares each folder with its listing.
      ListSavedOrderGroups(false);
      live_.Start();
      ArrangeBar();
      return 0;
    case BarLive::kNoticeMessage: live_.OnNotices(); return 0;
    case WM_DEVICECHANGE: live_.OnDeviceChange(wp, lp); return TRUE;  // a removal is never refused
    case WM_TIMER:
      if (wp != BarLive::kTimerId) return std::nullopt;
      if (live_.OnTimer()) ArrangeBar();
      return 0;
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<HWND>(wp), lp);
    case WM_GETOBJECT: return accessible_.GetObject(wp, lp);
    case BarAccessibility::kActionMessage: accessible_.RunPosted(); return 0;
    default: return std::nullopt;
  }
}

std::optional<LRESULT> TWendlixMainForm::LifeMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      if (result != -1) {
        resources_.Icons().SetNotify(Handle(), kIconsArrivedMessage);
        FormCreate();
      }
      return result;
    }
    case WM_CLOSE:
      if (FormCloseQuery(CloseReason::kBar)) DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION: return FormCloseQuery(CloseReason::kSystemShutdown) ? TRUE : FALSE;
    case WM_ENDSESSION:
      // The session ends even after a refused query: save again (the query may not have),
      // then leave, which gives the shell windows back.
      if (wp) {
        SaveBar();
        DestroyWindow(Handle());
      }
      return 0;
    case WM_DESTROY: {
      FormDestroy();
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      PostQuitMessage(0);
      return result;
    }
    default: return std::nullopt;
  }
}

bool TWendlixMainForm::PressDragsBar(POINT clientPt) {
  // Hit testing comes before the press message and its key flags: the keys and buttons held now.
  const auto held = [](int vk) { return GetAsyncKeyState(vk) < 0; };
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  std::uint32_t keys = 0;
  if (held(swapped ? VK_RBUTTON : VK_LBUTTON)) keys |= MK_LBUTTON;
  if (held(swapped ? VK_LBUTTON : VK_RBUTTON)) keys |= MK_RBUTTON;
  if (held(VK_MBUTTON)) keys |= MK_MBUTTON;
  if (held(VK_SHIFT)) keys |= MK_SHIFT;
  if (held(VK_CONTROL)) keys |= MK_CONTROL;
  return PressDragsWindow(HitTest(clientPt).What, ShiftFromMouseKeys(keys, held(VK_MENU)));
}

void TWendlixMainForm::FormCreate() {
  state_.ConfigBase = ResolveConfigBase(program_);
  dpi_.Init();
  OnEdgeChanged = [this](AppToolBarImpl&) { FormEdgeChanged(); };
  state_.TitleSize = 25;
  state_.Tweaks.DisableScrnSaver = false;
  state_.Tweaks.CanShutDown = true;
  StartupMark("form create");
  tweaks_ = std::make_unique<SystemTweaksCommands>(Handle(), state_);
  probe_ = LeakProbe::FromEnvironment(*this);
  StartupMark("menus");
  try {
    LoadBar();
  } catch (...) {
    // Start-up goes on with what was built, docked with the thickness read so far.
    UpdateBar();
  }
  dpi_.SetReady();
  keyboard_.RegisterStoredHotKey();
}

void TWendlixMainForm::FinishStart() {
  // The common controls load here, not with the program: the first paint draws without them.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  tooltip_.Create(Handle());
  drops_.Register();
  StartupMark("drop target");
  quickCreate_.LookForBookmarkProfiles();
}

void TWendlixMainForm::FormEdgeChanged() {
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  SetDockSize(rc.right - rc.left, rc.bottom - rc.top);
  ArrangeBar();
  SlideAutoHide(true);
}

void TWendlixMainForm::FormDestroy() {
  // Every way out passes here, after the states were saved.
  keyboard_.Stop();
  live_.Stop();
  if (tweaks_) tweaks_->GiveBack();
  drops_.Revoke();
}

void TWendlixMainForm::SetDockSize(int width, int height) {
  const int size = DockSizeFor(Edge(), width, height);
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) AppToolBarImpl::SetDockSize(e, size);
}

void TWendlixMainForm::ArrangeBar() {
  live_.Follow();
  RECT client{};
  GetClientRect(Handle(), &client);
  std::vector<GroupOutside> outside(state_.Groups.size());
  {
    WindowDc dc(Handle());
    SelectObjectScope font(dc.get(), resources_.TitleFont());
    for (std::size_t i = 0; i < state_.Groups.size(); ++i) {
      const GroupPanel& g = state_.Groups[i];
      GroupOutside& o = outside[i];
      // A horizontal bar's band header holds the grip, the kind icon and the title.
      o.HeaderLength = Scale()(kBandGripThickness + 2);
      if (g.Data.ShowTitleIcon) o.HeaderLength += Scale()(18);
      if (g.Data.ShowTitle && !g.Data.Title.empty()) {
        const std::wstring title = ToWide(g.Data.Title);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), title.c_str(), static_cast<int>(title.size()), &size);
        o.HeaderLength += size.cx + Scale()(4);
      }
      o.PictureExists = g.Data.DrawStyle == 2 && PathExists(g.Data.PictureFile);
    }
  }
  const auto arrange = [&] {
    view_ = wendlix::ArrangeBar(state_.Groups, Edge(), Size{client.right, client.bottom},
                                state_.Settings.FlatDrawMode, outside, Scale(), ThemedSystemColor);
  };
  arrange();
  // A group shown from its saved order gets its folder's buttons as soon as its band shows one.
  if (ListSavedOrderGroups(true)) arrange();
  backgrounds_.Resize(static_cast<int>(state_.Groups.size()));
  for (std::size_t i = 0; i < view_.Appearances.size(); ++i) {
    backgrounds_.Update(static_cast<int>(i), view_.Appearances[i].Background);
  }
  if (view_.Arrangement.MinWidth) SetMinWidth(*view_.Arrangement.MinWidth);
  InvalidateRect(Handle(), nullptr, FALSE);
  accessible_.Rearranged();
}

bool TWendlixMainForm::FollowTheme() {
  if (!RefreshTheme(state_.Settings.Appearance)) return false;
  backgrounds_.Reset();
  ArrangeBar();
  // Drawn before the notice returns, and the bar's other windows with it.
  UpdateWindow(Handle());
  NotifyThemeChanged();
  return true;
}

BarHit TWendlixMainForm::HitTest(POINT client) const {
  return HitTestBar(view_, state_.Groups, Point{client.x, client.y});
}

void TWendlixMainForm::OnPaint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(Handle(), &ps);
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn off screen and copied in one step, so nothing flickers.
  if (auto buffer = MakeDibSection(client.right, client.bottom)) {
    unique_memory_dc memory(CreateCompatibleDC(dc));
    if (memory) {
      SelectObjectScope select(memory.get(), buffer->bitmap.get());
      IntersectClipRect(memory.get(), ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
      painter_.Paint(memory.get(), view_, state_.Groups, pointer_);
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, memory.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
  }
  EndPaint(Handle(), &ps);
  // Icons this paint had to leave blank are asked for now, off this thread.
  resources_.Icons().Flush();
  if (!painted_) {
    painted_ = true;
    PostMessageW(Handle(), BarLive::kStartMessage, 0, 0);
  }
}

void TWendlixMainForm::SetPointer(const BarPointer& pointer) {
  if (pointer.Hot == pointer_.Hot && pointer.Pressed == pointer_.Pressed) return;
  // Only the elements whose look changes are drawn again.
  for (const BarHit& hit : {pointer_.Hot, pointer_.Pressed, pointer.Hot, pointer.Pressed}) {
    const Rect r = HitBounds(view_, state_.Groups, hit);
    const RECT dirty{r.left, r.top, r.right, r.bottom};
    if (!IsRectEmpty(&dirty)) InvalidateRect(Handle(), &dirty, FALSE);
  }
  pointer_ = pointer;
}

void TWendlixMainForm::OnMouseMove(POINT client, WPARAM keys) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const MSG msg{Handle(), WM_MOUSEMOVE, keys, MAKELPARAM(client.x, client.y), 0, {}};
  const bool draggingBand = pointer_.Pressed.What == BarHit::Kind::kBandHeader && (keys & MK_LBUTTON);
  const BarHit hit = HitTest(client);
  if (!draggingBand) {
    // The tool is moved before the move is relayed, so the first move onto an element starts its hint.
    const Rect bounds = HitBounds(view_, state_.Groups, hit);
    tooltip_.Show(HitHint(view_, state_.Groups, hit),
                  RECT{bounds.left, bounds.top, bounds.right, bounds.bottom});
  }
  tooltip_.Relay(msg);
  if (draggingBand) {
    groups_.DragBand(client);
    return;
  }
  if (drops_.ButtonMouseMove(client, keys)) return;
  SetPointer({hit, pointer_.Pressed});
}

void TWendlixMainForm::OnMouseLeave() {
  trackingLeave_ = false;
  SetPointer({{}, pointer_.Pressed});
}

void TWendlixMainForm::OnLButtonDown(POINT client, WPARAM keys, bool doubleClick) {
  const BarHit hit = HitTest(client);
  using K = BarHit::Kind;
  if (doubleClick && hit.What == K::kGroup) return groups_.GroupDblClick(hit.Group);
  // Folder and collapse buttons open their menus on the press.
  if (launch_.PressOpensMenu(hit, ShiftFromMouseKeys(static_cast<std::uint32_t>(keys), false))) {
    SetPointer({hit, hit});
    launch_.ButtonMouseDown(hit);
    SetPointer({HitTest(client), {}});
    return;
  }
  if (hit.What == K::kGroupButton) drops_.ButtonPressed(client);
  switch (hit.What) {
    case K::kGroupButton:
    case K::kBtnTitle:
    case K::kBtnSys:
    case K::kBandHeader:
      SetCapture(Handle());
      SetPointer({hit, hit});
      break;
    default: break;
  }
}

void TWendlixMainForm::OnCaptionDblClick(POINT screen) {
  ScreenToClient(Handle(), &screen);
  const BarHit hit = HitTest(screen);
  if (hit.What == BarHit::Kind::kGroup) groups_.GroupDblClick(hit.Group);
}

void TWendlixMainForm::OnRButtonDown(POINT client) {
  // Ctrl with the right button drags a button out as a file too.
  const BarHit hit = HitTest(client);
  if (hit.What != BarHit::Kind::kGroupButton) return;
  drops_.ButtonPressed(client);
  SetPointer({hit, hit});
}

void TWendlixMainForm::ReleasePressed() {
  if (pointer_.Pressed.What != BarHit::Kind::kNone) SetPointer({pointer_.Hot, {}});
}

void TWendlixMainForm::OnContextMenu(POINT screen) {
  POINT client = screen;
  if (screen.x == -1 && screen.y == -1) {
    if (keyboard_.FocusedButtonMenu()) return;  // from the keyboard: the focused button's menu
    client = {0, 0};                            // or at the window's corner
  } else {
    ScreenToClient(Handle(), &client);
  }
  ShowContextMenu(client);
}

void TWendlixMainForm::OnLButtonUp(POINT client) {
  drops_.ButtonReleased();
  const BarHit pressed = pointer_.Pressed;
  const BarHit hit = HitTest(client);
  SetPointer({hit, {}});
  if (GetCapture() == Handle()) ReleaseCapture();
  groups_.EndBandDrag();
  // The press and the release on the same element make a click.
  if (pressed.What != BarHit::Kind::kNone && pressed == hit) Clicked(hit);
}

void TWendlixMainForm::Clicked(const BarHit& hit) {
  switch (hit.What) {
    case BarHit::Kind::kBtnTitle: {
      // The title button's drop-down menu opens beside it on a horizontal bar, below it otherwise.
      menus_.ShowMainMenu(MenuPointFor(hit, view_.Title.TitleMenu), TPM_LEFTALIGN | TPM_TOPALIGN);
      break;
    }
    case BarHit::Kind::kBtnSys: menus_.ShowSysMenu(); break;
    case BarHit::Kind::kGroupButton: launch_.LaunchClick(hit); break;
    default: break;
  }
}

LRESULT TWendlixMainForm::OnCopyData(HWND requester, LPARAM lp) {
  std::string query;
  if (!ReadBarQuery(lp, query)) return FALSE;
  const std::optional<std::string> answer = queries_.Answer(query);
  return answer ? AnswerBarQuery(Handle(), requester, *answer) : FALSE;
}

bool TWendlixMainForm::HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return menus_.HandleMenuMessage(msg, wp, lp, result) ||
         buttonMenu_.HandleMenuMessage(msg, wp, lp, result) || launch_.HandleMenuMessage(msg, wp, lp, result);
}

bool TWendlixMainForm::MenuOpen() const {
  return menus_.MenuOpen() || buttonMenu_.MenuOpen() || launch_.MenuOpen();
}

void TWendlixMainForm::RefreshGroupEntries() { menus_.RefreshGroupEntries(); }

void TWendlixMainForm::ShowContextMenu(POINT client) {
  using K = BarHit::Kind;
  const BarHit hit = HitTest(client);
  POINT screen = client;
  ClientToScreen(Handle(), &screen);
  switch (hit.What) {
    case K::kTitleStrip:
    case K::kBtnTitle:
    case K::kBtnSys:
      // The title strip's own menu is the system tweaks menu, where the pointer is.
      return menus_.ShowSysMenuAt(screen);
    case K::kBackground:
    case K::kBandHeader:
    case K::kNone: return menus_.ShowMainMenu(screen, TPM_LEFTALIGN | TPM_TOPALIGN);
    default:
      // Groups, their buttons and PanelBtn have the buttons menu.
      return buttonMenu_.ShowButtonMenu(hit, screen);
  }
}

}  // namespace wendlix
