#include "win/keyboard/bar_keyboard.h"

#include "core/keyboard/hotkey_texts.h"
#include "win/accessible/bar_accessibility.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/keyboard/hotkey_dialog.h"
#include "win/ui/p_messages.h"

namespace wendlix {

bool BarKeyboard::HotKeyPressed(WPARAM id) {
  if (!hotKey_.Matches(id)) return false;
  OnHotKey();
  return true;
}

void BarKeyboard::ReportHotKeyTaken() {
  AutoHideHold hold(bar_.Toolbar());
  ShowWarningBox(HotKeyTakenText(state_.Settings.HotKey), kHotKeyCaption);
}

bool BarKeyboard::KeyDown(unsigned vk, bool system) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  // Alt combinations stay the system's; F10 comes as a system key, with Shift it is ours.
  if (system && !(vk == VK_F10 && shift)) return false;
  if (BarKeyFor(vk, shift).What == BarKeyAction::Kind::kNone) return false;
  OnBarKey(vk);
  return true;
}

bool BarKeyboard::KeyUp(unsigned vk) {
  // The release of a key whose press opened the menu must not open the window's own.
  if ((vk == VK_APPS || vk == VK_F10) && menuKeyDown_) {
    menuKeyDown_ = false;
    return true;
  }
  return false;
}

bool BarKeyboard::Char(wchar_t c) {
  if (!IsWindowEnabled(bar_.Handle()) || bar_.MenuOpen() || GetCapture()) return false;
  if (!find_.IsOpen()) {
    focusBeforeFind_ = focus_;
    startedBeforeFind_ = launch_.Started();
  }
  return find_.Typed(c);
}

void BarKeyboard::FindClosed(FindBoxEnd why) {
  if (why == FindBoxEnd::kLaunched && HandBackIfStarted(startedBeforeFind_)) return;
  if (GetForegroundWindow() == bar_.Handle()) {
    // The keyboard is back on the bar, the focus where it was.
    if (keyboard_.Active()) SetFocusButton(focusBeforeFind_);
  } else {
    // Another window took the activation from the box: as if from the bar.
    Deactivated(nullptr);
  }
}

void BarKeyboard::FocusLost() { SetFocusButton({}); }

void BarKeyboard::Deactivated(HWND to) {
  if (to && to == find_.Box()) return;
  // Another window took the activation: the bar no longer holds itself out.
  keyboard_.End();
  SetFocusButton({});
}

void BarKeyboard::Stop() {
  find_.Close();
  keyboard_.End();
  hotKey_.Unregister();
}

void BarKeyboard::RegisterStoredHotKey() {
  const std::optional<HotKey> key = ParseHotKey(state_.Settings.HotKey);
  // A damaged stored value: the bar goes without, and the value stays as it was.
  if (!key) return hotKey_.Unregister();
  const HotKeyRegistration got = hotKey_.Register(bar_.Handle(), *key);
  // The default taken by another program is no news to the user; a chosen one is.
  const bool chosen = state_.Settings.HotKeyStored && !(*key == kDefaultHotKey);
  if (got == HotKeyRegistration::kTaken && chosen) PostMessageW(bar_.Handle(), kHotKeyTakenMessage, 0, 0);
}

void BarKeyboard::ChooseHotKey() {
  std::optional<std::string> chosen;
  {
    AutoHideHold hold(bar_.Toolbar());
    chosen = ShowHotKeyDialog(bar_.Handle(), state_.Settings.HotKey);
  }
  if (!chosen) return;
  state_.Settings.HotKey = *chosen;
  state_.Settings.HotKeyStored = true;
  const std::optional<HotKey> key = ParseHotKey(*chosen);
  if (key && hotKey_.Register(bar_.Handle(), *key) == HotKeyRegistration::kTaken) {
    AutoHideHold hold(bar_.Toolbar());
    ShowWarningBox(HotKeyTakenText(*chosen), kHotKeyCaption);
  }
}

void BarKeyboard::OnHotKey() {
  // Not while a dialog, a box or a menu of the bar is open: it has the keyboard.
  if (!IsWindowEnabled(bar_.Handle()) || bar_.MenuOpen()) return;
  if (find_.IsOpen()) {
    find_.Close();
    return GiveKeyboardBack();
  }
  if (keyboard_.Active() && GetForegroundWindow() == bar_.Handle()) return GiveKeyboardBack();
  keyboard_.Begin();
  const BarView& view = bar_.View();
  if (focus_.None()) {
    SetFocusButton(
        MoveFocus(FocusableButtons(view, state_.Groups), view.CoolBarVertical, {}, FocusMove::kFirst));
  }
}

