// The bar's global hotkey registered with the system on the bar's window: WM_HOTKEY arrives
// there with the id given.
#pragma once
#include <windows.h>

#include "core/keyboard/hotkey.h"

namespace wendlix {

enum class HotKeyRegistration { kNone, kRegistered, kTaken, kFailed };

class GlobalHotKey {
 public:
  static constexpr int kId = 0x5748;

  GlobalHotKey() = default;
  GlobalHotKey(const GlobalHotKey&) = delete;
  GlobalHotKey& operator=(const GlobalHotKey&) = delete;
  ~GlobalHotKey() { Unregister(); }

  // Gives up the current one, then registers `key` on `window` (none registers nothing).
  // kTaken: another program (or window) holds the combination.
  HotKeyRegistration Register(HWND window, const HotKey& key);
  void Unregister();
  bool Registered() const { return window_ != nullptr; }
  bool Matches(WPARAM id) const { return window_ && static_cast<int>(id) == kId; }

 private:
  HWND window_ = nullptr;
};

}  // namespace wendlix
