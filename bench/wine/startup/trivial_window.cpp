// The plain program the bar's start-up is compared with: one borderless window of the given size at
// the right screen edge, filled with one colour by its class brush, and the usual message loop.
//   trivial_window.exe [WIDTH [HEIGHT]]   (default 86 x the screen height)
#include "plain_window.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int width = plain::Argument(1, 86);
  const int height = plain::Argument(2, GetSystemMetrics(SM_CYSCREEN));
  HWND hwnd = plain::CreateBarWindow(instance, L"WendlixTrivialWindow", WindowProc, 0,
                                     {screenWidth - width, 0, screenWidth, height});
  return hwnd ? plain::ShowAndRun(hwnd) : 1;
}
