// What this run took away from the shell and owes back at exit: the shell windows it hid
// or disabled (from the system tweaks menu or from the stored tweaks at start). A window
// hidden and shown again is owed nothing; a window never touched is never shown or enabled
// by the bar, so a taskbar the user hid elsewhere stays hidden.
//
// Also the stored keys the bar keeps beside the nine of "Application Config": the desktop
// icons' visibility, and the keys of shell windows that were missing when the bar saved
// (writing their "not visible, not enabled" state would hide or disable them next start).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/tweaks/system_menu.h"
#include "core/tweaks/system_tweaks.h"

namespace wendlix {

class IniFile;

class GiveBackSet {
 public:
  // A change of one window: hiding or disabling (`on` false) adds it, the opposite removes it.
  void Note(std::uint16_t which, ShellWindowCommand::Kind action, bool on);
  void Note(const ShellWindowCommand& command) { Note(command.Which, command.Action, command.On); }
  void NoteAll(const std::vector<ShellWindowCommand>& commands);
  // Only the menu's enable and show commands change anything.
  void Note(const SysMenuCommand& command);
  // A stored command applied at start to a window that was shown or enabled (`wasOn`) or
  // not: hiding what was already hidden takes nothing away, so nothing is owed for it.
  void NoteApplied(const ShellWindowCommand& command, bool wasOn);

  bool Empty() const { return owed_.empty(); }
  // Enables first, then shows, each window at most once per kind, in the order taken.
  std::vector<ShellWindowCommand> Commands() const;
  void Clear() { owed_.clear(); }

  // A short text form for keeping the set outside the process, e.g. "E5,V0"; Parse takes
  // it back and refuses anything else (nullopt) rather than guessing.
  std::string ToRecord() const;
  static std::optional<GiveBackSet> Parse(std::string_view record);

  bool operator==(const GiveBackSet&) const = default;

 private:
  std::vector<std::pair<std::uint16_t, ShellWindowCommand::Kind>> owed_;
};

// The extra key: desktop icons' visibility, 1 = visible (as the nine keep states, not intents).
inline constexpr std::string_view kDesktopIconsKey = "HideDeskTopIcons";

// The command the stored desktop-icons key asks for; nothing when the key is missing or
// not a number (the window is then left as it is).
std::optional<ShellWindowCommand> ReadDesktopIconsCommand(const IniFile& ini);

// Which shell windows exist when the bar saves.
struct ShellWindowPresence {
  bool TaskBar = true;
  bool StartButton = true;
  bool DesktopView = true;
  bool Desktop = true;
};

// The stored keys of windows that are missing: their text, or nullopt when absent.
using KeptTweakKeys = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Taken before the section is written...
KeptTweakKeys KeepKeysOfMissingWindows(const IniFile& ini, const ShellWindowPresence& present);
// ...and put back after: each key as it was, or removed when it was not there.
void RestoreKeptKeys(IniFile& ini, const KeptTweakKeys& kept);

// Writes the desktop-icons key, or leaves the stored one when the view is missing.
void WriteDesktopIconsKey(IniFile& ini, bool viewExists, bool viewVisible);

}  // namespace wendlix
