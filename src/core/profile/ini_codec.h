// The byte level of settings files: which encoding a file is in (from its byte-order
// mark), where its lines end, and the conversion of one line's bytes to UTF-8 and back.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

enum class IniEncoding : unsigned char { Cp936, Utf8, Utf16Le, Utf16Be };
enum class IniLineEnd : unsigned char { None, Cr, Lf, CrLf };

// The encoding and the length of the byte-order mark that announces it (0 for none).
struct IniEncodingInfo {
  IniEncoding encoding = IniEncoding::Cp936;
  std::size_t bomLength = 0;
};
IniEncodingInfo DetectIniEncoding(std::string_view bytes);

// Calls onLine(rawBytes, lineEnd) for each line of `body` (the bytes after the mark).
// CR, LF and CRLF end lines in any mix; the last line has IniLineEnd::None unless the
// body ends with a line end. An empty body has no lines.
template <typename OnLine>
void SplitIniLines(std::string_view body, IniEncoding encoding, OnLine&& onLine);

// The line's text as UTF-8. Returns false and leaves `out` alone when the bytes already
// are that text (ASCII in code page 936, valid UTF-8 in a UTF-8 file), so the caller
// can keep a view instead of a copy.
bool DecodeIniText(std::string_view raw, IniEncoding encoding, std::string& out);

// UTF-8 text as the file's bytes; nullopt when a character has no code there.
std::optional<std::string> EncodeIniText(std::string_view utf8, IniEncoding encoding);

std::string_view IniLineEndBytes(IniLineEnd end, IniEncoding encoding);

// ---- implementation of the template ----

namespace ini_detail {
inline unsigned CodeUnitAt(std::string_view body, std::size_t i, IniEncoding encoding) {
  const auto lo = static_cast<unsigned char>(body[i]);
  const auto hi = static_cast<unsigned char>(body[i + 1]);
  return encoding == IniEncoding::Utf16Le ? (lo | hi << 8) : (hi | lo << 8);
}
}  // namespace ini_detail

template <typename OnLine>
void SplitIniLines(std::string_view body, IniEncoding encoding, OnLine&& onLine) {
  const bool wide = encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
  const std::size_t unit = wide ? 2 : 1;
  // An odd byte at the end of a UTF-16 file stays with the last line's bytes.
  const std::size_t limit = wide ? body.size() & ~std::size_t{1} : body.size();
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < limit) {
    const unsigned c = wide ? ini_detail::CodeUnitAt(body, i, encoding) : static_cast<unsigned char>(body[i]);
    if (c != '\r' && c != '\n') {
      i += unit;
      continue;
    }
    IniLineEnd end = c == '\n' ? IniLineEnd::Lf : IniLineEnd::Cr;
    std::size_t next = i + unit;
    if (c == '\r' && next < limit &&
        (wide ? ini_detail::CodeUnitAt(body, next, encoding) : static_cast<unsigned char>(body[next])) ==
            '\n') {
      end = IniLineEnd::CrLf;
      next += unit;
    }
    onLine(body.substr(start, i - start), end);
    start = i = next;
  }
  if (start < body.size()) onLine(body.substr(start), IniLineEnd::None);
}

}  // namespace wendlix
