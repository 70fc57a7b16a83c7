// Start-up time of window programs, seen from outside: from CreateProcess to the first moment a
// visible top-level window of a given class exists, and to the moment its pixels on the screen
// differ from what was there before it appeared (its first paint). Each run closes the program with
// WM_CLOSE and waits for it to end. The programs take turns run by run, so that a machine's changing
// load falls on all of them alike. Prints every run, then per program the median and minimum, and one
// line "median NAME CREATED SHOWN PAINTED MEGABYTES" for scripts to read.
//   startup_bench.exe [-n RUNS] [-w WARMUPS] [-t SECONDS] [-i SECONDS] [-r HKCU_VALUE]
//                     NAME CLASS EXE [NAME CLASS EXE...]
// -i sets how long after the first paint the private memory is measured (default half a second).
// -r deletes that value (a path under HKEY_CURRENT_USER, its last part the value's name) before each
// start, so that a program that remembers where its files are reads the ones beside it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Program {
  std::wstring name, className, exe;
};

struct Options {
  int runs = 5;
  int warmups = 1;
  double timeoutSeconds = 60;
  double idleSeconds = 0.5;
  std::wstring forgetValue;
  std::vector<Program> programs;
};

// One run's figures in milliseconds from CreateProcess; absent when it never got that far.
struct Run {
  std::optional<double> created, shown, painted;
  std::optional<double> privateMb;  // committed private memory idleSeconds after the first paint
  bool exitedByItself = false;
};

class Clock {
 public:
  Clock() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Millis() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{}, start_{};
};

// The screen's pixels in a rectangle, read through the screen DC (which sees every process's windows).
class ScreenGrab {
 public:
  explicit ScreenGrab(const RECT& r) : rect_(r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
      HGDIOBJ old = SelectObject(mem, dib);
      BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
      GdiFlush();
      const auto* p = static_cast<const DWORD*>(bits);
      pixels_.assign(p, p + static_cast<size_t>(w) * h);
      SelectObject(mem, old);
      DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
  }
  // The colour at screen point (x, y), or nothing outside the grab.
  std::optional<DWORD> At(LONG x, LONG y) const {
    if (x < rect_.left || y < rect_.top || x >= rect_.right || y >= rect_.bottom || pixels_.empty())
      return {};
    return pixels_[static_cast<size_t>(y - rect_.top) * (rect_.right - rect_.left) + (x - rect_.left)] &
           0xFFFFFF;
  }

 private:
  RECT rect_;
  std::vector<DWORD> pixels_;
};

struct FindState {
  const wchar_t* className;
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<FindState*>(lParam);
  wchar_t name[256];
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == state->processId && GetClassNameW(hwnd, name, 256) && std::wcscmp(name, state->className) == 0) {
    state->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The process's top-level window of that class (another instance's does not count).
HWND FindWindowOf(const std::wstring& className, DWORD processId) {
  FindState state{className.c_str(), processId};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

bool ShowsNewPixels(HWND hwnd, const ScreenGrab& before) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) return false;
  const ScreenGrab now(r);
  for (LONG y = r.top; y < r.bottom; ++y) {
    for (LONG x = r.left; x < r.right; ++x) {
      const auto was = before.At(x, y), is = now.At(x, y);
      if (was && is && *was != *is) return true;
    }
  }
  return false;
}

// One argument as the C runtime splits command lines: quoted when it holds blanks or quotes.
std::wstring Quote(const std::wstring& s) {
  if (!s.empty() && s.find_first_of(L" \t\"") == std::wstring::npos) return s;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : s) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

// The process's committed private pages, walked with VirtualQueryEx: Wine reports no private-usage
// figure of its own.
double PrivateMegabytes(HANDLE process) {
  std::size_t bytes = 0;
  MEMORY_BASIC_INFORMATION info{};
  for (const char* at = nullptr; VirtualQueryEx(process, at, &info, sizeof(info)) == sizeof(info);
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) bytes += info.RegionSize;
    if (info.RegionSize == 0) break;
  }
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void Forget(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.substr(0, slash).c_str(), 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return;
  RegDeleteValueW(key, path.substr(slash + 1).c_str());
  RegCloseKey(key);
}

