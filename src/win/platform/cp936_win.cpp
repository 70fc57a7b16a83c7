// The exe's table source: Windows' own conversion for code page 936, named explicitly so
// that files read the same whatever the user's ANSI code page is.
#include <windows.h>

#include "core/platform/cp936_table.h"

namespace wendlix::platform {
namespace {

constexpr UINT kCodePage = 936;

char16_t DecodeOne(const char* bytes, int size, DWORD flags) {
  wchar_t out[2] = {};
  const int n = MultiByteToWideChar(kCodePage, flags, bytes, size, out, 2);
  return n == 1 ? static_cast<char16_t>(out[0]) : char16_t{0};
}

}  // namespace

char16_t Cp936SingleByteToUnicode(std::uint8_t byte) {
  if (byte < 0x80 || (byte >= 0x81 && byte <= 0xFE)) return 0;
  // Not MB_ERR_INVALID_CHARS: Windows then refuses 0xFF although its table maps it (and
  // writes that character back as 0xFF). 0x80 and 0xFF are the only candidates, and
  // neither decodes to the default character.
  const char b = static_cast<char>(byte);
  const char16_t u = DecodeOne(&b, 1, 0);
  return u == u'?' ? char16_t{0} : u;
}

char16_t Cp936PairToUnicode(std::uint8_t lead, std::uint8_t trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  return DecodeOne(bytes, 2, MB_ERR_INVALID_CHARS);
}

}  // namespace wendlix::platform
