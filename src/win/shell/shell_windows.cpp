#include "win/shell/shell_windows.h"

#include <vector>

#include "core/shell/windows_version.h"
#include "core/text/paths.h"
#include "win/common/wide.h"

namespace wendlix {

namespace {

// The chain of window classes from a top-level window down to the wanted one.
struct ShellWindowPath {
  const wchar_t* steps[3];
};

constexpr ShellWindowPath kShellWindowPaths[] = {
    {{L"Shell_TrayWnd", nullptr, nullptr}},
    {{L"Shell_TrayWnd", L"TrayNotifyWnd", nullptr}},
    {{L"Shell_TrayWnd", L"Button", nullptr}},
    {{L"Shell_TrayWnd", L"ReBarWindow32", nullptr}},
    {{L"Shell_TrayWnd", L"TrayNotifyWnd", L"TrayClockWClass"}},
    {{L"Progman", L"ShellDll_DefView", nullptr}},
    {{L"Progman", nullptr, nullptr}},
};

}  // namespace

HWND FindShellWindow(std::uint16_t which) {
  if (which >= std::size(kShellWindowPaths)) return nullptr;
  const ShellWindowPath& path = kShellWindowPaths[which];
  HWND window = FindWindowW(path.steps[0], nullptr);
  for (int i = 1; i < 3 && window && path.steps[i]; ++i)
    window = FindWindowExW(window, nullptr, path.steps[i], nullptr);
  return window;
}

void HideShellWindow(std::uint16_t which, bool hide) {
  if (HWND window = FindShellWindow(which)) ShowWindow(window, hide ? SW_HIDE : SW_SHOW);
}

void DisableShellWindow(std::uint16_t which, bool disable) {
  if (HWND window = FindShellWindow(which)) EnableWindow(window, !disable);
}

const std::string& AppRegistryKey() {
  static const std::string key = [] {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return std::string("Software\\Holmvik\\Wendlix");
      if (n < buffer.size()) return "Software\\Holmvik\\" + ExtractFileBaseName(FromWide({buffer.data(), n}));
      if (buffer.size() >= 32768) return std::string("Software\\Holmvik\\Wendlix");
      buffer.resize(buffer.size() * 2);
    }
  }();
  return key;
}

int GetWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (!GetVersionExW(&info)) return MapWindowsVersion(VER_PLATFORM_WIN32_NT, 0);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return MapWindowsVersion(info.dwPlatformId, info.dwMinorVersion);
}

}  // namespace wendlix
