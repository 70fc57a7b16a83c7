#include "win/diagnostics/leak_probe.h"

#include <cwchar>

#include "core/bar/group_visibility.h"
#include "win/app/main_form.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/diagnostics/test_switches.h"
#include "win/inspect/bar_query.h"

namespace wendlix {
namespace {

constexpr UINT kProbeRunMessage = WM_APP + 77;
constexpr UINT kProbeCloseMessage = WM_APP + 78;
constexpr UINT_PTR kCloserTimer = 0x5742;
// A pump never spins on a window that keeps asking to be painted.
constexpr int kMaxPumpedMessages = 1000;

struct EditorSearch {
  HWND Owner = nullptr;
  HWND Found = nullptr;
};

// The editor is the visible window the bar owns that is neither its tooltip nor a menu.
BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<EditorSearch*>(lp);
  if (hwnd == search->Owner || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER) != search->Owner)
    return TRUE;
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (std::wcscmp(cls, L"tooltips_class32") == 0 || std::wcscmp(cls, L"#32768") == 0) return TRUE;
  search->Found = hwnd;
  return FALSE;
}

class CloserTimer {
 public:
  explicit CloserTimer(HWND hwnd) : hwnd_(hwnd) {
    SetTimer(hwnd_, kCloserTimer, USER_TIMER_MINIMUM, nullptr);
  }
  ~CloserTimer() { KillTimer(hwnd_, kCloserTimer); }
  CloserTimer(const CloserTimer&) = delete;
  CloserTimer& operator=(const CloserTimer&) = delete;

 private:
  HWND hwnd_;
};

std::string Done(const ProbeCommand& command, const std::string& more = {}) {
  std::string text = "done ";
  text += ProbeName(command.Kind);
  text += ' ';
  text += std::to_string(command.Count);
  if (!more.empty()) text += ' ' + more;
  return text;
}

int FirstBand(const std::vector<GroupPanel>& groups) {
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].Data.Visible && !groups[i].Data.ShowAsButton) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::unique_ptr<LeakProbe> LeakProbe::FromEnvironment(TWendlixMainForm& form) {
  return TestSwitchesEnabled() ? std::make_unique<LeakProbe>(form) : nullptr;
}

bool LeakProbe::HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  try {
    switch (msg) {
      case WM_COPYDATA:
        if (!Request(hwnd, reinterpret_cast<HWND>(wp), lp)) return false;
        result = TRUE;
        return true;
      case kProbeRunMessage: {
        if (!pending_ || running_) return true;
        const ProbeCommand command = *pending_;
        pending_.reset();
        running_ = true;
        std::string answer;
        try {
          answer = Run(hwnd, command);
        } catch (...) {
          answer = "failed " + std::string(ProbeName(command.Kind));
        }
        running_ = false;
        closing_ = Closing::kNone;
        AnswerBarQuery(hwnd, requester_, answer);
        result = 0;
        return true;
      }
      case kProbeCloseMessage:
        CloseWhatIsOpen(hwnd);
        result = 0;
        return true;
      case WM_TIMER:
        if (wp != kCloserTimer) return false;
        CloseWhatIsOpen(hwnd);
        result = 0;
        return true;
      default: return false;
    }
  } catch (...) {
    result = 0;
    return true;
  }
}

bool LeakProbe::Request(HWND hwnd, HWND requester, LPARAM lp) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  if (!data || data->dwData != kProbeMagic) return false;
  if (data->cbData > 256 || !data->lpData) {
    AnswerBarQuery(hwnd, requester, "refused: bad request");
    return true;
  }
  const std::string text(static_cast<const char*>(data->lpData), data->cbData);
  const std::optional<ProbeCommand> command = ParseProbeCommand(text);
  if (!command) {
    AnswerBarQuery(hwnd, requester, "refused: bad request " + text);
  } else if (running_ || pending_) {
    AnswerBarQuery(hwnd, requester, "refused: busy");
  } else if (PostMessageW(hwnd, kProbeRunMessage, 0, 0)) {
    pending_ = command;
    requester_ = requester;
  } else {
    AnswerBarQuery(hwnd, requester, "refused: cannot post");
  }
  return true;
}

