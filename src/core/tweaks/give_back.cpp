#include "core/tweaks/give_back.h"

#include <algorithm>

#include "core/profile/ini_file.h"

namespace wendlix {

void GiveBackSet::Note(std::uint16_t which, ShellWindowCommand::Kind action, bool on) {
  const auto entry = std::make_pair(which, action);
  const auto found = std::find(owed_.begin(), owed_.end(), entry);
  if (on) {
    if (found != owed_.end()) owed_.erase(found);
  } else if (found == owed_.end()) {
    owed_.push_back(entry);
  }
}

void GiveBackSet::NoteAll(const std::vector<ShellWindowCommand>& commands) {
  for (const ShellWindowCommand& c : commands) Note(c);
}

void GiveBackSet::Note(const SysMenuCommand& command) {
  if (command.Action == SysMenuCommand::kSetEnabled) {
    Note(command.Window, ShellWindowCommand::kEnable, command.On);
  } else if (command.Action == SysMenuCommand::kSetVisible) {
    Note(command.Window, ShellWindowCommand::kShow, command.On);
  }
}

void GiveBackSet::NoteApplied(const ShellWindowCommand& command, bool wasOn) {
  if (command.On || wasOn) Note(command);
}

std::vector<ShellWindowCommand> GiveBackSet::Commands() const {
  // Enabled before shown: a window that reappears is usable at once.
  std::vector<ShellWindowCommand> out;
  for (const auto kind : {ShellWindowCommand::kEnable, ShellWindowCommand::kShow}) {
    for (const auto& [which, action] : owed_) {
      if (action == kind) out.push_back({which, action, true});
    }
  }
  return out;
}

std::string GiveBackSet::ToRecord() const {
  std::string out;
  for (const auto& [which, action] : owed_) {
    if (!out.empty()) out += ',';
    out += action == ShellWindowCommand::kEnable ? 'E' : 'V';
    out += std::to_string(which);
  }
  return out;
}

std::optional<GiveBackSet> GiveBackSet::Parse(std::string_view record) {
  GiveBackSet set;
  while (!record.empty()) {
    const std::size_t comma = record.find(',');
    const std::string_view item = record.substr(0, comma);
    record = comma == std::string_view::npos ? std::string_view{} : record.substr(comma + 1);
    if (comma != std::string_view::npos && record.empty()) return std::nullopt;  // a trailing comma
    if (item.size() < 2 || item.size() > 3 || (item[0] != 'E' && item[0] != 'V')) return std::nullopt;
    unsigned which = 0;
    for (const char ch : item.substr(1)) {
      if (ch < '0' || ch > '9') return std::nullopt;
      which = which * 10 + static_cast<unsigned>(ch - '0');
    }
    if (which > kShellDesktop) return std::nullopt;
    set.Note(static_cast<std::uint16_t>(which),
             item[0] == 'E' ? ShellWindowCommand::kEnable : ShellWindowCommand::kShow, false);
  }
  return set;
}

std::optional<ShellWindowCommand> ReadDesktopIconsCommand(const IniFile& ini) {
  if (!ini.ValueExists(kAppConfigSection, kDesktopIconsKey)) return std::nullopt;
  const int a = ini.ReadInteger(kAppConfigSection, kDesktopIconsKey, 0);
  const int b = ini.ReadInteger(kAppConfigSection, kDesktopIconsKey, 1);
  if (a != b) return std::nullopt;  // not a number
  return ShellWindowCommand{kShellDesktopView, ShellWindowCommand::kShow, a != 0};
}

KeptTweakKeys KeepKeysOfMissingWindows(const IniFile& ini, const ShellWindowPresence& present) {
  struct Key {
    std::string_view name;
    bool ShellWindowPresence::*window;
  };
  static constexpr Key kKeys[] = {
      {"DisableDeskTop", &ShellWindowPresence::DesktopView},
      {"DisableStartButton", &ShellWindowPresence::StartButton},
      {"DisableTrayBar", &ShellWindowPresence::TaskBar},
      {"HideStartButton", &ShellWindowPresence::StartButton},
      {"HideTrayBar", &ShellWindowPresence::TaskBar},
      {"HideDeskTop", &ShellWindowPresence::Desktop},
      {kDesktopIconsKey, &ShellWindowPresence::DesktopView},
  };
  KeptTweakKeys kept;
  for (const Key& k : kKeys) {
    if (present.*k.window) continue;
    std::optional<std::string> value;
    if (ini.ValueExists(kAppConfigSection, k.name)) value = ini.ReadString(kAppConfigSection, k.name, "");
    kept.emplace_back(std::string(k.name), std::move(value));
  }
  return kept;
}

void RestoreKeptKeys(IniFile& ini, const KeptTweakKeys& kept) {
  for (const auto& [key, value] : kept) {
    if (value) {
      ini.WriteString(kAppConfigSection, key, *value);
    } else {
      ini.DeleteKey(kAppConfigSection, key);
    }
  }
}

void WriteDesktopIconsKey(IniFile& ini, bool viewExists, bool viewVisible) {
  if (viewExists) ini.WriteBool(kAppConfigSection, kDesktopIconsKey, viewVisible);
}

}  // namespace wendlix
