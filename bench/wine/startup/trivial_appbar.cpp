// The floor of the bar's start-up: the least an application desktop toolbar must do before it shows.
// One borderless tool window of the given width, registered with the shell and docked at the right
// edge (ABM_NEW, ABM_QUERYPOS, ABM_SETPOS), filled by its class brush, and the usual message loop.
//   trivial_appbar.exe [WIDTH]   (default 86)
#include "plain_window.h"

#include <shellapi.h>

namespace {

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
  const int width = plain::Argument(1, 86);
  HWND hwnd =
      plain::CreateBarWindow(instance, L"WendlixTrivialAppbar", WindowProc, WS_EX_TOPMOST, {0, 0, width, 0});
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
  return plain::ShowAndRun(hwnd);
}
