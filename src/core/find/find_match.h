// Finding buttons by typing: whether, and how well, a typed query matches a button's name.
//
// Both sides ignore case and read full-width ASCII as ASCII. The query matches any run of
// the name's characters, where each character of the name is typed as itself or, for a
// Chinese character, as any beginning of any of its readings: "jsq", "jisuanqi", "jisuan",
// "jisq" and "计s" all find 计算器, "qqyy" and "qq音乐" find QQ音乐, "z" and "c" find 重.
// Blanks, '-', '_', '.' and '·' in the name may be left out of the query; a blank or an
// apostrophe in the query ("ji'suan", "qq yy") only marks where a character of the name
// begins. An empty query matches nothing.
//
// The names are read once into an index (the readings of every character looked up then);
// a keystroke then costs one pass over each name with the query's positions as a bit set.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace wendlix {

// Better matches compare greater.
enum class FindMatch : std::uint8_t {
  kNone,
  kSubstring,  // starts after the name's first character
  kPrefix,     // starts with the name
  kExact,      // covers the whole name
};

// A query, read once per keystroke.
class FindQuery {
 public:
  explicit FindQuery(std::string_view utf8);
  bool Empty() const { return chars_.empty(); }

 private:
  friend class FindIndex;
  // Queries up to this long match by the bit sets below; longer ones (no button's name is
  // that long in practice) only as plain text.
  static constexpr std::size_t kMaxBits = 63;

  std::uint64_t Positions(char32_t c) const;

  std::vector<char32_t> chars_;                             // folded, blank runs made one
  std::array<std::uint64_t, 128> ascii_{};                  // where each ASCII character stands
  std::vector<std::pair<char32_t, std::uint64_t>> others_;  // the same for the rest
  std::uint64_t breaks_ = 0;                                // where a blank or apostrophe stands
  std::uint64_t needs_ = 0;                                 // the letters and digits it holds
};

struct FindHit {
  std::uint32_t Name = 0;  // in the order the names were added
  FindMatch Match = FindMatch::kNone;
  friend bool operator==(const FindHit&, const FindHit&) = default;
};

class FindIndex {
 public:
  void Reserve(std::size_t names, std::size_t totalChars);
  void Add(std::string_view utf8Name);
  std::size_t Size() const { return starts_.size() - 1; }

  FindMatch Match(const FindQuery& query, std::size_t name) const;
  // Appends every name that matches, in the order they were added.
  void MatchAll(const FindQuery& query, std::vector<FindHit>& hits) const;

 private:
  struct Unit {
    char32_t Char;      // folded
    std::uint16_t Set;  // pinyin reading set, 0 for none
    bool Separator;     // may be left out of the query
  };

  FindMatch MatchBits(const FindQuery& query, const Unit* first, const Unit* last) const;
  FindMatch MatchText(const FindQuery& query, const Unit* first, const Unit* last) const;

  std::vector<Unit> units_;
  std::vector<std::uint32_t> starts_{0};  // name i is units_[starts_[i] .. starts_[i + 1])
  std::vector<std::uint64_t> offers_;     // per name, the letters and digits that can type some of it
};

// One query against one name, for callers without an index.
FindMatch MatchFindName(std::string_view query, std::string_view name);

}  // namespace wendlix
