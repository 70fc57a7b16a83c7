// The UTF-8 <-> UTF-16 boundary for W functions (wchar_t is 16 bits on Windows).
#pragma once
#include <string>
#include <string_view>

#include "core/text/encoding.h"

namespace wendlix {

inline std::wstring ToWide(std::string_view utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

inline std::string FromWide(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace wendlix
