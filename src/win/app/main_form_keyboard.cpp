// The main window and the keyboard: the global hotkey that calls the bar up and gives the
// foreground back, the focused button moved by the arrows and Tab, and Enter, the
// context-menu key and Escape acting on it. Decisions come from core/keyboard/keyboard_focus.h.
#include <windows.h>

#include "core/keyboard/hotkey_texts.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/app/main_form.h"
#include "win/keyboard/hotkey_dialog.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// Posted when a hotkey the user chose could not be had at start-up: the message waits until
// the window is up.
constexpr UINT kHotKeyTakenMessage = WM_APP + 30;

BarHit ButtonHit(BarFocus f) {
  return f.None() ? BarHit{} : BarHit{BarHit::Kind::kGroupButton, f.Group, f.Button};
}

}  // namespace

bool TWendlixMainForm::HandleKeyboardMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  (void)lp;
  result = 0;
  switch (msg) {
    case WM_HOTKEY:
      if (!hotKey_.Matches(wp)) return false;
      OnHotKey();
      return true;
    case kHotKeyTakenMessage: {
      AutoHideHold hold(*this);
      ShowWarningBox(HotKeyTakenText(state_.Settings.HotKey), kHotKeyCaption);
      return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const bool shift = GetKeyState(VK_SHIFT) < 0;
      // Alt combinations stay the system's; F10 comes as a system key, with Shift it is ours.
      if (msg == WM_SYSKEYDOWN && !(wp == VK_F10 && shift)) return false;
      if (BarKeyFor(static_cast<unsigned>(wp), shift).What == BarKeyAction::Kind::kNone) return false;
      OnBarKey(static_cast<unsigned>(wp));
      return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // The release of a key whose press opened the menu must not open the window's own.
      if ((wp == VK_APPS || wp == VK_F10) && menuKeyDown_) {
        menuKeyDown_ = false;
        return true;
      }
      return false;
    case WM_KILLFOCUS:
      SetFocusButton({});
      return false;
    case WM_ACTIVATE:
      // Another window took the activation: the bar no longer holds itself out.
      if (LOWORD(wp) == WA_INACTIVE) {
        keyboard_.End();
        SetFocusButton({});
      }
      return false;
    default:
      return false;
  }
}

void TWendlixMainForm::RegisterStoredHotKey() {
  const std::optional<HotKey> key = ParseHotKey(state_.Settings.HotKey);
  // A damaged stored value: the bar goes without, and the value stays as it was.
  if (!key) return hotKey_.Unregister();
  const HotKeyRegistration got = hotKey_.Register(Handle(), *key);
  // The default taken by another program is no news to the user; a chosen one is.
  const bool chosen = state_.Settings.HotKeyStored && !(*key == kDefaultHotKey);
  if (got == HotKeyRegistration::kTaken && chosen) PostMessageW(Handle(), kHotKeyTakenMessage, 0, 0);
}

void TWendlixMainForm::ChooseHotKey() {
  std::optional<std::string> chosen;
  {
    AutoHideHold hold(*this);
    chosen = ShowHotKeyDialog(Handle(), state_.Settings.HotKey);
  }
  if (!chosen) return;
  state_.Settings.HotKey = *chosen;
  state_.Settings.HotKeyStored = true;
  const std::optional<HotKey> key = ParseHotKey(*chosen);
  if (key && hotKey_.Register(Handle(), *key) == HotKeyRegistration::kTaken) {
    AutoHideHold hold(*this);
    ShowWarningBox(HotKeyTakenText(*chosen), kHotKeyCaption);
  }
}

void TWendlixMainForm::OnHotKey() {
  // Not while a dialog, a box or a menu of the bar is open: it has the keyboard.
  if (!IsWindowEnabled(Handle()) || MenuOpen()) return;
  if (keyboard_.Active() && GetForegroundWindow() == Handle()) return GiveKeyboardBack();
  keyboard_.Begin();
  if (focus_.None()) {
    SetFocusButton(MoveFocus(FocusableButtons(view_, state_.Groups), view_.CoolBarVertical, {}, FocusMove::kFirst));
  }
}

void TWendlixMainForm::GiveKeyboardBack() {
  SetFocusButton({});
  keyboard_.GiveBack();
}

void TWendlixMainForm::OnBarKey(unsigned vk) {
  const BarKeyAction action = BarKeyFor(vk, GetKeyState(VK_SHIFT) < 0);
  using K = BarKeyAction::Kind;
  switch (action.What) {
    case K::kMove:
      SetFocusButton(
          MoveFocus(FocusableButtons(view_, state_.Groups), view_.CoolBarVertical, focus_, action.Move));
      break;
    case K::kActivate:
      ActivateFocused();
      break;
    case K::kButtonMenu:
      menuKeyDown_ = true;
      if (!FocusedButtonMenu()) ShowContextMenu(POINT{0, 0});
      break;
    case K::kGiveBack:
      GiveKeyboardBack();
      break;
    case K::kNone:
      break;
  }
}

void TWendlixMainForm::SetFocusButton(BarFocus focus) {
  if (focus == focus_) return;
  for (BarFocus f : {focus_, focus}) {
    const Rect r = HitBounds(view_, state_.Groups, ButtonHit(f));
    const RECT dirty{r.left, r.top, r.right, r.bottom};
    if (!IsRectEmpty(&dirty)) InvalidateRect(Handle(), &dirty, FALSE);
  }
  focus_ = focus;
  painter_.SetFocused(ButtonHit(focus));
}

void TWendlixMainForm::ActivateFocused() {
  const std::vector<FocusGroup> buttons = FocusableButtons(view_, state_.Groups);
  if (MoveFocus(buttons, view_.CoolBarVertical, focus_, FocusMove::kFirst).None()) return;
  // A focus that went stale (the group was filled again) first lands on a button.
  BarFocus f = focus_;
  bool known = false;
  for (const FocusGroup& g : buttons)
    for (const FocusButton& b : g.Buttons) known = known || (g.Group == f.Group && b.Button == f.Button);
  if (!known) return SetFocusButton(MoveFocus(buttons, view_.CoolBarVertical, {}, FocusMove::kFirst));
  const BarHit hit = ButtonHit(f);
  // The same paths as the mouse: folder and collapse buttons open their menus, others launch.
  if (launch_.PressOpensMenu(hit, {})) {
    SetPointer({pointer_.Hot, hit});
    launch_.ButtonMouseDown(hit);
    SetPointer({pointer_.Hot, {}});
    return;
  }
  Clicked(hit);
}

bool TWendlixMainForm::FocusedButtonMenu() {
  const BarHit hit = ButtonHit(focus_);
  const Rect r = HitBounds(view_, state_.Groups, hit);
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  POINT screen{r.left, r.bottom};
  ClientToScreen(Handle(), &screen);
  buttonMenu_.ShowButtonMenu(hit, screen);
  return true;
}

std::optional<std::string> TWendlixMainForm::KeyboardQuery(const std::string& query) const {
  if (query != "keyboard") return std::nullopt;
  const bool foreground = GetForegroundWindow() == Handle();
  const std::string hotKey =
      hotKey_.Registered() ? FormatHotKey(ParseHotKey(state_.Settings.HotKey).value_or(HotKey{})) : std::string();
  return "focus=" + std::to_string(focus_.Group) + "," + std::to_string(focus_.Button) +
         " session=" + (keyboard_.Active() ? "1" : "0") + " foreground=" + (foreground ? "1" : "0") +
         " hotkey=" + hotKey;
}

}  // namespace wendlix
