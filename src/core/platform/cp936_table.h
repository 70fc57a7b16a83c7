// The one platform-dependent piece of the code page 936 codec: the mapping of single
// code units. Natively it comes from iconv (GB18030 corrected to Windows' table), in the
// exe from Windows' own conversion. Structure (which bytes pair up) is decided in core.
#pragma once
#include <cstdint>

namespace wendlix::platform {

// Unicode of a single byte 0x80..0xFF that is not a lead byte (0x80, 0xFF), or 0 if none.
char16_t Cp936SingleByteToUnicode(std::uint8_t byte);
// Unicode of the pair lead 0x81..0xFE, trail 0x40..0x7E or 0x80..0xFE, or 0 if unmapped.
char16_t Cp936PairToUnicode(std::uint8_t lead, std::uint8_t trail);

}  // namespace wendlix::platform
