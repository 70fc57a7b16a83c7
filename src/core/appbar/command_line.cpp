#include "core/appbar/command_line.h"

namespace wendlix {

std::string QuoteCommandLineArgument(std::string_view arg) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

bool HasUrlScheme(std::string_view text) {
  const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (text.empty() || !isAlpha(text[0])) return false;
  std::size_t i = 1;
  while (i < text.size() && (isAlpha(text[i]) || (text[i] >= '0' && text[i] <= '9') || text[i] == '+' ||
                             text[i] == '-' || text[i] == '.'))
    ++i;
  return i >= 2 && i < text.size() && text[i] == ':';
}

std::optional<std::string> SafeShellTarget(std::string_view target) {
  const auto needsEscape = [](unsigned char c) { return c < 0x20 || c == 0x7F || c == '"'; };
  if (!HasUrlScheme(target)) {
    for (unsigned char c : target)
      if (needsEscape(c)) return std::nullopt;
    return std::string(target);
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(target.size());
  for (unsigned char c : target) {
    if (needsEscape(c) || c == ' ') {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace wendlix
