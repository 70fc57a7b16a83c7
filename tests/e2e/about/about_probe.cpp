// about_probe OUTDIR: a checkered window at the centre of the screen and a hidden window
// "WendlixAboutProbe" that opens the About window on WM_COMMAND 1. Writes OUTDIR\snapshot.bmp
// and appends "snapshot", "opened N" and "closed N" lines to OUTDIR\events.txt.
// about_probe --record FILE ARGS...: writes the number of arguments and each on a line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win/bar_menu/bar_menu_commands.h"
#include "win/paint/about_form.h"

namespace {

std::wstring g_out;

void Append(const std::wstring& file, const std::string& line) {
  if (FILE* f = _wfopen(file.c_str(), L"ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
  }
}

void WriteBmp(const std::wstring& file, const wendlix::PixelBuffer& image) {
  const int w = image.Width(), h = image.Height(), stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof(ih);
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = static_cast<DWORD>(stride) * h;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(ih);
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = image.At(x, y);
      unsigned char* out = &rows[static_cast<std::size_t>(h - 1 - y) * stride + x * 3];
      out[0] = p & 0xFF, out[1] = (p >> 8) & 0xFF, out[2] = (p >> 16) & 0xFF;
    }
  if (FILE* f = _wfopen(file.c_str(), L"wb")) {
    std::fwrite(&fh, sizeof(fh), 1, f);
    std::fwrite(&ih, sizeof(ih), 1, f);
    std::fwrite(rows.data(), 1, rows.size(), f);
    std::fclose(f);
  }
}

struct Observer : wendlix::AboutObserver {
  void Snapshot(const wendlix::PixelBuffer& screen) override {
    WriteBmp(g_out + L"\\snapshot.bmp", screen);
    Append(g_out + L"\\events.txt", "snapshot");
  }
  void TransitionDone(bool closing, int repaints) override {
    Append(g_out + L"\\events.txt", (closing ? "closed " : "opened ") + std::to_string(repaints));
  }
} g_observer;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == 1) {
    wendlix::ShowAboutWindow(hwnd, &wendlix::H2Click, &g_observer);
    return 0;
  }
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    // Squares of four colours with a diagonal line: any misplaced pixel shows.
    static const COLORREF kColors[] = {RGB(230, 60, 40), RGB(40, 160, 70), RGB(250, 200, 30),
                                       RGB(60, 80, 200)};
    for (int y = 0; y < client.bottom; y += 25)
      for (int x = 0; x < client.right; x += 25) {
        HBRUSH b = CreateSolidBrush(kColors[(x / 25 + 2 * (y / 25)) % 4]);
        const RECT r{x, y, x + 25, y + 25};
        FillRect(dc, &r, b);
        DeleteObject(b);
      }
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, client.right, client.bottom);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int Record(int argc, wchar_t** argv) {
  std::string text = std::to_string(argc - 3);
  for (int i = 3; i < argc; ++i) {
    char buf[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, buf, sizeof(buf) - 1, nullptr, nullptr);
    text += "\n";
    text += buf;
  }
  Append(argv[2], text);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wstring(argv[1]) == L"--record") return Record(argc, argv);
  if (argc < 2) return 2;
  g_out = argv[1];
  const HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW probe{};
  probe.lpfnWndProc = ProbeProc;
  probe.hInstance = inst;
  probe.lpszClassName = L"WendlixAboutProbe";
  WNDCLASSW backdrop{};
  backdrop.lpfnWndProc = BackdropProc;
  backdrop.hInstance = inst;
  backdrop.lpszClassName = L"WendlixAboutBackdrop";
  backdrop.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&probe);
  RegisterClassW(&backdrop);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  CreateWindowExW(0, L"WendlixAboutBackdrop", L"backdrop", WS_POPUP | WS_VISIBLE, (sw - 600) / 2,
                  (sh - 400) / 2, 600, 400, nullptr, nullptr, inst, nullptr);
  CreateWindowExW(WS_EX_TOOLWINDOW, L"WendlixAboutProbe", L"probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                  inst, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
