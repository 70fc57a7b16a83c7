// Code-point level UTF-8 reading and writing, shared by the converters.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace wendlix {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Reads one code point at `pos` (which must be inside `s`) and advances past it. An ill-formed sequence
// (stray continuation byte, overlong form, encoded surrogate, value above U+10FFFF, truncated sequence)
// yields U+FFFD and advances past its longest valid-looking prefix, at least one byte, so the following
// character is never eaten.
char32_t ReadUtf8(std::string_view s, std::size_t& pos);

// True when `s` is well-formed UTF-8 (a literal U+FFFD is fine; an ill-formed sequence is not).
bool IsValidUtf8(std::string_view s);

// Appends the UTF-8 form of `cp`; surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace wendlix
