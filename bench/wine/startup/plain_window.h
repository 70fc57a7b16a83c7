// What the two plain programs share: a borderless tool window filled by its class brush, and the loop.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace plain {

// The command line's INDEXth argument as a size, as the C runtime split it (no shell32 for that).
inline int Argument(int index, int fallback) {
  if (index >= __argc) return fallback;
  const int value = static_cast<int>(std::wcstol(__wargv[index], nullptr, 10));
  return value > 0 && value < 10000 ? value : fallback;
}

inline HWND CreateBarWindow(HINSTANCE instance, const wchar_t* className, WNDPROC proc, DWORD exStyle,
                            RECT r) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(58, 110, 165));
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) return nullptr;
  return CreateWindowExW(WS_EX_TOOLWINDOW | exStyle, className, className, WS_POPUP, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
}

inline int ShowAndRun(HWND hwnd) {
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}

}  // namespace plain
