#include "core/tweaks/system_tweaks.h"

#include <optional>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

// A stored Boolean, or nothing when the key is missing or not a number.
std::optional<bool> ReadStoredBool(const IniFile& ini, std::string_view key) {
  if (!ini.ValueExists(kAppConfigSection, key)) return std::nullopt;
  const int a = ini.ReadInteger(kAppConfigSection, key, 0);
  const int b = ini.ReadInteger(kAppConfigSection, key, 1);
  if (a != b) return std::nullopt;  // the default came back: not a number
  return a != 0;
}

struct WindowKey {
  std::string_view key;
  std::uint16_t which;
  ShellWindowCommand::Kind action;
};

constexpr WindowKey kWindowKeys[] = {
    {"DisableDeskTop", kShellDesktopView, ShellWindowCommand::kEnable},
    {"DisableStartButton", kShellStartButton, ShellWindowCommand::kEnable},
    {"DisableTrayBar", kShellTaskBar, ShellWindowCommand::kEnable},
    {"HideStartButton", kShellStartButton, ShellWindowCommand::kShow},
    {"HideTrayBar", kShellTaskBar, ShellWindowCommand::kShow},
    {"HideDeskTop", kShellDesktop, ShellWindowCommand::kShow},
};

}  // namespace

StoredTweaks ReadSystemTweaks(const IniFile& ini) {
  const TweakFlags d;
  StoredTweaks t;
  t.Flags.DisableScrnSaver = ini.ReadBool(kAppConfigSection, "DisableScrnSaver", d.DisableScrnSaver);
  t.Flags.CanShutDown = ini.ReadBool(kAppConfigSection, "CanShutDown", d.CanShutDown);
  t.Flags.DisableSysKey = ini.ReadBool(kAppConfigSection, "DisableSysKey", d.DisableSysKey);
  for (const WindowKey& w : kWindowKeys) {
    if (const std::optional<bool> on = ReadStoredBool(ini, w.key))
      t.Commands.push_back({w.which, w.action, *on});
  }
  return t;
}

void WriteSystemTweaks(IniFile& ini, const TweakFlags& f, const ShellWindowStates& s) {
  const std::string_view k = kAppConfigSection;
  ini.WriteBool(k, "DisableScrnSaver", f.DisableScrnSaver);
  ini.WriteBool(k, "CanShutDown", f.CanShutDown);
  ini.WriteBool(k, "DisableSysKey", f.DisableSysKey);
  ini.WriteBool(k, "DisableDeskTop", s.DesktopViewEnabled);
  ini.WriteBool(k, "DisableStartButton", s.StartButtonEnabled);
  ini.WriteBool(k, "DisableTrayBar", s.TaskBarEnabled);
  ini.WriteBool(k, "HideStartButton", s.StartButtonVisible);
  ini.WriteBool(k, "HideTrayBar", s.TaskBarVisible);
  ini.WriteBool(k, "HideDeskTop", s.DesktopVisible);
}

}  // namespace wendlix
