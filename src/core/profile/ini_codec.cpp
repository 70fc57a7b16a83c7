#include "core/profile/ini_codec.h"

#include "core/profile/ini_syntax.h"
#include "core/text/encoding.h"
#include "core/text/utf8.h"

namespace wendlix {

IniEncodingInfo DetectIniEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return {IniEncoding::Utf8, 3};
  if (bytes.substr(0, 2) == "\xFF\xFE") return {IniEncoding::Utf16Le, 2};
  // FE FF is no valid code in 936 either; reading such a file as 936 and editing it
  // would mix two encodings in one file.
  if (bytes.substr(0, 2) == "\xFE\xFF") return {IniEncoding::Utf16Be, 2};
  return {IniEncoding::Cp936, 0};
}

namespace {

bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::u16string WideUnits(std::string_view raw, IniEncoding encoding) {
  std::u16string units;
  units.reserve(raw.size() / 2);
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
    units += static_cast<char16_t>(ini_detail::CodeUnitAt(raw, i, encoding));
  }
  return units;
}

}  // namespace

bool DecodeIniText(std::string_view raw, IniEncoding encoding, std::string& out) {
  switch (encoding) {
    case IniEncoding::Cp936:
      if (IsAscii(raw)) return false;
      out = Cp936ToUtf8(raw);
      return true;
    case IniEncoding::Utf8:
      if (IsValidUtf8(raw)) return false;
      out = Utf16ToUtf8(Utf8ToUtf16(raw));  // invalid sequences become U+FFFD
      return true;
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: out = Utf16ToUtf8(WideUnits(raw, encoding)); return true;
  }
  return false;
}

std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding) {
  if (!IsValidUtf8(utf8)) return std::nullopt;
  switch (encoding) {
    case IniEncoding::Cp936:
      if (IsAscii(utf8)) return std::string(utf8);
      return Utf8ToCp936(utf8);
    case IniEncoding::Utf8: return std::string(utf8);
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: {
      const std::u16string units = Utf8ToUtf16(utf8);
      std::string bytes;
      bytes.reserve(units.size() * 2);
      for (const char16_t u : units) {
        const char lo = static_cast<char>(u & 0xFF);
        const char hi = static_cast<char>(u >> 8);
        if (encoding == IniEncoding::Utf16Le) {
          bytes += lo;
          bytes += hi;
        } else {
          bytes += hi;
          bytes += lo;
        }
      }
      return bytes;
    }
  }
  return std::nullopt;
}

std::string_view IniLineEndBytes(IniLineEnd end, IniEncoding encoding) {
  using namespace std::string_view_literals;
  const bool le = encoding == IniEncoding::Utf16Le;
  const bool be = encoding == IniEncoding::Utf16Be;
  switch (end) {
    case IniLineEnd::None: return {};
    case IniLineEnd::Cr: return le ? "\r\0"sv : be ? "\0\r"sv : "\r"sv;
    case IniLineEnd::Lf: return le ? "\n\0"sv : be ? "\0\n"sv : "\n"sv;
    case IniLineEnd::CrLf: return le ? "\r\0\n\0"sv : be ? "\0\r\0\n"sv : "\r\n"sv;
  }
  return {};
}

}  // namespace wendlix
