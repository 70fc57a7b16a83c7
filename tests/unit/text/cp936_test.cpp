#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/text/cp936.h"
#include "core/text/encoding.h"

namespace wendlix {
namespace {

// Characters whose code is known from Windows' table, in both directions: one of each
// kind (every code is compared with Windows itself under Wine).
TEST(TextCp936, KnownCodesDecodeAndEncode) {
  struct Case {
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},      // 中文
      {"[\xB9\xA4\xBE\xDF]", "[\xE5\xB7\xA5\xE5\x85\xB7]"},  // [工具]
      {"\x80", "\xE2\x82\xAC"},                              // euro sign, single byte
      {"\xFF", "\xEF\xA3\xB5"},                              // U+F8F5, Windows' 0xFF
      {"\xA1\xA1", "\xE3\x80\x80"},                          // ideographic space
      {"\xA8\xA6", "\xC3\xA9"},                              // é (pinyin letters)
      {"\x81\x5D", "\xE4\xB9\x9A"},                          // "]" is a valid trail byte
      {"\xAA\xA1", "\xEE\x80\x80"},                          // user-defined: U+E000
      {"\xA2\xE3", "\xEE\x9D\xAC"},                          // kept private by Windows
      {"\xFE\x50", "\xEE\xA0\x95"},
      {std::string("a\0\r\n", 4), std::string("a\0\r\n", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(Cp936ToUtf8(c.bytes), c.utf8);
    EXPECT_EQ(Utf8ToCp936(c.utf8), c.bytes);
  }
}

// A bad lead byte costs only itself: the next byte is read on its own, so a line break,
// "=" or a following character is never swallowed.
TEST(TextCp936, InvalidSequencesDecodeToQuestionMarks) {
  struct Case {
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"a\x81", "a?"},      // lead byte at the end
      {"\xB0\nx", "?\nx"},  // lead + line break
      {"\xB0=1", "?=1"},
      {std::string("\xB0\0", 2), std::string("?\0", 2)},
      {"\xB0\x7F", "?\x7F"},              // 0x7F is never a trail byte
      {"\xB0\xFF", "?\xEF\xA3\xB5"},      // nor is 0xFF
      {"\x81\x30\x81\x30", "?0?0"},       // no four-byte sequences
      {"\xB0\xB0\xB0", "\xE9\x9E\x8D?"},  // 鞍, then a cut lead byte
      {"\xB0\xD6\xD0", "\xE7\x88\xB8?"}   // 爸: pairs are taken from the left
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp936ToUtf8(c.bytes), c.utf8) << testing::PrintToString(c.bytes);
  }
}

TEST(TextCp936, TextWithoutACodeIsRefused) {
  const char* refused[] = {
      "\xF0\x9F\x98\x80",  // emoji, outside the BMP
      "a\xC2\xA9",         // ©
      "\xC3\x89",          // É: Windows' best fit would quietly write é
      "\xED\x95\x9C",      // Hangul
      "\xC2\x80",          // U+0080
      "\xEF\xBF\xBD",      // U+FFFD itself
      "ok\xC3",            // invalid UTF-8
      "\xED\xA0\x80",      // an encoded surrogate
  };
  for (const char* s : refused) {
    EXPECT_EQ(Utf8ToCp936(s), std::nullopt) << testing::PrintToString(std::string(s));
  }
  EXPECT_EQ(Utf8ToCp936(""), std::string());
  EXPECT_EQ(Utf8ToCp936("Plain ASCII=1\r\n"), "Plain ASCII=1\r\n");
}

// The whole table both ways: every valid pair is a character (Windows maps them all),
// every character goes back to the code it came from, and whatever the encoder accepts
// is at most two bytes and reads back unchanged.
TEST(TextCp936, WholeTableRoundTrips) {
  int pairs = 0;
  for (unsigned code = 0x8140; code <= 0xFEFE; ++code) {
    const char16_t u = Cp936CodeToUnicode(static_cast<std::uint16_t>(code));
    const auto trail = static_cast<std::uint8_t>(code & 0xFF);
    if (!IsCp936TrailByte(trail)) {
      ASSERT_EQ(u, 0) << std::hex << code;
      continue;
    }
    ASSERT_GE(u, 0x80) << std::hex << code;
    ASSERT_EQ(UnicodeToCp936Code(u), code) << std::hex << code;
    ++pairs;
  }
  EXPECT_EQ(pairs, 126 * 190);
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    const char16_t u = Cp936CodeToUnicode(static_cast<std::uint16_t>(b));
    EXPECT_EQ(u != 0, b == 0x80 || b == 0xFF) << std::hex << b;
  }

  int encodable = 0;
  for (char32_t cp = 1; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string utf8 = Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(cp)));
    const std::optional<std::string> bytes = Utf8ToCp936(utf8);
    if (!bytes) continue;
    ++encodable;
    ASSERT_LE(bytes->size(), 2u) << std::hex << static_cast<unsigned>(cp);
    ASSERT_EQ(Cp936ToUtf8(*bytes), utf8) << std::hex << static_cast<unsigned>(cp);
  }
  EXPECT_EQ(encodable, 0x7F + 126 * 190 + 2);
}

}  // namespace
}  // namespace wendlix
