// The bar called up by its hotkey: shown (slid out when hidden), held shown and given the
// foreground and the keyboard focus, with the window that had the foreground remembered so
// that Escape or the hotkey again can give it back and let the bar hide again.
#pragma once
#include <windows.h>

#include "win/appbar/app_tool_bar.h"

namespace wendlix {

class KeyboardSession {
 public:
  explicit KeyboardSession(AppToolBarImpl& bar) : bar_(bar) {}
  KeyboardSession(const KeyboardSession&) = delete;
  KeyboardSession& operator=(const KeyboardSession&) = delete;
  ~KeyboardSession() { End(); }

  bool Active() const { return active_; }

  void Begin();
  // The foreground back to the remembered window (or the desktop when it is gone), unless a
  // window other than the bar's took it meanwhile.
  void GiveBack();
  // The bar lost the activation by other means: it stops holding itself shown.
  void End();

 private:
  AppToolBarImpl& bar_;
  HWND previous_ = nullptr;
  bool active_ = false;
};

}  // namespace wendlix
