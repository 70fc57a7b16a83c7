// The floor of the bar's start-up: the least an application desktop toolbar must do before it shows.
// One borderless tool window of the given size, registered with the shell and docked at the right
// edge (ABM_NEW, ABM_QUERYPOS, ABM_SETPOS), filled by its class brush, and the usual message loop.
//   trivial_appbar.exe [WIDTH]   (default 86)
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"WendlixTrivialAppbar";
constexpr UINT kCallback = WM_APP + 1;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    APPBARDATA abd{};
    abd.cbSize = sizeof(abd);
    abd.hWnd = hwnd;
    SHAppBarMessage(ABM_REMOVE, &abd);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const int argc = __argc;
  wchar_t** argv = __wargv;
  const int asked = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 0;
  const int width = asked > 0 && asked < 10000 ? asked : 86;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(58, 110, 165));
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"trivial appbar", WS_POPUP, 0, 0,
                              width, 0, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  APPBARDATA abd{};
  abd.cbSize = sizeof(abd);
  abd.hWnd = hwnd;
  abd.uCallbackMessage = kCallback;
  abd.uEdge = ABE_RIGHT;
  if (!SHAppBarMessage(ABM_NEW, &abd)) return 1;
  abd.rc = {GetSystemMetrics(SM_CXSCREEN) - width, 0, GetSystemMetrics(SM_CXSCREEN),
            GetSystemMetrics(SM_CYSCREEN)};
  SHAppBarMessage(ABM_QUERYPOS, &abd);
  abd.rc.left = abd.rc.right - width;  // the shell may move the right side in; the width is ours
  SHAppBarMessage(ABM_SETPOS, &abd);
  SetWindowPos(hwnd, nullptr, abd.rc.left, abd.rc.top, abd.rc.right - abd.rc.left, abd.rc.bottom - abd.rc.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
