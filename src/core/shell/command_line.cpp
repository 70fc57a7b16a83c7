#include "core/shell/command_line.h"

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

namespace {

bool BreaksArgument(unsigned char c) { return c < 0x20 || c == 0x7F || c == '"'; }

}  // namespace

bool BreaksShellArgument(std::string_view text) {
  for (unsigned char c : text)
    if (BreaksArgument(c)) return true;
  return false;
}

std::string PrintableText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (unsigned char c : text) shown += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
  return shown;
}

std::string LaunchRefusedText(std::string_view target) {
  return "地址或文件名中含有引号或控制字符，不能交给系统打开:\r\r" + PrintableText(target);
}

std::optional<std::string> SafeShellTarget(std::string_view target) {
  if (!HasUrlScheme(target)) {
    if (BreaksShellArgument(target)) return std::nullopt;
    return std::string(target);
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  // Backslashes at the end would escape the closing quote of a handler's "%1".
  std::size_t plainEnd = target.size();
  while (plainEnd > 0 && target[plainEnd - 1] == '\\') --plainEnd;
  std::string out;
  out.reserve(target.size());
  for (std::size_t i = 0; i < target.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(target[i]);
    if (BreaksArgument(c) || c == ' ' || i >= plainEnd) {
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
