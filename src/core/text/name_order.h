// The order NTFS keeps a folder's names in, for file systems that return them unsorted.
#pragma once
#include <string>
#include <string_view>

namespace wendlix {

// One UTF-16 code unit upper-cased on its own, as the file system's upcase table does
// (no locale, no special casing: the sharp s and a surrogate stay as they are).
char16_t UpcaseCodeUnit(char16_t c);

// NTFS orders names by their UTF-16 code units upper-cased one by one (an ordinal
// comparison ignoring case): this key of UTF-8 `name` compares as the name sorts.
std::u16string NameOrderKey(std::string_view name);

}  // namespace wendlix
