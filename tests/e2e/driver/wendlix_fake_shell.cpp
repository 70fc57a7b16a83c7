// Stands in for the shell's own windows, which Wine lacks or keeps hidden: a topmost
// "Shell_TrayWnd" with a "Button" child (the start button) and a "Progman" with a
// "ShellDll_DefView" child (the desktop icons). The windows do nothing but exist.
//
//   wendlix_fake_shell.exe          makes the windows and runs until its "Progman" gets WM_CLOSE
//                                   (or ten minutes pass, so that a failed case leaves nothing)
//   wendlix_fake_shell.exe state    prints "VE VE VE VE" for taskbar, start button, desktop icons,
//                                   desktop: each window's own WS_VISIBLE bit and whether it is
//                                   enabled, 1 or 0, or "--" when missing; exit 1 when none exists
//   wendlix_fake_shell.exe restore  shows and enables all four (for a case's clean-up)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK TopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE && GetWindowLongPtrW(hwnd, GWLP_USERDATA) == 1) PostQuitMessage(0);
  if (msg == WM_ERASEBKGND) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    FillRect(reinterpret_cast<HDC>(wp), &rc, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Register(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TopProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
}

HWND Find(int which) {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  HWND progman = FindWindowW(L"Progman", nullptr);
  switch (which) {
    case 0: return tray;
    case 1: return tray ? FindWindowExW(tray, nullptr, L"Button", nullptr) : nullptr;
    case 2: return progman ? FindWindowExW(progman, nullptr, L"ShellDll_DefView", nullptr) : nullptr;
    default: return progman;
  }
}

int State() {
  std::string out;
  bool any = false;
  for (int i = 0; i < 4; ++i) {
    if (i) out += ' ';
    const HWND w = Find(i);
    if (!w) {
      out += "--";
      continue;
    }
    any = true;
    out += (GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) ? '1' : '0';
    out += IsWindowEnabled(w) ? '1' : '0';
  }
  std::printf("%s\n", out.c_str());
  return any ? 0 : 1;
}

int Restore() {
  for (int i = 0; i < 4; ++i) {
    if (const HWND w = Find(i)) {
      EnableWindow(w, TRUE);
      ShowWindow(w, SW_SHOWNA);
    }
  }
  return 0;
}

int Serve() {
  Register(L"Shell_TrayWnd");
  Register(L"Progman");
  Register(L"ShellDll_DefView");
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Small and out of the bar's way (it docks to the right): the desktop top left, the
  // taskbar below it.
  const HWND progman = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"Progman", L"Program Manager",
                                       WS_POPUP, 20, 20, 240, 160, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"ShellDll_DefView", L"", WS_CHILD | WS_VISIBLE, 10, 10, 220, 140, progman, nullptr,
                  instance, nullptr);
  const HWND tray = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"Shell_TrayWnd",
                                    L"", WS_POPUP, 20, 200, 240, 32, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"Button", L"Start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 2, 2, 60, 28, tray, nullptr,
                  instance, nullptr);
  if (!progman || !tray) return 1;
  // Shown without taking the focus: the keys a case types go to the bar's menus.
  ShowWindow(progman, SW_SHOWNA);
  ShowWindow(tray, SW_SHOWNA);
  SetWindowLongPtrW(progman, GWLP_USERDATA, 1);
  SetTimer(nullptr, 0, 10 * 60 * 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state") return State();
  if (command == L"restore") return Restore();
  if (command.empty()) return Serve();
  std::fprintf(stderr, "usage: wendlix_fake_shell [state|restore]\n");
  return 2;
}
