#include <gtest/gtest.h>

#include <string>

#include "core/text/encoding.h"
#include "core/text/utf8.h"

namespace wendlix {
namespace {

// Every scalar value, alone and between an embedded NUL and a letter, survives our
// reader and both conversions; those above U+FFFF take a surrogate pair.
TEST(TextUtf, EveryScalarValueRoundTrips) {
  std::string buffer;
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    buffer.clear();
    AppendUtf8(buffer, cp);
    std::size_t pos = 0;
    const char32_t back = ReadUtf8(buffer, pos);
    const std::string framed = std::string("\0", 1) + buffer + "a";
    const std::u16string wide = Utf8ToUtf16(framed);
    if (back != cp || pos != buffer.size() || Utf16ToUtf8(wide) != framed ||
        wide.size() != (cp > 0xFFFF ? 4u : 3u)) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp);
      break;
    }
  }
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
  EXPECT_EQ(Utf8ToUtf16("\xE4\xB8\xAD"), u"\x4E2D");
}

TEST(TextUtf, InvalidUtf8BecomesReplacementWithoutEatingNeighbours) {
  struct Case {
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {"\x80", u"\xFFFD"},                                                // stray continuation byte
      {"a\xC3", u"a\xFFFD"},                                              // truncated at the end
      {"\xC3(", u"\xFFFD("},                                              // bad continuation is kept
      {"\xE4\xB8" + std::string("a"), u"\xFFFD" + std::u16string(u"a")},  // one U+FFFD for a cut 3-byte form
      {"\xF0\x9F\x98", u"\xFFFD"},                                        // cut 4-byte form at the end
      {"\xC0\xAF", u"\xFFFD\xFFFD"},                                      // overlong "/"
      {"\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},                            // overlong 3-byte form
      {"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},                            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},                  // above U+10FFFF
      {"\xFF\xFE" + std::string("x"), u"\xFFFD\xFFFD" + std::u16string(u"x")},
      {"\xE2\x82\n", u"\xFFFD\n"}  // a line break survives
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << testing::PrintToString(c.in);
  }
}

TEST(TextUtf, LoneSurrogatesBecomeReplacement) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct Case {
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {u"\xD800", fffd},
      {u"\xDC00" + std::u16string(u"a"), fffd + "a"},
      {u"a\xD83D", "a" + fffd},                            // high surrogate at the end
      {u"\xD800\xD800\xDC00", fffd + "\xF0\x90\x80\x80"},  // the second high one pairs
      {u"\xDE00\xD83D", fffd + fffd}                       // reversed pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.in), c.out);
  }
}

}  // namespace
}  // namespace wendlix