void BarKeyboard::GiveKeyboardBack() {
  SetFocusButton({});
  keyboard_.GiveBack();
}

bool BarKeyboard::HandBackIfStarted(unsigned startedBefore) {
  // The started program may never take the foreground (a tray tool, a program that starts
  // minimized, a document handed to a program already running): the bar must not keep the
  // keyboard waiting for it, or the next hotkey would end the session instead of calling the
  // bar up. A program that does take the foreground later still gets it.
  if (launch_.Started() == startedBefore) return false;
  GiveKeyboardBack();
  return true;
}

void BarKeyboard::OnBarKey(unsigned vk) {
  const BarKeyAction action = BarKeyFor(vk, GetKeyState(VK_SHIFT) < 0);
  using K = BarKeyAction::Kind;
  switch (action.What) {
    case K::kMove: {
      const BarView& view = bar_.View();
      SetFocusButton(
          MoveFocus(FocusableButtons(view, state_.Groups), view.CoolBarVertical, focus_, action.Move));
      break;
    }
    case K::kActivate: ActivateFocused(); break;
    case K::kButtonMenu:
      menuKeyDown_ = true;
      if (!FocusedButtonMenu()) bar_.ShowContextMenu(POINT{0, 0});
      break;
    case K::kGiveBack: GiveKeyboardBack(); break;
    case K::kNone: break;
  }
}

void BarKeyboard::SetFocusButton(BarFocus focus) {
  if (focus == focus_) return;
  for (BarFocus f : {focus_, focus}) {
    const Rect r = HitBounds(bar_.View(), state_.Groups, FocusHit(f));
    const RECT dirty{r.left, r.top, r.right, r.bottom};
    if (!IsRectEmpty(&dirty)) InvalidateRect(bar_.Handle(), &dirty, FALSE);
  }
  focus_ = focus;
  const BarHit hit = FocusHit(focus);
  painter_.SetFocused(hit);
  NotifyBarFocus(bar_, hit);
}

void BarKeyboard::ActivateFocused() {
  const std::vector<FocusGroup> buttons = FocusableButtons(bar_.View(), state_.Groups);
  if (MoveFocus(buttons, bar_.View().CoolBarVertical, focus_, FocusMove::kFirst).None()) return;
  // A focus that went stale (the group was filled again) first lands on a button.
  BarFocus f = focus_;
  bool known = false;
  for (const FocusGroup& g : buttons)
    for (const FocusButton& b : g.Buttons) known = known || b.Focus == f;
  if (!known) return SetFocusButton(MoveFocus(buttons, bar_.View().CoolBarVertical, {}, FocusMove::kFirst));
  const unsigned started = launch_.Started();
  launch_.Activate(FocusHit(f));
  HandBackIfStarted(started);
}

bool BarKeyboard::FocusedButtonMenu() {
  const BarHit hit = FocusHit(focus_);
  const Rect r = HitBounds(bar_.View(), state_.Groups, hit);
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  POINT screen{r.left, r.bottom};
  ClientToScreen(bar_.Handle(), &screen);
  buttonMenu_.ShowButtonMenu(hit, screen);
  return true;
}

void BarKeyboard::AddQueries(QueryTable& table) {
  table.Add("keyboard", [this](std::string_view) { return Describe(); });
}

std::string BarKeyboard::Describe() const {
  const bool foreground = GetForegroundWindow() == bar_.Handle();
  const std::string hotKey = hotKey_.Registered()
                                 ? FormatHotKey(ParseHotKey(state_.Settings.HotKey).value_or(HotKey{}))
                                 : std::string();
  const char* kind = focus_.Kind == FocusKind::kOverflow         ? ",overflow"
                     : focus_.Kind == FocusKind::kCollapsedGroup ? ",collapsed"
                                                                 : "";
  return "focus=" + std::to_string(focus_.Group) + "," + std::to_string(focus_.Button) + kind +
         " session=" + (keyboard_.Active() ? "1" : "0") + " foreground=" + (foreground ? "1" : "0") +
         " hotkey=" + hotKey;
}

}  // namespace wendlix
