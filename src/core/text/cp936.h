// Code-level view of code page 936, beneath Cp936ToUtf8/Utf8ToCp936: which bytes pair up
// and what a single code stands for. Used by the converters and by tools that compare
// our table with Windows'.
#pragma once
#include <cstdint>
#include <optional>

namespace wendlix {

inline constexpr bool IsCp936LeadByte(std::uint8_t b) { return b >= 0x81 && b <= 0xFE; }
inline constexpr bool IsCp936TrailByte(std::uint8_t b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Unicode of one code: a byte 0x00..0xFF on its own, or a pair lead * 256 + trail.
// 0 when the code is not a character (a lone lead byte, a bad trail, an unmapped pair).
// Built once from the platform's table; safe from any thread.
char16_t Cp936CodeToUnicode(std::uint16_t code);

// The code of a UTF-16 unit (single byte below 0x100, else lead * 256 + trail), or
// nullopt when the code page has none.
std::optional<std::uint16_t> UnicodeToCp936Code(char16_t unit);

}  // namespace wendlix
