// Section "Application Config" of the bar settings file: the system tweaks that are
// applied again at start when "ReLoadSet" is on.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace wendlix {

class IniFile;

inline constexpr std::string_view kAppConfigSection = "Application Config";

// Shell windows by the index the shell services use.
enum : std::uint16_t { kShellTaskBar = 0, kShellStartButton = 2, kShellDesktopView = 5, kShellDesktop = 6 };

struct TweakFlags {
  bool DisableScrnSaver = false;
  bool CanShutDown = true;
  bool DisableSysKey = false;

  bool operator==(const TweakFlags&) const = default;
};

// The enabled and visible states of the shell windows when the bar closes.
struct ShellWindowStates {
  bool DesktopViewEnabled = true;
  bool StartButtonEnabled = true;
  bool TaskBarEnabled = true;
  bool StartButtonVisible = true;
  bool TaskBarVisible = true;
  bool DesktopVisible = true;
};

// One stored shell-window state to restore: enable or disable, show or hide.
struct ShellWindowCommand {
  enum class Kind { kEnable, kShow };
  using enum Kind;
  std::uint16_t Which = 0;
  Kind Action = kEnable;
  bool On = true;  // enabled or shown

  bool operator==(const ShellWindowCommand&) const = default;
};

struct StoredTweaks {
  TweakFlags Flags;
  // Enables first (desktop icons, start button, taskbar), then shows (start button,
  // taskbar, desktop). A key that is missing or unreadable gives no command: the
  // window stays as it is rather than being disabled or hidden by a default.
  std::vector<ShellWindowCommand> Commands;
};

StoredTweaks ReadSystemTweaks(const IniFile& ini);

// The keys hold the windows' enabled or visible state (1 = enabled or visible), though
// their names say "Disable" and "Hide"; files in the field depend on it.
void WriteSystemTweaks(IniFile& ini, const TweakFlags& flags, const ShellWindowStates& states);

}  // namespace wendlix
