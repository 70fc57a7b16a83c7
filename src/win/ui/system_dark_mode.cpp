#include "win/ui/system_dark_mode.h"

#include "win/common/running_under_wine.h"
#include "win/paint/theme_win.h"

namespace wendlix {
namespace {

// uxtheme's exports by ordinal; the numbers hold only on the builds DarkModeCallsFor names.
constexpr WORD kRefreshImmersiveColorPolicyState = 104;
constexpr WORD kAllowDarkModeForWindow = 133;
constexpr WORD kSetPreferredAppMode = 135;
constexpr WORD kFlushMenuThemes = 136;
constexpr int kAppModeDefault = 0;
constexpr int kAppModeForceDark = 2;

bool wentDark = false;

std::uint32_t WindowsBuild() {
  using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  // GetVersionEx lies to programs without a manifest entry for the running Windows; this does not.
  const auto get =
      ntdll ? reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return get && get(&info) == 0 ? info.dwBuildNumber : 0;
}

template <class F>
F Ordinal(HMODULE module, WORD ordinal) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

HMODULE UxTheme() {
  static const HMODULE module = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module;
}

}  // namespace

const DarkModeCalls& SystemDarkModeCalls() {
  static const DarkModeCalls calls = DarkModeCallsFor(WindowsBuild(), RunningUnderWine());
  return calls;
}

void SetProcessDarkMode(bool dark) {
  if (!dark && !wentDark) return;
  wentDark = wentDark || dark;
  const DarkModeCalls& calls = SystemDarkModeCalls();
  if (!calls.WindowOptIn || !UxTheme()) return;
  if (calls.PreferredAppMode) {
    if (const auto set = Ordinal<int(WINAPI*)(int)>(UxTheme(), kSetPreferredAppMode))
      set(dark ? kAppModeForceDark : kAppModeDefault);
  }
  if (const auto refresh = Ordinal<void(WINAPI*)()>(UxTheme(), kRefreshImmersiveColorPolicyState)) refresh();
  if (const auto flush = Ordinal<void(WINAPI*)()>(UxTheme(), kFlushMenuThemes)) flush();
}

void SetDarkTitleBar(HWND window, bool dark) {
  if ((!dark && !wentDark) || !window) return;
  wentDark = wentDark || dark;
  const DarkModeCalls& calls = SystemDarkModeCalls();
  if (!calls.TitleBarAttribute) return;
  if (const auto allow = Ordinal<BOOL(WINAPI*)(HWND, BOOL)>(UxTheme(), kAllowDarkModeForWindow))
    allow(window, dark);
  // Loaded on first use: the light look never brings dwmapi into the process.
  static const HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
  const auto set = dwm ? reinterpret_cast<SetAttribute>(
                             reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                       : nullptr;
  const BOOL value = dark ? TRUE : FALSE;
  if (set) set(window, calls.TitleBarAttribute, &value, sizeof(value));
}

void MatchTitleBarToLook(HWND window) { SetDarkTitleBar(window, CurrentThemeMode() == ThemeMode::kDark); }

void SetPlainTheme(HWND control, bool plain) {
  using SetTheme = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
  const auto set =
      UxTheme()
          ? reinterpret_cast<SetTheme>(reinterpret_cast<void*>(GetProcAddress(UxTheme(), "SetWindowTheme")))
          : nullptr;
  if (set) set(control, plain ? L"" : nullptr, plain ? L"" : nullptr);
}

}  // namespace wendlix