void LeakProbe::PumpPending() {
  MSG m;
  for (int i = 0; i < kMaxPumpedMessages && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the bar's own loop
      return;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

void LeakProbe::CloseWhatIsOpen(HWND hwnd) {
  switch (closing_) {
    case Closing::kMenu:
      if (EndMenu()) closedThisOpening_ = true;
      break;
    case Closing::kEditor: {
      EditorSearch search{hwnd, nullptr};
      EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
      // Closing by its frame is a Cancel, for a window of its own as for a dialog.
      if (search.Found && PostMessageW(search.Found, WM_CLOSE, 0, 0)) closedThisOpening_ = true;
      break;
    }
    case Closing::kNone: break;
  }
}

template <typename Open>
void LeakProbe::OpenAndDismiss(HWND hwnd, Closing what, Open open) {
  // The posted message reaches the menu's or the editor's own loop once it runs; the timer tries
  // again in case the first try came too early.
  closing_ = what;
  closedThisOpening_ = false;
  CloserTimer timer(hwnd);
  PostMessageW(hwnd, kProbeCloseMessage, 0, 0);
  open();
  closing_ = Closing::kNone;
  if (closedThisOpening_) ++closed_;
}

std::string LeakProbe::Slides(HWND hwnd, const ProbeCommand& command) {
  if (!form_.AutoHide()) return "refused: the bar does not hide";
  AutoHideHold hold(form_);  // the timer must not slide it meanwhile
  const int interval = form_.AutoHideInterval();
  if (command.Arg) form_.SetAutoHideInterval(*command.Arg);
  long long frames = 0;
  for (int i = 0; i < command.Count && IsWindow(hwnd); ++i) {
    form_.SlideAutoHide(i % 2 == 1);
    frames += form_.LastSlideFrameCount();
    PumpPending();
  }
  form_.SetAutoHideInterval(interval);
  return Done(command, "frames " + std::to_string(frames));
}

std::string LeakProbe::Run(HWND hwnd, const ProbeCommand& command) {
  if (command.Kind == ProbeKind::kSlides) return Slides(hwnd, command);
  std::vector<GroupPanel>& groups = form_.state_.Groups;
  RECT window{};
  GetWindowRect(hwnd, &window);
  const POINT middle{(window.left + window.right) / 2, (window.top + window.bottom) / 2};
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  closed_ = 0;
  for (int i = 0; i < command.Count && IsWindow(hwnd); ++i) {
    switch (command.Kind) {
      case ProbeKind::kMainMenu:
        OpenAndDismiss(hwnd, Closing::kMenu,
                       [&] { form_.menus_.ShowMainMenu(middle, TPM_LEFTALIGN | TPM_TOPALIGN); });
        break;
      case ProbeKind::kSysMenu:
        OpenAndDismiss(hwnd, Closing::kMenu, [&] { form_.menus_.ShowSysMenu(); });
        break;
      case ProbeKind::kBtnMenu: {
        const int band = FirstBand(groups);
        if (band < 0) return "refused: no group shows as a band";
        OpenAndDismiss(hwnd, Closing::kMenu, [&] {
          form_.buttonMenu_.ShowButtonMenu(BarHit{BarHit::Kind::kGroup, band}, middle);
        });
        break;
      }
      case ProbeKind::kRebuild:
        for (GroupPanel& g : groups)
          if (g.Data.Visible && !g.Data.ShowAsButton) form_.FillGroup(g);
        form_.RefreshGroupEntries();
        form_.ArrangeBar();
        UpdateWindow(hwnd);
        break;
      case ProbeKind::kCollapse: {
        const int band = FirstBand(groups);
        if (band < 0 || VisibleBandCount(groups) < 2) return "refused: fewer than two bands";
        const int tag = groups[band].Tag;
        form_.groups_.GroupDblClick(band);
        UpdateWindow(hwnd);
        PumpPending();
        form_.groups_.GroupMenuItemClick(tag);
        UpdateWindow(hwnd);
        break;
      }
      case ProbeKind::kDisplay:
        SendMessageW(hwnd, WM_DISPLAYCHANGE, 32,
                     MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
        break;
      case ProbeKind::kTaskbar:
        if (taskbarCreated) SendMessageW(hwnd, taskbarCreated, 0, 0);
        break;
      case ProbeKind::kEditor: {
        const int band = FirstBand(groups);
        if (band < 0) return "refused: no group shows as a band";
        OpenAndDismiss(hwnd, Closing::kEditor, [&] { form_.buttonMenu_.S5Click(band); });
        break;
      }
      case ProbeKind::kSlides: break;
    }
    PumpPending();
  }
  const bool opens = command.Kind == ProbeKind::kMainMenu || command.Kind == ProbeKind::kSysMenu ||
                     command.Kind == ProbeKind::kBtnMenu || command.Kind == ProbeKind::kEditor;
  // An opening that showed nothing to dismiss proves nothing: the batch says so instead of "done".
  if (opens && closed_ != command.Count) {
    return "failed " + std::string(ProbeName(command.Kind)) + ": dismissed " + std::to_string(closed_) +
           " of " + std::to_string(command.Count);
  }
  return Done(command, opens ? "dismissed " + std::to_string(closed_) : std::string());
}

}  // namespace wendlix
