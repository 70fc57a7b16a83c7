#include "win/find/find_box.h"

#include <imm.h>

#include <algorithm>
#include <optional>

#include "core/accessible/find_box_accessible.h"
#include "core/find/find_texts.h"
#include "win/appbar/monitors.h"
#include "win/common/wide.h"
#include "win/paint/theme_win.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

using ImmGetContextFn = HIMC(WINAPI*)(HWND);
using ImmReleaseContextFn = BOOL(WINAPI*)(HWND, HIMC);
using ImmSetCompositionWindowFn = BOOL(WINAPI*)(HIMC, LPCOMPOSITIONFORM);

// The input method functions, from imm32 when the process has it loaded (user32 loads it
// wherever input methods exist); without them typing works, the composition just stands
// where the system puts it.
template <typename Fn>
Fn ImmFunction(const char* name) {
  HMODULE imm = GetModuleHandleW(L"imm32.dll");
  return imm ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(imm, name))) : nullptr;
}

std::optional<FindBoxKey> KeyOf(UINT vk) {
  switch (vk) {
    case VK_UP: return FindBoxKey::kUp;
    case VK_DOWN: return FindBoxKey::kDown;
    case VK_PRIOR: return FindBoxKey::kPageUp;
    case VK_NEXT: return FindBoxKey::kPageDown;
    case VK_HOME: return FindBoxKey::kHome;
    case VK_END: return FindBoxKey::kEnd;
    case VK_RETURN: return FindBoxKey::kEnter;
    case VK_ESCAPE: return FindBoxKey::kEscape;
    case VK_BACK: return FindBoxKey::kBackspace;
    default: return std::nullopt;
  }
}

}  // namespace

FindBox::FindBox(Callbacks callbacks)
    : callbacks_(std::move(callbacks)),
      accessible_([this] { return FindBoxAccessibleTree(model_, layout_); }, [](int) {}) {}

FindBox::~FindBox() { Close(); }

bool FindBox::Open(FindBoxRequest request, std::wstring_view typed) {
  Close();
  announced_.reset();
  announcedStatus_ = FindBoxStatus::kRows;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassOnce(wc)) return false;

  dpi_ = request.Dpi > 0 ? ValidDpi(request.Dpi) : WindowDpi(request.Owner);
  MakeFonts();
  int textHeight = 0;
  {
    WindowDc screen(nullptr);
    SelectObjectScope selectFont(screen.get(), font_.get());
    TEXTMETRICW tm{};
    if (GetTextMetricsW(screen.get(), &tm)) textHeight = tm.tmHeight;
  }
  const MonitorList monitors = EnumMonitors();
  const Rect work = monitors[MonitorForRect(monitors, request.Bar)].work;
  layout_ = LayoutFindBox(DpiScale(dpi_), textHeight, SizeOf(work));
  screenRect_ = PlaceFindBox(request.Bar, request.Edge, work, layout_.Box);

  std::vector<FindCandidate> candidates;
  candidates.reserve(request.Entries.size());
  entries_.clear();
  entries_.reserve(request.Entries.size());
  for (FindBoxEntry& e : request.Entries) {
    candidates.push_back(std::move(e.Candidate));
    entries_.emplace_back(e.Icon, e.Id);
  }
  model_ = FindBoxModel(std::move(candidates), layout_.VisibleRows);

  const std::wstring title = ToWide(kFindBoxTitle);
  if (!CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, title.c_str(), WS_POPUP, screenRect_.left,
                    screenRect_.top, screenRect_.Width(), screenRect_.Height(), request.Owner, instance)) {
    Release();
    return false;
  }
  Type(typed);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(Handle());
  return true;
}

void FindBox::Type(std::wstring_view typed) {
  if (!IsOpen()) return;
  for (wchar_t c : typed) OnChar(c);
}

