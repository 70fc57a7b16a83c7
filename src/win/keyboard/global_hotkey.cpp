#include "win/keyboard/global_hotkey.h"

namespace wendlix {

static_assert(kHotKeyAlt == MOD_ALT && kHotKeyControl == MOD_CONTROL && kHotKeyShift == MOD_SHIFT &&
              kHotKeyWin == MOD_WIN);

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

HotKeyRegistration GlobalHotKey::Register(HWND window, const HotKey& key) {
  Unregister();
  if (key.None() || !window) return HotKeyRegistration::kNone;
  // A held hotkey would show the bar over and over; systems before Windows 7 refuse the flag.
  BOOL ok = RegisterHotKey(window, kId, key.Modifiers | MOD_NOREPEAT, key.Key);
  DWORD error = ok ? 0 : GetLastError();
  if (!ok && error != ERROR_HOTKEY_ALREADY_REGISTERED) {
    ok = RegisterHotKey(window, kId, key.Modifiers, key.Key);
    error = ok ? 0 : GetLastError();
  }
  if (!ok) {
    return error == ERROR_HOTKEY_ALREADY_REGISTERED ? HotKeyRegistration::kTaken
                                                    : HotKeyRegistration::kFailed;
  }
  window_ = window;
  return HotKeyRegistration::kRegistered;
}

void GlobalHotKey::Unregister() {
  if (!window_) return;
  UnregisterHotKey(window_, kId);
  window_ = nullptr;
}

}  // namespace wendlix
