#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/find/pinyin.h"
#include "core/find/pinyin_table.h"
#include "core/text/cp936.h"

namespace wendlix {
namespace {

std::vector<std::string> Readings(char32_t c) {
  std::vector<std::string> out;
  for (const std::uint16_t s : PinyinReadings(c)) out.emplace_back(PinyinSyllable(s));
  return out;
}

bool IsIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

// The table's characters are exactly the ideographs of our code page 936 table (the one
// compared with Windows' own), but for those Unihan gives no Mandarin reading (Japanese-made
// characters, and unified ideographs of the compatibility block).
TEST(PinyinTable, CoversTheIdeographsOfCodePage936) {
  std::vector<char32_t> withoutReading;
  int withReading = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char32_t c = Cp936CodeToUnicode(static_cast<std::uint16_t>(lead << 8 | trail));
      if (!IsIdeograph(c)) continue;
      if (PinyinReadings(c).empty())
        withoutReading.push_back(c);
      else
        ++withReading;
    }
  }
  const std::vector<char32_t> expected = {0x5159, 0x5161, 0x55E7, 0x685B, 0x70EA, 0x74E7, 0x74F0, 0x74F1,
                                          0x74FC, 0x7505, 0xFA0E, 0xFA0F, 0xFA11, 0xFA13, 0xFA14, 0xFA1F,
                                          0xFA21, 0xFA23, 0xFA24, 0xFA27, 0xFA28, 0xFA29};
  EXPECT_EQ(withoutReading, expected);

  // ... and nothing else has a reading: every character the table lists encodes.
  int listed = 0;
  for (const PinyinRun& run : kPinyinTable.Runs) {
    for (char32_t c = run.First; c < run.First + run.Count; ++c) {
      if (PinyinReadings(c).empty()) continue;
      ++listed;
      const auto code = UnicodeToCp936Code(static_cast<char16_t>(c));
      EXPECT_TRUE(code && *code > 0xFF) << std::hex << static_cast<unsigned>(c);
    }
  }
  EXPECT_EQ(listed, withReading);
}

TEST(PinyinTable, EveryModernReadingOfAPolyphone) {
  struct Case {
    char32_t Char;
    std::vector<std::string> Readings;  // ascending
  };
  const Case cases[] = {
      {U'重', {"chong", "zhong"}},  // not the classical "tong"
      {U'行', {"hang", "heng", "xing"}},
      {U'长', {"chang", "zhang"}},
      {U'单', {"chan", "dan", "shan"}},
      {U'还', {"hai", "huan"}},  // not the classical "fu"
      {U'绿', {"lu", "lv"}},     // ü as v
      {U'略', {"lve"}},
      {U'嗯', {"n", "ng"}},        // syllables without a vowel
      {U'欸', {"ai", "e", "ei"}},  // ê as e
      {U'计', {"ji"}},
      {U'\uF92C', {"lang"}},  // compatibility ideograph: as U+90CE 郎
      {U'\u3400', {}},        // has a reading, but is not in code page 936
      {U'〇', {}},
      {U'a', {}},
      {U'가', {}},
      {U'\U0001F3B5', {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Readings(c.Char), c.Readings) << std::hex << static_cast<unsigned>(c.Char);
}

}  // namespace
}  // namespace wendlix