void FindBox::Add(std::vector<FindBoxEntry> entries) {
  if (!IsOpen() || entries.empty()) return;
  std::vector<FindCandidate> candidates;
  candidates.reserve(entries.size());
  entries_.reserve(entries_.size() + entries.size());
  for (FindBoxEntry& e : entries) {
    candidates.push_back(std::move(e.Candidate));
    entries_.emplace_back(e.Icon, e.Id);
  }
  model_.Add(std::move(candidates));
  Changed();
}

void FindBox::RefreshIcons(const std::function<FindBoxIcon(std::uint64_t id)>& iconOf) {
  bool changed = false;
  for (auto& [icon, id] : entries_) {
    if ((icon.List && icon.Index >= 0) || icon.Icon) continue;
    icon = iconOf(id);
    changed = changed || (icon.List && icon.Index >= 0) || icon.Icon;
  }
  if (changed) Changed();
}

void FindBox::Close() {
  if (!IsOpen() || closing_) return;
  closing_ = true;
  DestroyWindow(Handle());
  closing_ = false;
}

std::string FindBox::Describe() const {
  if (!IsOpen()) return {};
  RECT r{};
  GetWindowRect(Handle(), &r);
  return model_.Describe() + "rect\t" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + "\ndpi\t" + std::to_string(dpi_) + "\n";
}

void FindBox::Finish(FindBoxEnd end, const std::uint64_t* launchId) {
  // The window goes first, so that the activation is back with the owner before it acts;
  // nothing of this object is touched after the callbacks, which may destroy it.
  const std::uint64_t id = launchId ? *launchId : 0;
  const Callbacks callbacks = callbacks_;
  Close();
  if (launchId && callbacks.Launch) callbacks.Launch(id);
  if (callbacks.Closed) callbacks.Closed(end);
}

void FindBox::Act(FindBoxAction action) {
  if (action.What == FindBoxAction::Kind::kClose) return Finish(FindBoxEnd::kCancelled, nullptr);
  if (action.What == FindBoxAction::Kind::kLaunch && action.Candidate < entries_.size()) {
    const std::uint64_t id = entries_[action.Candidate].second;
    return Finish(FindBoxEnd::kLaunched, &id);
  }
  Changed();
}

void FindBox::Changed() {
  InvalidateRect(Handle(), nullptr, FALSE);
  // A screen reader speaks the chosen row as it moves (or its button changes under it while typing),
  // and the status line when it takes the list's place.
  std::optional<std::pair<std::size_t, std::size_t>> chosen;
  if (const std::optional<std::size_t> row = model_.Selected())
    chosen.emplace(*row, model_.CandidateAt(*row));
  if (chosen && chosen != announced_) {
    NotifyAccessible(EVENT_OBJECT_FOCUS, Handle(), FindBoxRowItem(chosen->first));
    NotifyAccessible(EVENT_OBJECT_SELECTION, Handle(), FindBoxRowItem(chosen->first));
  }
  announced_ = chosen;
  const FindBoxStatus status = model_.Status();
  if (status != FindBoxStatus::kRows && status != announcedStatus_) {
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, Handle(), FindBoxRowItem(0));
  }
  announcedStatus_ = status;
}

void FindBox::OnKeyDown(UINT vk) {
  if (const std::optional<FindBoxKey> key = KeyOf(vk)) Act(model_.Key(*key));
}

void FindBox::OnChar(wchar_t c) {
  // Characters beyond the first plane come as two halves.
  if (c >= 0xD800 && c <= 0xDBFF) {
    highSurrogate_ = c;
    return;
  }
  std::wstring text;
  if (c >= 0xDC00 && c <= 0xDFFF) {
    if (!highSurrogate_) return;
    text = {highSurrogate_, c};
  } else {
    text = {c};
  }
  highSurrogate_ = 0;
  const std::string before = model_.Query();
  model_.Type(FromWide(text));
  if (model_.Query() == before) return;
  NotifyAccessible(EVENT_OBJECT_VALUECHANGE, Handle(), 0);
  Changed();
}

void FindBox::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int perNotch = lines == WHEEL_PAGESCROLL ? model_.VisibleRows() : static_cast<int>(lines);
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches != 0 && model_.Scroll(-notches * perNotch)) Changed();
}

