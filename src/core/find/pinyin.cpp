#include "core/find/pinyin.h"

#include "core/find/pinyin_table.h"

namespace wendlix {

std::uint16_t PinyinReadingSet(char32_t c) {
  for (const PinyinRun& run : kPinyinTable.Runs) {
    if (c < run.First) break;
    if (c - run.First < run.Count) return kPinyinTable.CharSets[run.Offset + (c - run.First)];
  }
  return 0;
}

std::span<const std::uint16_t> PinyinSetSyllables(std::uint16_t set) {
  const PinyinTableData& t = kPinyinTable;
  if (set + 1u >= t.SetStart.size()) return {};
  return t.SetSyllables.subspan(t.SetStart[set], t.SetStart[set + 1] - t.SetStart[set]);
}

std::string_view PinyinSyllable(std::uint16_t syllable) {
  const PinyinTableData& t = kPinyinTable;
  if (syllable + 1u >= t.SyllableStart.size()) return {};
  return t.SyllableText.substr(t.SyllableStart[syllable],
                               t.SyllableStart[syllable + 1] - t.SyllableStart[syllable]);
}

}  // namespace wendlix
