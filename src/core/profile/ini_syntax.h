// The line grammar of settings files, on decoded (UTF-8) text: what counts as a blank,
// a section header, a key line or a comment, how values are unquoted on read and
// protected on write, and which names and values the format can hold at all.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

enum class IniLineKind : unsigned char { Blank, Text, Comment, Section, Key, Deleted };

struct IniLineSyntax {
  IniLineKind kind = IniLineKind::Blank;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes still on
};

// 0x09-0x0D, space and 0x1A (the old end-of-file mark); nothing beyond ASCII.
constexpr bool IsIniBlank(char c) { return c == ' ' || c == '\x1A' || (c >= '\t' && c <= '\r'); }
std::string_view TrimIniBlanks(std::string_view s);

// Classifies one line (without its line end). The views point into `text`.
IniLineSyntax ParseIniLine(std::string_view text);

// A value as read: one matching outer pair of " or ' removed.
std::string_view UnquoteIniValue(std::string_view storedValue);
// The text to store so that UnquoteIniValue(TrimIniBlanks(result)) == value.
std::string QuoteIniValue(std::string_view value);

// What the format can hold so that it reads back unchanged. All three refuse line
// breaks, NUL and invalid UTF-8.
bool IsWritableSectionName(std::string_view name);
bool IsWritableKeyName(std::string_view name);
bool IsWritableValue(std::string_view value);

// The whole trimmed text as a decimal, "$1A" or "0x1A" number (optional sign) in the
// signed 32-bit range; nullopt for anything else.
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace wendlix
