// What the Win32 tests share: temporary folders and files, message pumps, windows of the
// test's own (on a desktop of their own where the shell's are stood in for), pixels read
// back from a DIB section, and the one driver for modal windows.
#pragma once
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "win/common/running_under_wine.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/paint/dib_section.h"

namespace wendlix::testing_support {

inline constexpr DWORD kLimitMs = 20000;  // how long any awaited condition may take

using wendlix::RunningUnderWine;

// A child id as the Active Accessibility calls take it.
inline VARIANT AccChild(LONG id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// ---- files

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return ok;
}

// A file's bytes, or "<missing>".
inline std::string ReadBytes(const std::string& path) {
  return platform::ReadWholeFile(path).value_or("<missing>");
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder under the user's temporary folder, removed with all its contents
// (whatever their attributes) at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    path_ = FromWide(temp) + "wendlix_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + "\\";
    CreateDirectoryW(ToWide(path_).c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(ToWide(path_)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }  // with a trailing backslash
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName, full = folder + name;
        if (name == L"." || name == L"..") continue;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(full + L"\\");
        else
          DeleteFileW(full.c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::string path_;
};

// `name` in the Windows folder ("" for the folder itself).
inline std::string WindowsPath(const std::string& name) {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return FromWide(folder) + (name.empty() ? "" : "\\" + name);
}

inline bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(ToWide(path).c_str(), nullptr) != 0;
}

// The names in `folder` (ending in a backslash) that match `pattern`, sorted: files only, or
// sub-folders too (never "." and "..").
inline std::vector<std::string> ListNames(const std::string& folder, const std::string& pattern,
                                          bool withFolders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  const HANDLE find = FindFirstFileW(ToWide(folder + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = FromWide(data.cFileName);
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!isFolder || (withFolders && name != "." && name != "..")) names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

inline std::vector<std::string> FileNames(const std::string& folder, const std::string& pattern = "*") {
  return ListNames(folder, pattern, false);
}

// Every name in `folder`, temporary files and sub-folders included.
inline std::vector<std::string> EntryNames(const std::string& folder) { return ListNames(folder, "*", true); }

// A file list as CF_HDROP and WM_DROPFILES carry it: the header, then wide names, each ended, and one
// more end.
inline std::string DropFilesBytes(const std::vector<std::string>& files) {
  std::wstring list;
  for (const std::string& f : files) list += ToWide(f) + L'\0';
  list += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) +
         std::string(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
}

// The arguments a program started with `commandLine` sees, as Windows splits them.
inline std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &count);
  std::vector<std::wstring> args;
  if (!argv) return args;
  for (int i = 0; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

// ---- messages

// Handles every message waiting in this thread's queue.
inline void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Hands each message of the thread to `onMessage` (dispatches it by default) until `done()`
// holds, checked after every message and every 20 ms; false when the limit ended it.
inline bool PumpUntil(const std::function<bool()>& done,
                      const std::function<void(const MSG&)>& onMessage = {}, DWORD limitMs = kLimitMs) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                              QS_ALLINPUT);
    MSG msg;
    while (!done() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (onMessage) {
        onMessage(msg);
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  return true;
}

// ---- windows

inline std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

// The text of a window read as another process would, through WM_GETTEXT.
inline std::string WindowText(HWND h) {
  wchar_t buffer[1024] = {};
  SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return FromWide(buffer);
}

// A visible window of a class of that name (registered here, with `proc`, unless it exists already).
inline HWND MakeWindow(const wchar_t* cls, HWND parent, DWORD style = WS_VISIBLE, RECT r = {0, 0, 10, 10},
                       WNDPROC proc = DefWindowProcW) {
  // A system class ("Button") is used as it is: a local class of that name would replace it
  // for every later test in the process.
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, cls, &wc)) {
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
  }
  return CreateWindowExW(0, cls, L"", (parent ? WS_CHILD : WS_POPUP) | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A window that only receives: posts and timers.
class MessageWindow {
 public:
  MessageWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WendlixTestMessageWindow";
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

// Calls `visit` on each top-level window of this thread until it answers false.
inline void ForEachThreadWindow(const std::function<bool(HWND)>& visit) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL { return (*reinterpret_cast<const std::function<bool(HWND)>*>(lp))(h); },
      reinterpret_cast<LPARAM>(&visit));
}

// A visible window of this thread of class `cls`; with `control`, only one holding that control.
inline HWND FindThreadWindow(const wchar_t* cls, int control = 0) {
  HWND found = nullptr;
  ForEachThreadWindow([&](HWND h) {
    if (ClassOf(h) == cls && IsWindowVisible(h) && (!control || GetDlgItem(h, control))) found = h;
    return !found;
  });
  return found;
}

// Runs `body` on a thread attached to a new desktop, so stand-ins for the shell's windows
// never meet the session's real ones. False when no such desktop could be had.
template <class Body>
bool RunOnOwnDesktop(const wchar_t* name, Body body) {
  struct Run {
    const wchar_t* name;
    Body* body;
    bool attached;
    static DWORD WINAPI Thread(void* param) {
      Run& r = *static_cast<Run*>(param);
      const HDESK desktop = CreateDesktopW(r.name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
      if (!desktop || !SetThreadDesktop(desktop)) return 1;
      r.attached = true;
      (*r.body)();
      return 0;
    }
  } run{name, &body, false};
  const HANDLE handle = CreateThread(nullptr, 0, Run::Thread, &run, 0, nullptr);
  if (!handle) return false;
  WaitForSingleObject(handle, INFINITE);
  CloseHandle(handle);
  return run.attached;
}

// The shell's windows stood in for by windows of their classes, made on the calling thread (on a
// desktop of the test's own: RunOnOwnDesktop) and destroyed with it.
struct StandInShell {
  StandInShell() = default;
  StandInShell(const StandInShell&) = delete;
  StandInShell& operator=(const StandInShell&) = delete;
  ~StandInShell() {
    DestroyWindow(tray);
    DestroyWindow(progman);
  }
  HWND tray = MakeWindow(L"Shell_TrayWnd", nullptr), start = MakeWindow(L"Button", tray);
  HWND progman = MakeWindow(L"Progman", nullptr), view = MakeWindow(L"ShellDll_DefView", progman);
};

// ---- pixels

// A top-down 32-bit DIB section selected into a memory DC, read back exactly.
struct Canvas {
  Canvas(int w, int h)
      : dib(MakeDibSection(w, h)), dc(CreateCompatibleDC(nullptr)), select(dc.get(), dib->bitmap.get()) {}
  HDC Dc() const { return dc.get(); }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = dib->bits[y * dib->width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void Fill(COLORREF color) {
    unique_hbrush brush(CreateSolidBrush(color));
    const RECT all{0, 0, dib->width, dib->height};
    FillRect(dc.get(), &all, brush.get());
    GdiFlush();
  }
  // The pixels (0x00RRGGBB) as a buffer over the same memory, drawn up to now.
  PixelBuffer Pixels() const {
    GdiFlush();
    return PixelBufferOver(dib);
  }
  int CountIn(const RECT& r, COLORREF c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }
  std::shared_ptr<DibSection> dib;
  unique_memory_dc dc;
  SelectObjectScope select;
};

// ---- modal windows

// Drives modal windows from inside their own loops: a thread timer runs the steps in turn,
// each after the messages the previous one posted were handled (timer messages come only when
// the queue is otherwise empty). A step answers true to go on to the next one. A script that
// stalls for about eight seconds, or one that ended with a window of the `closing` classes still
// open about four seconds later, closes that window, so a stuck window fails the test instead of
// hanging it.
class ModalScript {
 public:
  using Step = std::function<bool()>;
  explicit ModalScript(std::vector<Step> steps, std::vector<const wchar_t*> closing = {})
      : steps_(std::move(steps)), closing_(std::move(closing)), previous_(current_) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 15, &ModalScript::Tick);
  }
  ~ModalScript() {
    KillTimer(nullptr, timer_);
    current_ = previous_;
  }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  bool Finished() const { return next_ == steps_.size() && !leftOpen_; }
  bool Stuck() const { return next_ > steps_.size() || leftOpen_; }
  std::size_t StepReached() const { return next_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* self = current_;
    if (!self || self->running_) return;
    self->running_ = true;
    if (self->next_ < self->steps_.size()) {
      if (self->steps_[self->next_]()) {
        ++self->next_;
        self->waited_ = 0;
      } else if (++self->waited_ > 500) {
        self->next_ = self->steps_.size() + 1;  // stuck: never counts as finished
      }
    }
    const auto openWindow = [self]() -> HWND {
      for (const wchar_t* cls : self->closing_)
        if (const HWND w = FindThreadWindow(cls)) return w;
      return nullptr;
    };
    if (self->next_ == self->steps_.size() && openWindow() && ++self->waited_ > 250) self->leftOpen_ = true;
    if (self->Stuck()) {
      if (const HWND w = openWindow()) PostMessageW(w, WM_CLOSE, 0, 0);
    }
    self->running_ = false;
  }
  static inline ModalScript* current_ = nullptr;
  std::vector<Step> steps_;
  std::vector<const wchar_t*> closing_;
  ModalScript* previous_;
  std::size_t next_ = 0;
  int waited_ = 0;
  bool leftOpen_ = false;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

// A step that waits for a visible window of class `cls` of this thread and acts on it once.
inline ModalScript::Step OnWindow(const wchar_t* cls, std::function<void(HWND)> act) {
  return [cls, act = std::move(act)] {
    const HWND w = FindThreadWindow(cls);
    if (w) act(w);
    return w != nullptr;
  };
}

}  // namespace wendlix::testing_support
