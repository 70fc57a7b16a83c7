#include "win/paint/theme_win.h"

#include "win/common/registry.h"
#include "win/diagnostics/test_switches.h"
#include "win/paint/system_colors.h"

namespace wendlix {
namespace {

struct ThemeState {
  AppearanceChoice choice = AppearanceChoice::kFollowSystem;
  ThemePalette palette = MakePalette(ThemeMode::kLight, SystemColor);
};

ThemeState& State() {
  static ThemeState state;
  return state;
}

bool SystemHighContrast() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof(hc);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

BOOL CALLBACK SendThemeChanged(HWND window, LPARAM message) {
  SendMessageW(window, static_cast<UINT>(message), 0, 0);
  return TRUE;
}

}  // namespace

ThemeMode CurrentThemeMode() { return State().palette.mode; }
const ThemePalette& CurrentPalette() { return State().palette; }
AppearanceChoice CurrentAppearanceChoice() { return State().choice; }

std::optional<bool> ReadAppsUseLightTheme() {
  const unique_hkey key =
      OpenRegKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                 false, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  const std::optional<DWORD> value = ReadRegDword(key.get(), "AppsUseLightTheme");
  if (!value) return std::nullopt;
  return *value != 0;
}

bool RefreshTheme(AppearanceChoice choice) {
  ThemeState& state = State();
  state.choice = choice;
  // A fixed choice never needs the registry; high contrast is asked first since it wins.
  const bool highContrast = SystemHighContrast() || ForcedHighContrast();
  const std::optional<bool> lightApps =
      !highContrast && choice == AppearanceChoice::kFollowSystem ? ReadAppsUseLightTheme() : std::nullopt;
  ThemePalette palette = MakePalette(ResolveThemeMode(choice, lightApps, highContrast), SystemColor);
  if (palette == state.palette) return false;
  state.palette = palette;
  return true;
}

bool IsThemeNotice(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE) return true;
  if (message != WM_SETTINGCHANGE) return false;
  if (wParam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return area && lstrcmpiW(area, L"ImmersiveColorSet") == 0;
}

UINT ThemeChangedMessage() {
  static const UINT message = RegisterWindowMessageW(L"Wendlix.ThemeChanged");
  return message;
}

void NotifyThemeChanged() {
  EnumThreadWindows(GetCurrentThreadId(), SendThemeChanged, static_cast<LPARAM>(ThemeChangedMessage()));
}

ColorRef ThemedSystemColor(int index) {
  return CurrentThemeMode() == ThemeMode::kDark ? DarkSystemColor(index) : SystemColor(index);
}

COLORREF ThemedColor(std::int32_t stored) {
  return ResolveColor(static_cast<ColorRef>(stored), ThemedSystemColor);
}

}  // namespace wendlix
