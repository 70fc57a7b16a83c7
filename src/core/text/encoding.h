// Text conversions. Inside the program every string is UTF-8; files are code page 936
// (Windows' table, GBK plus its private-use mappings) and Windows calls take UTF-16.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

// Invalid UTF-8 decodes to U+FFFD; unpaired surrogates encode to U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Decodes code page 936 bytes. A lead byte without a valid trail byte becomes '?' and
// the byte after it is decoded on its own, so a line break or "=" is never swallowed
// (Windows' own conversion would turn both bytes into one '?'). "[", "]" and "\" are
// valid trail bytes: after a lead byte they are part of the character, as on Windows.
std::string Cp936ToUtf8(std::string_view bytes);

// Encodes to code page 936; nullopt when a character has no code there (the caller must
// refuse such text rather than store something that reads back differently).
std::optional<std::string> Utf8ToCp936(std::string_view utf8);

}  // namespace wendlix
