// Comparisons that ignore the case of ASCII letters only, as the profile functions do.
#pragma once
#include <string>
#include <string_view>

namespace wendlix {

char ToLowerAscii(char c);
char ToUpperAscii(char c);
std::string ToLowerAscii(std::string_view s);
std::string ToUpperAscii(std::string_view s);
bool SameTextAscii(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, on the ASCII-lower-cased bytes.
int CompareTextAscii(std::string_view a, std::string_view b);
// Position of `needle` in `haystack` ignoring ASCII case, or npos.
std::size_t FindTextAscii(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool StartsWithTextAscii(std::string_view s, std::string_view prefix);
bool EndsWithTextAscii(std::string_view s, std::string_view suffix);

}  // namespace wendlix