Run MeasureOnce(const Options& o, const Program& p) {
  Run run;
  if (!o.forgetValue.empty()) Forget(o.forgetValue);
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const ScreenGrab before(screen);
  std::wstring commandLine = Quote(p.exe);
  // The program starts in its own folder, as from a shortcut.
  const size_t slash = p.exe.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : p.exe.substr(0, slash + 1);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  const Clock clock;
  if (!CreateProcessW(p.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    std::fprintf(stderr, "startup_bench: cannot start %ls (error %lu)\n", p.exe.c_str(), GetLastError());
    return run;
  }
  CloseHandle(pi.hThread);
  HWND hwnd = nullptr;
  const double limit = o.timeoutSeconds * 1000;
  while (clock.Millis() < limit && !run.painted) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    if (!hwnd) {
      hwnd = FindWindowOf(p.className, pi.dwProcessId);
      if (hwnd) run.created = clock.Millis();
    }
    if (hwnd && !run.shown && IsWindowVisible(hwnd)) run.shown = clock.Millis();
    if (run.shown && ShowsNewPixels(hwnd, before)) run.painted = clock.Millis();
    if (!run.painted) Sleep(1);
  }
  if (run.painted) {
    Sleep(static_cast<DWORD>(o.idleSeconds * 1000));
    run.privateMb = PrivateMegabytes(pi.hProcess);
  }
  if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    run.exitedByItself = hwnd && code == 0;
  } else {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  CloseHandle(pi.hProcess);
  // Let the screen settle where the window was before the next run takes its "before" picture.
  Sleep(300);
  return run;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Summary(const char* what, std::vector<double> values, int runs, const char* unit = "ms") {
  if (values.empty()) {
    std::printf("  %-14s never reached in %d runs\n", what, runs);
    return;
  }
  std::sort(values.begin(), values.end());
  std::printf("  %-14s median %8.1f %s, min %8.1f %s, max %8.1f %s (%zu of %d runs)\n", what,
              values[values.size() / 2], unit, values.front(), unit, values.back(), unit, values.size(),
              runs);
}

std::optional<Options> Parse(int argc, wchar_t** argv) {
  Options o;
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == L'-'; i += 2) {
    const std::wstring flag = argv[i];
    const double value = std::wcstod(argv[i + 1], nullptr);
    if (flag == L"-n" && value >= 1)
      o.runs = static_cast<int>(value);
    else if (flag == L"-w" && value >= 0)
      o.warmups = static_cast<int>(value);
    else if (flag == L"-t" && value > 0)
      o.timeoutSeconds = value;
    else if (flag == L"-i" && value >= 0)
      o.idleSeconds = value;
    else if (flag == L"-r")
      o.forgetValue = argv[i + 1];
    else
      return {};
  }
  if (argc - i < 3 || (argc - i) % 3 != 0) return {};
  for (; i < argc; i += 3) o.programs.push_back({argv[i], argv[i + 1], argv[i + 2]});
  return o;
}

struct Figures {
  std::vector<double> created, shown, painted, memory;
  bool allClosed = true;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const auto options = Parse(argc, argv);
  if (!options) {
    std::fprintf(
        stderr,
        "usage: startup_bench.exe [-n RUNS] [-w WARMUPS] [-t SECONDS] [-i SECONDS] [-r HKCU_VALUE] NAME CLASS EXE "
        "[NAME CLASS EXE...]\n");
    return 2;
  }
  const Options& o = *options;
  std::printf("%zu programs taking turns: %d runs each after %d warm-up\n", o.programs.size(), o.runs,
              o.warmups);
  for (int i = 0; i < o.warmups; ++i)
    for (const auto& p : o.programs) MeasureOnce(o, p);
  std::vector<Figures> figures(o.programs.size());
  for (int i = 0; i < o.runs; ++i) {
    for (size_t k = 0; k < o.programs.size(); ++k) {
      const Run r = MeasureOnce(o, o.programs[k]);
      auto show = [](const std::optional<double>& v) { return v ? *v : -1.0; };
      std::printf("  run %2d %-16ls window created %8.1f ms, shown %8.1f ms, first paint %8.1f ms%s\n", i + 1,
                  o.programs[k].name.c_str(), show(r.created), show(r.shown), show(r.painted),
                  r.exitedByItself ? "" : " (did not close cleanly)");
      Figures& f = figures[k];
      if (r.created) f.created.push_back(*r.created);
      if (r.shown) f.shown.push_back(*r.shown);
      if (r.painted) f.painted.push_back(*r.painted);
      if (r.privateMb) f.memory.push_back(*r.privateMb);
      f.allClosed = f.allClosed && r.exitedByItself;
    }
    std::fflush(stdout);
  }
  bool allGood = true;
  for (size_t k = 0; k < o.programs.size(); ++k) {
    const Figures& f = figures[k];
    std::printf("%ls (%ls, window class %ls)\n", o.programs[k].name.c_str(), o.programs[k].exe.c_str(),
                o.programs[k].className.c_str());
    Summary("window created", f.created, o.runs);
    Summary("window shown", f.shown, o.runs);
    Summary("first paint", f.painted, o.runs);
    Summary("private memory", f.memory, o.runs, "MB");
    allGood = allGood && static_cast<int>(f.painted.size()) == o.runs && f.allClosed;
  }
  for (size_t k = 0; k < o.programs.size(); ++k) {
    const Figures& f = figures[k];
    std::printf("median %ls %.1f %.1f %.1f %.2f\n", o.programs[k].name.c_str(), Median(f.created),
                Median(f.shown), Median(f.painted), Median(f.memory));
  }
  std::fflush(stdout);
  return allGood ? 0 : 1;
}
