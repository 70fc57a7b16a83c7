// A subclass of a window another object owns, as one C++ object: attached with the object
// as its reference data, every message goes to its HandleMessage, and it comes off when the
// object ends or the window is destroyed, whichever comes first. No exception leaves the
// subclass procedure.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace wendlix {

class WindowSubclass {
 public:
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

 protected:
  WindowSubclass() = default;
  virtual ~WindowSubclass() { Detach(); }

  // Moves the subclass to `hwnd`; false when Windows refused it.
  bool Attach(HWND hwnd) {
    Detach();
    if (!hwnd ||
        !SetWindowSubclass(hwnd, &WindowSubclass::SubclassProc, Id(), reinterpret_cast<DWORD_PTR>(this)))
      return false;
    hwnd_ = hwnd;
    return true;
  }
  void Detach() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &WindowSubclass::SubclassProc, Id());
    hwnd_ = nullptr;
  }

  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(hwnd_, msg, wp, lp); }

 private:
  // One subclass per object: the object's address tells them apart on one window.
  UINT_PTR Id() const noexcept { return reinterpret_cast<UINT_PTR>(this); }

  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowSubclass*>(data);
    if (msg == WM_NCDESTROY) {
      RemoveWindowSubclass(hwnd, &WindowSubclass::SubclassProc, id);
      self->hwnd_ = nullptr;
      return DefSubclassProc(hwnd, msg, wp, lp);
    }
    try {
      return self->HandleMessage(msg, wp, lp);
    } catch (...) {
      // A failing handler must not take the window down; the message counts as handled.
      return 0;
    }
  }

  HWND hwnd_ = nullptr;
};

}  // namespace wendlix
