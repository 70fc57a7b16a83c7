#include "core/profile/ini_damage.h"

#include <cstdint>

#include "core/text/cp936.h"
#include "core/text/utf8.h"

namespace wendlix {

namespace {

bool IsWellEncodedCp936(std::string_view raw) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(raw.data());
  const auto* end = p + raw.size();
  while (p < end) {
    if (*p < 0x80) {
      ++p;
    } else if (IsCp936LeadByte(*p)) {
      // A lead byte at the end of the line is a character cut in two.
      if (p + 1 == end || Cp936CodeToUnicode(static_cast<std::uint16_t>(p[0] << 8 | p[1])) == 0) return false;
      p += 2;
    } else {
      if (Cp936CodeToUnicode(*p) == 0) return false;
      ++p;
    }
  }
  return true;
}

bool IsWellFormedUtf16(std::string_view raw, IniEncoding encoding) {
  if (raw.size() % 2) return false;
  for (std::size_t i = 0; i < raw.size(); i += 2) {
    const unsigned unit = ini_detail::CodeUnitAt(raw, i, encoding);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= raw.size()) return false;
      const unsigned next = ini_detail::CodeUnitAt(raw, i + 2, encoding);
      if (next < 0xDC00 || next > 0xDFFF) return false;
      i += 2;
    }
  }
  return true;
}

}  // namespace

bool IsWellEncodedIniLine(std::string_view raw, IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Cp936: return IsWellEncodedCp936(raw);
    case IniEncoding::Utf8: return IsValidUtf8(raw);
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: return IsWellFormedUtf16(raw, encoding);
  }
  return false;
}

std::string DamagedFileCopyPath(std::string_view path) { return std::string(path) + ".bak"; }

}  // namespace wendlix
