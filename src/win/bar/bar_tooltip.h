// The bar's hints: one tooltip whose single tool follows the element under the pointer,
// so drawn buttons show their captions like windows with tooltips would.
#pragma once
#include <windows.h>

#include <string>

#include "win/common/unique_handle.h"
#include "win/common/window_subclass.h"

namespace wendlix {

// Takes the colours of the current look, and again whenever the look changes.
class BarTooltip : private WindowSubclass {
 public:
  // Makes the tooltip window for `owner`; without one, hints stay off.
  void Create(HWND owner);
  // The hint for the element at `bounds` (client coordinates); an empty text hides it.
  void Show(const std::string& text, const RECT& bounds);
  // Passes a mouse message on, so the tooltip times its appearance.
  void Relay(const MSG& msg);
  // While suppressed (a menu or dialog of the bar is open) the hint is hidden and none comes up,
  // not even one whose delay was already running; the next Show after it brings hints back.
  void Suppress(bool suppressed);
  HWND Window() const { return tip_.get(); }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void ApplyLook();

  HWND owner_ = nullptr;
  unique_hwnd tip_;
  std::wstring text_;
  RECT bounds_{};
  bool suppressed_ = false;
  bool ownColors_ = false;  // the light look keeps the system's tooltip untouched
};

}  // namespace wendlix
