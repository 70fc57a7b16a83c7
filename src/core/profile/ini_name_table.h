// Names (sections of a file, keys of a section) to indices, compared ignoring ASCII case.
// Flat and cache-friendly: a short list is searched by hash in a line, a longer one
// gets an open-addressing table. The names are views; their text must outlive the table.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace wendlix {

class IniNameTable {
 public:
  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // the usual case: the caller spells it as the file does
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
  }

  // The index stored for `name`, or nullptr.
  const std::size_t* Find(std::string_view name) const {
    const std::uint32_t at = Locate(name);
    return at == kNone ? nullptr : &entries_[at].value;
  }
  // False, and nothing changed, when the name is already there.
  bool Insert(std::string_view name, std::size_t value) {
    if (Locate(name) != kNone) return false;
    const std::uint32_t hash = slots_.empty() ? 0 : Hash(name);
    entries_.push_back({name, value, hash, true});
    if (!slots_.empty() && (entries_.size() + 1) * 2 > slots_.size()) {
      Rebuild();
    } else if (!slots_.empty()) {
      Place(static_cast<std::uint32_t>(entries_.size() - 1));
    } else if (entries_.size() > kLinearLimit) {
      Rebuild();
    }
    return true;
  }
  void Erase(std::string_view name) {
    const std::uint32_t at = Locate(name);
    if (at == kNone) return;
    if (slots_.empty()) {
      entries_.erase(entries_.begin() + at);
      return;
    }
    entries_[at].live = false;
    ++dead_;
    if (dead_ * 2 > entries_.size()) Rebuild();
  }
  void Reserve(std::size_t count) { entries_.reserve(count); }
  void Clear() {
    entries_.clear();
    slots_.clear();
    dead_ = 0;
    hint_ = 0;
  }

 private:
  struct Entry {
    std::string_view name;
    std::size_t value;
    std::uint32_t hash;  // only while the table has slots
    bool live;
  };
  static constexpr std::uint32_t kNone = UINT32_MAX;
  static constexpr std::size_t kLinearLimit = 24;

  static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
  static std::uint32_t Hash(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (const char c : s) h = (h ^ static_cast<unsigned char>(Lower(c))) * 16777619u;
    return h;
  }

  // Index into entries_ of the live entry with that name, or kNone. A short list is
  // searched without hashing: most names differ in length already.
  std::uint32_t Locate(std::string_view name) const {
    if (slots_.empty()) {
      // Callers mostly ask in file order: start after the last answer.
      const std::size_t n = entries_.size();
      for (std::size_t k = 0, i = hint_ < n ? hint_ : 0; k < n; ++k, i = i + 1 < n ? i + 1 : 0) {
        if (SameName(entries_[i].name, name)) {
          hint_ = i + 1;
          return static_cast<std::uint32_t>(i);
        }
      }
      return kNone;
    }
    const std::uint32_t hash = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const std::uint32_t slot = slots_[i];
      if (slot == kNone) return kNone;
      const Entry& e = entries_[slot];
      if (e.live && e.hash == hash && SameName(e.name, name)) return slot;
    }
  }
  void Place(std::uint32_t index) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = entries_[index].hash & mask;
    while (slots_[i] != kNone) i = (i + 1) & mask;
    slots_[i] = index;
  }
  // Drops dead entries and sizes the table for what is left.
  void Rebuild() {
    std::erase_if(entries_, [](const Entry& e) { return !e.live; });
    dead_ = 0;
    slots_.clear();
    if (entries_.size() <= kLinearLimit) return;
    std::size_t size = 64;
    while (size < entries_.size() * 2 + 2) size *= 2;
    slots_.assign(size, kNone);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      entries_[i].hash = Hash(entries_[i].name);
      Place(static_cast<std::uint32_t>(i));
    }
  }

  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // entry index, or kNone when empty
  std::size_t dead_ = 0;
  mutable std::size_t hint_ = 0;  // where a short list's next search starts
};

}  // namespace wendlix
