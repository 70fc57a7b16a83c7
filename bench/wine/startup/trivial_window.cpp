// The plain program the bar's start-up is compared with: one borderless window of the given size at
// the right screen edge, filled with one colour by its class brush, and the usual message loop.
//   trivial_window.exe [WIDTH [HEIGHT]]   (default 86 x the screen height)
#include <windows.h>

#include <cstdlib>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"WendlixTrivialWindow";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int Argument(int argc, wchar_t** argv, int index, int fallback) {
  if (index >= argc) return fallback;
  const int value = static_cast<int>(std::wcstol(argv[index], nullptr, 10));
  return value > 0 && value < 10000 ? value : fallback;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The C runtime's split of the command line: no shell32, which a plain program would not load.
  const int argc = __argc;
  wchar_t** argv = __wargv;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int width = Argument(argc, argv, 1, 86);
  const int height = Argument(argc, argv, 2, GetSystemMetrics(SM_CYSCREEN));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(58, 110, 165));
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"trivial", WS_POPUP, screenWidth - width, 0,
                              width, height, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