int FindBox::CaretTop() const { return layout_.Query.top + DpiScale(dpi_)(4); }

int FindBox::RowAt(int x, int y) const {
  const Rect& list = layout_.List;
  if (x < list.left || x >= list.right || y < list.top || y >= list.bottom) return -1;
  return (y - list.top) / layout_.RowHeight;
}

void FindBox::PlaceComposition() {
  static const auto getContext = ImmFunction<ImmGetContextFn>("ImmGetContext");
  static const auto releaseContext = ImmFunction<ImmReleaseContextFn>("ImmReleaseContext");
  static const auto setWindow = ImmFunction<ImmSetCompositionWindowFn>("ImmSetCompositionWindow");
  if (!getContext || !releaseContext || !setWindow || !Handle()) return;
  // The window's input context, handed back when this ends.
  struct InputContext {
    HWND window;
    HIMC himc;
    ~InputContext() {
      if (himc) releaseContext(window, himc);
    }
  } const context{Handle(), getContext(Handle())};
  if (!context.himc) return;
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = POINT{caretX_, CaretTop()};
  setWindow(context.himc, &form);
}

void FindBox::Release() {
  model_ = FindBoxModel();
  entries_.clear();
  sizedIcons_.clear();
  font_.reset();
  titleFont_.reset();
  highSurrogate_ = 0;
  wheelRest_ = 0;
  pressedRow_ = -1;
}

LRESULT FindBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  if (msg == ThemeChangedMessage()) {
    InvalidateRect(Handle(), nullptr, FALSE);
    return 0;
  }
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (dc) Paint(dc);
      EndPaint(Handle(), &ps);
      // Painting measured the query: the caret and an input method's composition follow its end.
      if (caret_) SetCaretPos(caretX_, CaretTop());
      PlaceComposition();
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SETFOCUS: {
      const int height = layout_.Query.Height() - 2 * (CaretTop() - layout_.Query.top);
      caret_ = CreateCaret(Handle(), nullptr, DpiScale(dpi_)(1), std::max(height, 1)) != FALSE;
      if (caret_) {
        SetCaretPos(caretX_, CaretTop());
        ShowCaret(Handle());
      }
      return 0;
    }
    case WM_KILLFOCUS:
      if (caret_) DestroyCaret();
      caret_ = false;
      return 0;
    case WM_IME_STARTCOMPOSITION: PlaceComposition(); return Default(msg, wp, lp);
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return 0;
    case WM_CHAR: OnChar(static_cast<wchar_t>(wp)); return 0;
    case WM_MOUSEMOVE:
      if (model_.Hover(RowAt(x, y))) Changed();
      return 0;
    case WM_LBUTTONDOWN:
      pressedRow_ = RowAt(x, y);
      if (model_.Hover(pressedRow_)) Changed();
      return 0;
    case WM_LBUTTONUP: {
      const int row = RowAt(x, y);
      const bool same = row >= 0 && row == pressedRow_;
      pressedRow_ = -1;
      if (same) Act(model_.Click(row));
      return 0;
    }
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp)); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) return Default(msg, wp, lp);  // takes the focus
      // A box hidden already is being destroyed (its owner going away takes it along): nothing to tell.
      if (!closing_ && IsWindowVisible(Handle())) Finish(FindBoxEnd::kDeactivated, nullptr);
      return 0;
    case WM_CLOSE: Finish(FindBoxEnd::kCancelled, nullptr); return 0;
    case WM_GETOBJECT: {
      const std::optional<LRESULT> object = accessible_.GetObject(Handle(), wp, lp);
      return object ? *object : Default(msg, wp, lp);
    }
    case WM_DESTROY:
      if (caret_) DestroyCaret();
      caret_ = false;
      return 0;
    case WM_NCDESTROY: Release(); return Default(msg, wp, lp);
    default: return Default(msg, wp, lp);
  }
}

}  // namespace wendlix
