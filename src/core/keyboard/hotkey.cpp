#include "core/keyboard/hotkey.h"

#include <array>
#include <vector>

#include "core/text/ascii.h"

namespace wendlix {
namespace {

struct NamedKey {
  const char* Name;
  std::uint32_t Key;
};

// Keys beyond letters, digits and function keys; the first spelling of a code is the one written.
constexpr std::array kNamedKeys = {
    NamedKey{"Space", 0x20},    NamedKey{"Enter", 0x0D},     NamedKey{"Return", 0x0D},
    NamedKey{"Tab", 0x09},      NamedKey{"Backspace", 0x08}, NamedKey{"Esc", 0x1B},
    NamedKey{"Escape", 0x1B},   NamedKey{"Insert", 0x2D},    NamedKey{"Ins", 0x2D},
    NamedKey{"Delete", 0x2E},   NamedKey{"Del", 0x2E},       NamedKey{"Home", 0x24},
    NamedKey{"End", 0x23},      NamedKey{"PageUp", 0x21},    NamedKey{"PgUp", 0x21},
    NamedKey{"PageDown", 0x22}, NamedKey{"PgDn", 0x22},      NamedKey{"Left", 0x25},
    NamedKey{"Up", 0x26},       NamedKey{"Right", 0x27},     NamedKey{"Down", 0x28},
    NamedKey{"Pause", 0x13},
};

constexpr std::uint32_t kF1 = 0x70, kF24 = 0x87, kNumPad0 = 0x60, kPause = 0x13;

struct Modifier {
  const char* Name;
  std::uint32_t Flag;
};
constexpr std::array kModifierNames = {
    Modifier{"Win", kHotKeyWin},     Modifier{"Ctrl", kHotKeyControl},    Modifier{"Alt", kHotKeyAlt},
    Modifier{"Shift", kHotKeyShift}, Modifier{"Control", kHotKeyControl}, Modifier{"Windows", kHotKeyWin},
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::optional<std::uint32_t> KeyOf(std::string_view name) {
  if (name.size() == 1) {
    const char c = ToUpperAscii(name[0]);
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::uint32_t>(c);
    return std::nullopt;
  }
  auto number = [](std::string_view digits) -> int {
    if (digits.empty() || digits.size() > 2) return -1;
    int n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return -1;
      n = n * 10 + (c - '0');
    }
    return digits.size() == 2 && digits[0] == '0' ? -1 : n;
  };
  if (ToUpperAscii(name[0]) == 'F') {
    const int n = number(name.substr(1));
    if (n >= 1 && n <= 24) return kF1 + static_cast<std::uint32_t>(n - 1);
  }
  if (StartsWithTextAscii(name, "Num")) {
    const int n = number(name.substr(3));
    if (n >= 0 && n <= 9 && name.size() == 4) return kNumPad0 + static_cast<std::uint32_t>(n);
  }
  for (const NamedKey& k : kNamedKeys)
    if (SameTextAscii(name, k.Name)) return k.Key;
  return std::nullopt;
}

bool StandsAlone(std::uint32_t key) { return (key >= kF1 && key <= kF24) || key == kPause; }

}  // namespace

std::optional<HotKey> ParseHotKey(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return HotKey{};
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t plus = text.find('+', start);
    const std::size_t length = plus == std::string_view::npos ? std::string_view::npos : plus - start;
    parts.push_back(Trim(text.substr(start, length)));
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  HotKey hk;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    std::uint32_t flag = 0;
    for (const Modifier& m : kModifierNames)
      if (SameTextAscii(parts[i], m.Name)) flag = m.Flag;
    if (flag == 0 || (hk.Modifiers & flag)) return std::nullopt;
    hk.Modifiers |= flag;
  }
  const std::optional<std::uint32_t> key = KeyOf(parts.back());
  if (!key) return std::nullopt;
  hk.Key = *key;
  const bool typing = !(hk.Modifiers & (kHotKeyControl | kHotKeyAlt | kHotKeyWin));
  if (typing && !StandsAlone(hk.Key)) return std::nullopt;
  return hk;
}

std::string FormatHotKey(const HotKey& hk) {
  if (hk.None()) return {};
  std::string text;
  // The first four spellings are the canonical ones, in the order written.
  for (std::size_t i = 0; i < 4; ++i) {
    if (hk.Modifiers & kModifierNames[i].Flag) text += std::string(kModifierNames[i].Name) + "+";
  }
  const std::uint32_t k = hk.Key;
  if ((k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9')) {
    text += static_cast<char>(k);
  } else if (k >= kF1 && k <= kF24) {
    text += "F" + std::to_string(k - kF1 + 1);
  } else if (k >= kNumPad0 && k <= kNumPad0 + 9) {
    text += "Num" + std::to_string(k - kNumPad0);
  } else {
    const char* name = nullptr;
    for (const NamedKey& n : kNamedKeys)
      if (n.Key == k && !name) name = n.Name;
    if (!name) return {};  // no text reads back as this key
    text += name;
  }
  return text;
}

}  // namespace wendlix
