// The bar's global hotkey as the settings file stores it: readable text such as "Win+Alt+W"
// (modifiers, then one key, joined by "+"), turned into the modifier flags and virtual-key
// code the system registers, and back. Empty text means no hotkey.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

// The same values as the system's MOD_ flags, so they pass to it unchanged.
enum HotKeyModifier : std::uint32_t {
  kHotKeyAlt = 0x1,
  kHotKeyControl = 0x2,
  kHotKeyShift = 0x4,
  kHotKeyWin = 0x8,
};

struct HotKey {
  std::uint32_t Modifiers = 0;  // HotKeyModifier flags
  std::uint32_t Key = 0;        // virtual-key code; 0: no hotkey
  bool None() const { return Key == 0; }
  friend bool operator==(const HotKey&, const HotKey&) = default;
};

inline constexpr char kDefaultHotKeyText[] = "Win+Alt+W";
inline constexpr HotKey kDefaultHotKey{kHotKeyWin | kHotKeyAlt, 'W'};

// Blank text gives the empty hotkey (none). Names are matched without regard to ASCII case and
// blanks around "+" are allowed; modifiers may come in any order, each once. Nothing (nullopt)
// for unknown names, a missing or second key, or a hotkey that would take ordinary typing away
// from every program: a letter, digit or editing key needs Ctrl, Alt or Win (Shift alone is
// typing); only function keys and Pause stand alone.
std::optional<HotKey> ParseHotKey(std::string_view text);

// Canonical text, modifiers in the order Win, Ctrl, Alt, Shift; "" for none.
std::string FormatHotKey(const HotKey& key);

}  // namespace wendlix
