// One window class, one C++ class: the object is stored at WM_NCCREATE, every message
// goes to its HandleMessage, and the link is cleared at WM_NCDESTROY, after which
// OnFinalMessage runs. No exception leaves the window procedure.
#pragma once
#include <windows.h>

namespace wendlix {

template <typename Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  virtual ~BaseWindow() {
    if (hwnd_) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
  }

  HWND Handle() const noexcept { return hwnd_; }

 protected:
  // Registers Derived::kClassName once per process; `wc` brings the rest (instance,
  // cursor, background), not the procedure.
  static bool RegisterClassOnce(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = Derived::kClassName;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
    wc.lpfnWndProc = &BaseWindow::WindowProc;
    return RegisterClassExW(&wc) != 0;
  }

  HWND CreateHandle(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                    HWND owner, HINSTANCE instance) {
    return CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, width, height, owner, nullptr,
                           instance, this);
  }

  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;

  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

  // The window is gone, however it went (a window goes with its owner); nothing of it is
  // touched after this. An object that owns itself frees itself here. Not called from
  // the destructor.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BaseWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    try {
      result = self->HandleMessage(msg, wp, lp);
    } catch (...) {
      // An error in a handler is dropped and the message counts as handled (a failed
      // close query must not fall through to closing); the bar carries on.
      result = 0;
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      self->OnFinalMessage();
    }
    return result;
  }

  HWND hwnd_ = nullptr;
};

}  // namespace wendlix
