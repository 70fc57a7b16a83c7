// The generated pinyin data (scripts/make_pinyin_table.py writes pinyin_table.cpp). Readers use
// pinyin.h; this layout is shared only with the generator and the tests that check it.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace wendlix {

// Consecutive code points First .. First + Count - 1, whose reading sets are CharSets[Offset ..].
struct PinyinRun {
  char32_t First;
  std::uint16_t Count;
  std::uint16_t Offset;
};

struct PinyinTableData {
  std::string_view SyllableText;                 // every syllable, toneless, one after another
  std::span<const std::uint16_t> SyllableStart;  // syllable i is [Start[i], Start[i + 1])
  std::span<const std::uint16_t> SetStart;       // set i is SetSyllables[SetStart[i] .. SetStart[i + 1])
  std::span<const std::uint16_t> SetSyllables;   // syllable numbers, ascending within a set
  std::span<const PinyinRun> Runs;               // ascending by First
  std::span<const std::uint16_t> CharSets;       // set number per code point; set 0 is empty
};

extern const PinyinTableData kPinyinTable;

}  // namespace wendlix
