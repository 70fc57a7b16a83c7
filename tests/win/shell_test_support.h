// Support for the Win32 services' tests: a temporary folder per test, stand-in shell
// windows on a desktop of the test's own, and whether the system under test is Wine
// (for its known differences).
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win/common/wide.h"

namespace wendlix::testing_support {

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

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

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

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A visible window of a class of that name (registered here unless the system owns it).
inline HWND MakeWindow(const wchar_t* cls, HWND parent) {
  // A system class ("Button") is used as it is: a local class of that name would replace it
  // for every later test in the process.
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, cls, &wc)) {
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
  }
  return CreateWindowExW(0, cls, L"", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 10, 10, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
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

}  // namespace wendlix::testing_support
