#include "core/shell/ordered_merge.h"

#include <cstdint>

namespace wendlix {

namespace {

// Simple upper-case mapping of one code point for the scripts that have case. Titlecase
// digraphs and characters whose upper case lies elsewhere are left alone, as the file
// system's table does.
char32_t UpperCaseOf(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // Latin-1
  if (c == 0xFF) return 0x178;
  if (c == 0x131) return 'I';                                  // dotless i
  if (c >= 0x100 && c <= 0x137 && c != 0x130) return c & ~1u;  // Latin Extended-A, pairs
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
  if (c >= 0x14A && c <= 0x177) return c & ~1u;
  if (c == 0x17A || c == 0x17C || c == 0x17E) return c - 1;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;  // Greek
  if (c == 0x3C2) return 0x3A3;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0x460 && c <= 0x481) return c & ~1u;
  if (c >= 0x48A && c <= 0x4BF) return c & ~1u;
  if (c >= 0x4D0 && c <= 0x52F) return c & ~1u;
  if (c >= 0x561 && c <= 0x586) return c - 0x30;   // Armenian
  if (c >= 0x1E00 && c <= 0x1E95) return c & ~1u;  // Latin Extended Additional
  if (c >= 0x1EA0 && c <= 0x1EFF) return c & ~1u;
  if (c >= 0x2170 && c <= 0x217F) return c - 0x10;  // Roman numerals
  if (c >= 0x24D0 && c <= 0x24E9) return c - 0x1A;  // circled letters
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;  // full-width Latin
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the UTF-8 sequence at `s[i]` and its code point; 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  std::size_t length;
  char32_t minimum;
  if (b0 >= 0xC2 && b0 <= 0xDF)
    length = 2, c = b0 & 0x1F, minimum = 0x80;
  else if (b0 >= 0xE0 && b0 <= 0xEF)
    length = 3, c = b0 & 0x0F, minimum = 0x800;
  else if (b0 >= 0xF0 && b0 <= 0xF4)
    length = 4, c = b0 & 0x07, minimum = 0x10000;
  else
    return 0;
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  return (c < minimum || c > 0x10FFFF) ? 0 : length;
}

void AppendFileNameKey(std::string_view name, std::string& key) {
  for (std::size_t i = 0; i < name.size();) {
    const unsigned char b = static_cast<unsigned char>(name[i]);
    if (b < 0x80) {
      key += static_cast<char>((b >= 'a' && b <= 'z') ? b - 0x20 : b);
      ++i;
      continue;
    }
    // U+3000 to U+EFFF (CJK among them) have no case: copy well-formed sequences as they are.
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(name[k]); };
    if (b >= 0xE3 && b <= 0xEE && i + 2 < name.size() && (at(i + 1) & 0xC0) == 0x80 &&
        (at(i + 2) & 0xC0) == 0x80 && (b != 0xED || at(i + 1) < 0xA0)) {
      key.append(name.data() + i, 3);
      i += 3;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(name, i, c);
    if (length == 0) {
      key += static_cast<char>(b);
      ++i;
      continue;
    }
    AppendUtf8(key, UpperCaseOf(c));
    i += length;
  }
}

}  // namespace

std::string FileNameKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  AppendFileNameKey(name, key);
  return key;
}

namespace {

// The keys of a list in one buffer, found through an open-addressing table: one
// allocation for all keys, none per look-up.
class KeyIndex {
 public:
  explicit KeyIndex(const std::vector<std::string>& names) : offsets_(names.size() + 1, 0) {
    std::size_t total = 0;
    for (const std::string& name : names) total += name.size();
    arena_.reserve(total);
    for (std::size_t i = 0; i < names.size(); ++i) {
      AppendFileNameKey(names[i], arena_);
      offsets_[i + 1] = arena_.size();
    }
    std::size_t capacity = 16;
    while (capacity < names.size() * 2) capacity *= 2;
    slots_.assign(capacity, kEmpty);
    firstOf_.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      std::size_t slot = Hash(Key(i)) & (slots_.size() - 1);
      while (slots_[slot] != kEmpty && Key(slots_[slot]) != Key(i)) slot = (slot + 1) & (slots_.size() - 1);
      if (slots_[slot] == kEmpty) slots_[slot] = i;
      firstOf_[i] = slots_[slot];
    }
  }

  // The first name with this key, or npos.
  std::size_t Find(std::string_view key) const {
    std::size_t slot = Hash(key) & (slots_.size() - 1);
    while (slots_[slot] != kEmpty) {
      if (Key(slots_[slot]) == key) return slots_[slot];
      slot = (slot + 1) & (slots_.size() - 1);
    }
    return std::string::npos;
  }
  std::size_t FirstOf(std::size_t i) const { return firstOf_[i]; }

 private:
  static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);
  static std::size_t Hash(std::string_view key) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : key) h = (h ^ c) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
  std::string_view Key(std::size_t i) const {
    return std::string_view(arena_).substr(offsets_[i], offsets_[i + 1] - offsets_[i]);
  }

  std::string arena_;
  std::vector<std::size_t> offsets_;
  std::vector<std::size_t> slots_;
  std::vector<std::size_t> firstOf_;
};

}  // namespace

std::vector<std::string> MergeOrderedList(const std::vector<std::string>& saved,
                                          const std::vector<std::string>& current) {
  // Every name of `current` stands for the first name of `current` with the same key.
  const KeyIndex index(current);
  std::vector<char> inSaved(current.size(), 0), taken(current.size(), 0);
  std::vector<std::string> result;
  result.reserve(current.size());
  std::string key;
  for (const std::string& name : saved) {
    key.clear();
    AppendFileNameKey(name, key);
    const std::size_t first = index.Find(key);
    if (first == std::string::npos) continue;
    inSaved[first] = 1;
    if (!taken[first]) {
      result.push_back(current[first]);
      taken[first] = 1;
    }
  }
  for (std::size_t i = 0; i < current.size(); ++i) {
    const std::size_t first = index.FirstOf(i);
    if (inSaved[first] || taken[first]) continue;
    result.push_back(current[i]);
    taken[first] = 1;
  }
  return result;
}

}  // namespace wendlix
