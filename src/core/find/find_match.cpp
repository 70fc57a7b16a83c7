#include "core/find/find_match.h"

#include <algorithm>

#include "core/find/pinyin.h"
#include "core/text/utf8.h"

namespace wendlix {
namespace {

// Full-width ASCII as ASCII, the ideographic space as a blank, and the capitals of the
// alphabets code page 936 holds (Latin, Latin-1, Greek, Cyrillic) as small letters.
char32_t FoldFindChar(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E)
    c -= 0xFF01 - 0x21;
  else if (c == 0x3000)
    c = ' ';
  if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
  if (c < 0xC0) return c;
  if ((c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
    return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

bool IsNameSeparator(char32_t c) { return c == ' ' || c == '-' || c == '_' || c == '.' || c == 0xB7; }

bool IsQueryBreak(char32_t c) { return c == ' ' || c == '\''; }

// A bit for each letter and digit, so that a name without some letter of the query is passed
// over at once.
std::uint64_t AlnumBit(char32_t c) {
  if (c >= 'a' && c <= 'z') return std::uint64_t{1} << (c - 'a');
  if (c >= '0' && c <= '9') return std::uint64_t{1} << (26 + c - '0');
  return 0;
}

// Adds what the query positions in `s` reach by leaving out a blank or apostrophe there.
std::uint64_t SkipBreaks(std::uint64_t s, std::uint64_t breaks) {
  for (;;) {
    const std::uint64_t next = s | ((s & breaks) << 1);
    if (next == s) return s;
    s = next;
  }
}

}  // namespace

FindQuery::FindQuery(std::string_view utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) chars_.push_back(FoldFindChar(ReadUtf8(utf8, pos)));
  while (!chars_.empty() && chars_.back() == ' ') chars_.pop_back();
  const auto lead = std::find_if(chars_.begin(), chars_.end(), [](char32_t c) { return c != ' '; });
  chars_.erase(chars_.begin(), lead);
  if (chars_.size() > kMaxBits) return;
  for (std::size_t i = 0; i < chars_.size(); ++i) {
    const char32_t c = chars_[i];
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (IsQueryBreak(c)) breaks_ |= bit;
    needs_ |= AlnumBit(c);
    if (c < ascii_.size()) {
      ascii_[c] |= bit;
      continue;
    }
    auto it = std::find_if(others_.begin(), others_.end(), [c](const auto& o) { return o.first == c; });
    if (it == others_.end())
      others_.push_back({c, bit});
    else
      it->second |= bit;
  }
}

std::uint64_t FindQuery::Positions(char32_t c) const {
  if (c < ascii_.size()) return ascii_[c];
  for (const auto& [other, bits] : others_)
    if (other == c) return bits;
  return 0;
}

void FindIndex::Reserve(std::size_t names, std::size_t totalChars) {
  starts_.reserve(names + 1);
  offers_.reserve(names);
  units_.reserve(totalChars);
}

void FindIndex::Add(std::string_view utf8Name) {
  std::uint64_t offers = 0;
  std::size_t pos = 0;
  while (pos < utf8Name.size()) {
    const char32_t c = FoldFindChar(ReadUtf8(utf8Name, pos));
    const std::uint16_t set = PinyinReadingSet(c);
    units_.push_back({c, set, IsNameSeparator(c)});
    offers |= AlnumBit(c);
    for (const std::uint16_t syllable : PinyinSetSyllables(set))
      for (const char letter : PinyinSyllable(syllable))
        offers |= AlnumBit(letter == 'v' ? 'u' : letter) | AlnumBit(letter);
  }
  starts_.push_back(static_cast<std::uint32_t>(units_.size()));
  offers_.push_back(offers);
}

FindMatch FindIndex::Match(const FindQuery& query, std::size_t name) const {
  if (query.Empty() || name >= Size() || (query.needs_ & ~offers_[name]) != 0) return FindMatch::kNone;
  const Unit* first = units_.data() + starts_[name];
  const Unit* last = units_.data() + starts_[name + 1];
  return query.chars_.size() > FindQuery::kMaxBits ? MatchText(query, first, last)
                                                   : MatchBits(query, first, last);
}

void FindIndex::MatchAll(const FindQuery& query, std::vector<FindHit>& hits) const {
  if (query.Empty()) return;
  for (std::size_t i = 0; i < Size(); ++i) {
    const FindMatch m = Match(query, i);
    if (m != FindMatch::kNone) hits.push_back({static_cast<std::uint32_t>(i), m});
  }
}

// Bit q of a state set means "the first q characters of the query are typed". Two sets run
// over the name side by side: the matches begun at its first character, and all of them
// (a new one begins at every character). Each character moves the sets forward by what can
// type it: itself, any beginning of one of its readings, or nothing for a separator.
FindMatch FindIndex::MatchBits(const FindQuery& query, const Unit* u, const Unit* last) const {
  const std::uint64_t done = std::uint64_t{1} << query.chars_.size();
  const auto step = [&query](const Unit& unit, std::uint64_t s) {
    std::uint64_t next = (s & query.Positions(unit.Char)) << 1;
    if (unit.Separator) next |= s;
    for (const std::uint16_t syllable : PinyinSetSyllables(unit.Set)) {
      std::uint64_t typed = s;
      for (const char letter : PinyinSyllable(syllable)) {
        // Pinyin keyboards type ü as v; people also type u.
        typed &= query.ascii_[static_cast<unsigned char>(letter)] | (letter == 'v' ? query.ascii_['u'] : 0);
        if (typed == 0) break;
        typed <<= 1;
        next |= typed;
      }
    }
    return next;
  };

  std::uint64_t fromStart = 1, any = 0;
  FindMatch best = FindMatch::kNone;
  for (;; ++u) {
    fromStart = SkipBreaks(fromStart, query.breaks_);
    any = SkipBreaks(any | 1, query.breaks_);
    if (fromStart & done)
      best = FindMatch::kPrefix;
    else if ((any & done) && best == FindMatch::kNone)
      best = FindMatch::kSubstring;
    if (u == last) break;
    // Only a match from the start could still do better.
    if (fromStart == 0 && best != FindMatch::kNone) return best;
    if (fromStart != 0) fromStart = step(*u, fromStart);
    any = step(*u, any);
  }
  return (fromStart & done) ? FindMatch::kExact : best;
}

FindMatch FindIndex::MatchText(const FindQuery& query, const Unit* first, const Unit* last) const {
  const std::size_t size = query.chars_.size();
  if (static_cast<std::size_t>(last - first) < size) return FindMatch::kNone;
  const auto at = [&](const Unit* u) {
    return std::equal(u, u + size, query.chars_.begin(),
                      [](const Unit& a, char32_t b) { return a.Char == b; });
  };
  if (at(first)) return first + size == last ? FindMatch::kExact : FindMatch::kPrefix;
  for (const Unit* u = first + 1; u + size <= last; ++u)
    if (at(u)) return FindMatch::kSubstring;
  return FindMatch::kNone;
}

FindMatch MatchFindName(std::string_view query, std::string_view name) {
  FindIndex index;
  index.Add(name);
  return index.Match(FindQuery(query), 0);
}

}  // namespace wendlix
