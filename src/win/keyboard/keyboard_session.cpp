#include "win/keyboard/keyboard_session.h"

namespace wendlix {
namespace {

// The topmost ordinary window other than the bar: shown, enabled, not a tool window.
HWND NextInLine(HWND bar) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == bar || !IsWindowVisible(w) || !IsWindowEnabled(w)) continue;
    if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) continue;
    return w;
  }
  return GetShellWindow();
}

}  // namespace

void KeyboardSession::Begin() {
  const HWND bar = bar_.Handle();
  if (!bar) return;
  if (!active_) {
    const HWND foreground = GetForegroundWindow();
    previous_ = foreground != bar ? foreground : nullptr;
    bar_.HoldShown(true);
    active_ = true;
  }
  if (bar_.AutoHide() && !bar_.ShowRequested()) bar_.SlideAutoHide(true);
  SetForegroundWindow(bar);
  SetFocus(bar);
}

void KeyboardSession::GiveBack() {
  const HWND back = previous_;
  const HWND bar = bar_.Handle();
  End();
  // A window that took the foreground meanwhile (a program just started) keeps it.
  const HWND foreground = GetForegroundWindow();
  if (!bar || (foreground && foreground != bar && GetWindow(foreground, GW_OWNER) != bar)) return;
  if (back && IsWindow(back) && IsWindowVisible(back)) {
    SetForegroundWindow(back);
  } else if (const HWND next = NextInLine(bar)) {
    // Nothing to return to: the next window in line takes it, or the desktop, so the bar can hide.
    SetForegroundWindow(next);
  }
}

void KeyboardSession::End() {
  if (!active_) return;
  active_ = false;
  previous_ = nullptr;
  bar_.HoldShown(false);
}

}  // namespace wendlix
