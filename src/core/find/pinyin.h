// Toneless pinyin readings of the Chinese characters of code page 936, ü written v
// ("lv" for 绿). A character with several readings has them all (重: chong, zhong).
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace wendlix {

// A number for `c`'s set of readings, shared by every character with the same readings;
// 0 (the empty set) for a character without one: anything outside code page 936, Latin
// letters, punctuation.
std::uint16_t PinyinReadingSet(char32_t c);

// The syllable numbers of a reading set, ascending.
std::span<const std::uint16_t> PinyinSetSyllables(std::uint16_t set);

inline std::span<const std::uint16_t> PinyinReadings(char32_t c) {
  return PinyinSetSyllables(PinyinReadingSet(c));
}

// The text of a syllable number from PinyinReadings: lower-case letters a-z.
std::string_view PinyinSyllable(std::uint16_t syllable);

}  // namespace wendlix
