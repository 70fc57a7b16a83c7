#include "core/text/cp936.h"

#include <array>
#include <memory>
#include <vector>

#include "core/platform/cp936_table.h"
#include "core/text/encoding.h"
#include "core/text/utf8.h"

namespace wendlix {
namespace {

constexpr int kTrailSpan = 0xFE - 0x40 + 1;  // trail slots per lead, 0x7F left empty
constexpr int kLeadCount = 0xFE - 0x81 + 1;

// Both directions, made once from the platform's per-code answers. Decoding then costs
// one array look-up per character, which matters for settings files of several
// hundred kilobytes.
struct Cp936Tables {
  std::array<char16_t, kLeadCount * kTrailSpan> pairs{};
  std::array<char16_t, 0x80> high{};   // bytes 0x80..0xFF on their own
  std::vector<std::uint16_t> reverse;  // UTF-16 unit -> code, 0 for none

  Cp936Tables() : reverse(0x10000, 0) {
    for (int b = 0x80; b <= 0xFF; ++b) {
      if (IsCp936LeadByte(static_cast<std::uint8_t>(b))) continue;
      const char16_t u = platform::Cp936SingleByteToUnicode(static_cast<std::uint8_t>(b));
      high[b - 0x80] = u;
      Claim(u, static_cast<std::uint16_t>(b));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (!IsCp936TrailByte(static_cast<std::uint8_t>(trail))) continue;
        const char16_t u =
            platform::Cp936PairToUnicode(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
        // A pair that claimed an ASCII character or a surrogate could not round-trip
        // through UTF-8; treat it as unmapped.
        if (u < 0x80 || (u >= 0xD800 && u <= 0xDFFF)) continue;
        pairs[(lead - 0x81) * kTrailSpan + (trail - 0x40)] = u;
        Claim(u, static_cast<std::uint16_t>(lead << 8 | trail));
      }
    }
  }

  // The first code found for a character is the one it encodes to, so decoding what we
  // wrote always gives back the same character. U+FFFD stands for invalid UTF-8 on the
  // way in and must never be written as if it were text.
  void Claim(char16_t u, std::uint16_t code) {
    if (u >= 0x80 && u != 0xFFFD && reverse[u] == 0) reverse[u] = code;
  }

  char16_t Pair(std::uint8_t lead, std::uint8_t trail) const {
    return pairs[(lead - 0x81) * kTrailSpan + (trail - 0x40)];
  }
};

const Cp936Tables& Tables() {
  static const auto tables = std::make_unique<const Cp936Tables>();
  return *tables;
}

// Writes a decoded unit as UTF-8 (never a surrogate here), "?" for a code that is no
// character, and returns the new end.
char* PutDecoded(char* out, char16_t u) {
  if (u == 0) {
    *out++ = '?';
  } else if (u < 0x80) {
    *out++ = static_cast<char>(u);
  } else if (u < 0x800) {
    *out++ = static_cast<char>(0xC0 | (u >> 6));
    *out++ = static_cast<char>(0x80 | (u & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | (u >> 12));
    *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (u & 0x3F));
  }
  return out;
}

}  // namespace

char16_t Cp936CodeToUnicode(std::uint16_t code) {
  if (code < 0x80) return code;
  const Cp936Tables& t = Tables();
  if (code < 0x100) return IsCp936LeadByte(static_cast<std::uint8_t>(code)) ? 0 : t.high[code - 0x80];
  const auto lead = static_cast<std::uint8_t>(code >> 8);
  const auto trail = static_cast<std::uint8_t>(code & 0xFF);
  if (!IsCp936LeadByte(lead) || !IsCp936TrailByte(trail)) return 0;
  return t.Pair(lead, trail);
}

std::optional<std::uint16_t> UnicodeToCp936Code(char16_t unit) {
  if (unit < 0x80) return unit;
  const std::uint16_t code = Tables().reverse[unit];
  if (code == 0) return std::nullopt;
  return code;
}

std::string Cp936ToUtf8(std::string_view bytes) {
  const Cp936Tables& t = Tables();
  // No byte grows to more than three bytes of UTF-8; write straight into the buffer.
  std::string out(bytes.size() * 3, '\0');
  char* o = out.data();
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const std::uint8_t b = *p;
    if (b < 0x80) {
      *o++ = static_cast<char>(b);
      ++p;
    } else if (IsCp936LeadByte(b)) {
      if (p + 1 < end && IsCp936TrailByte(p[1])) {
        o = PutDecoded(o, t.Pair(b, p[1]));
        p += 2;
      } else {
        // Only the lead byte is bad: what follows (a line break, "=") keeps its meaning.
        *o++ = '?';
        ++p;
      }
    } else {
      o = PutDecoded(o, t.high[b - 0x80]);
      ++p;
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
  const Cp936Tables& t = Tables();
  // Every character takes at most as many bytes here as in UTF-8.
  std::string out(utf8.size(), '\0');
  char* o = out.data();
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {
      *o++ = static_cast<char>(b);
      ++pos;
      continue;
    }
    const char32_t cp = ReadUtf8(utf8, pos);
    // Invalid UTF-8 reads as U+FFFD, and characters beyond the BMP have no code: both
    // refuse the text instead of storing something that reads back differently.
    if (cp > 0xFFFF) return std::nullopt;
    const std::uint16_t code = t.reverse[cp];
    if (code == 0) return std::nullopt;
    if (code >= 0x100) *o++ = static_cast<char>(code >> 8);
    *o++ = static_cast<char>(code & 0xFF);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

}  // namespace wendlix
