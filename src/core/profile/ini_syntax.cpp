#include "core/profile/ini_syntax.h"

#include <cstdint>

#include "core/text/utf8.h"

namespace wendlix {

std::string_view TrimIniBlanks(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsIniBlank(s[begin])) ++begin;
  while (end > begin && IsIniBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

IniLineSyntax ParseIniLine(std::string_view text) {
  IniLineSyntax result;
  const std::string_view line = TrimIniBlanks(text);
  if (line.empty()) return result;
  if (line.front() == '[') {
    // The name runs to the last bracket, so "[a]b]" is "a]b"; in UTF-8 a 0x5D byte is
    // always the character itself, never part of a double-byte code.
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      result.kind = IniLineKind::Section;
      result.name = TrimIniBlanks(line.substr(1, close - 1));
      return result;
    }
  }
  if (line.front() == ';') {
    result.kind = IniLineKind::Comment;
    return result;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    result.kind = IniLineKind::Text;
    return result;
  }
  result.name = TrimIniBlanks(line.substr(0, equals));
  // "=v" has no name a caller could ask for: it is not a key.
  result.kind = result.name.empty() ? IniLineKind::Text : IniLineKind::Key;
  result.value = TrimIniBlanks(line.substr(equals + 1));
  return result;
}

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool IsQuotedPair(std::string_view s) { return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front(); }

bool HasForbiddenBytes(std::string_view s) {
  for (const char c : s) {
    if (c == '\r' || c == '\n' || c == '\0') return true;
  }
  return false;
}

bool IsWritableName(std::string_view name) {
  return !name.empty() && !HasForbiddenBytes(name) && !IsIniBlank(name.front()) && !IsIniBlank(name.back()) &&
         IsValidUtf8(name);
}

}  // namespace

std::string_view UnquoteIniValue(std::string_view storedValue) {
  if (IsQuotedPair(storedValue)) return storedValue.substr(1, storedValue.size() - 2);
  return storedValue;
}

std::string QuoteIniValue(std::string_view value) {
  const bool outerBlank = !value.empty() && (IsIniBlank(value.front()) || IsIniBlank(value.back()));
  if (!outerBlank && !IsQuotedPair(value)) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted += '"';
  quoted += value;
  quoted += '"';
  return quoted;
}

bool IsWritableSectionName(std::string_view name) { return IsWritableName(name); }

bool IsWritableKeyName(std::string_view name) {
  return IsWritableName(name) && name.front() != '[' && name.front() != ';' &&
         name.find('=') == std::string_view::npos;
}

bool IsWritableValue(std::string_view value) { return !HasForbiddenBytes(value) && IsValidUtf8(value); }

std::optional<int> ParseIniInteger(std::string_view text) {
  const std::string_view s = TrimIniBlanks(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;  // magnitude of INT_MIN
  std::int64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace wendlix
