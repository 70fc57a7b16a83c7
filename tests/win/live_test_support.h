// Support for the live folder tests: a message-only window that receives the watcher's
// posts and timers, a pump that runs until a condition holds or a generous limit ends, and
// readable failure messages.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <ostream>

#include "win/live/folder_watcher.h"

namespace wendlix {

inline void PrintTo(const LiveRename& r, std::ostream* os) { *os << r.From << " -> " << r.To; }
inline void PrintTo(const FolderWatcher::Counts& c, std::ostream* os) {
  *os << "{folders " << c.Folders << ", anchors " << c.Anchors << ", open " << c.OpenDirectories
      << ", polled " << c.Polled << "}";
}

}  // namespace wendlix

namespace wendlix::testing_support {

inline constexpr UINT kLiveMessage = WM_APP + 41;
inline constexpr UINT_PTR kLiveTimer = 77;
inline constexpr DWORD kLiveLimitMs = 20000;

class MessageWindow {
 public:
  MessageWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WendlixLiveTestWindow";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                            nullptr);
  }
  ~MessageWindow() { DestroyWindow(hwnd_); }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// Hands each message of the thread to `onMessage` until `done()` holds, checked after every
// message; false when the limit ended it.
inline bool PumpUntil(const std::function<bool()>& done, const std::function<void(const MSG&)>& onMessage,
                      DWORD limitMs = kLiveLimitMs) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    // Some conditions change without a message: looked at every 20 ms as well.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                              QS_ALLINPUT);
    MSG msg;
    while (!done() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) onMessage(msg);
  }
  return true;
}

}  // namespace wendlix::testing_support
