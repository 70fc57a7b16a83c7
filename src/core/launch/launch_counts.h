// How often each thing on the bar was started from it (a button's click, the keyboard, a menu's
// item, the find box), for the order of the find list. Counted by target, the path or address a
// button or menu item starts: a count survives renaming the group or a web button's caption and
// is shared by two buttons that start the same thing; a shortcut renamed is a new file and starts
// afresh.
//
// The bar settings file keeps them in section "Launch Counts", which older copies of the bar leave
// alone: one line per target, its key a hash of the target (a target may hold "=" or ";" and
// could not be a key itself), its value the count.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace wendlix {

class IniFile;

inline constexpr std::string_view kLaunchCountsSection = "Launch Counts";

class LaunchCounts {
 public:
  // The file keeps this many targets at most, the most started; a count stops at the largest
  // number the file reads back.
  static constexpr std::size_t kMaxKept = 1024;
  static constexpr std::uint32_t kMaxCount = 0x7FFFFFFF;

  // The key `target` is kept under: 16 hex digits of the 64-bit FNV-1a hash of its bytes, ASCII
  // letters lower-cased (paths and addresses name the same thing in any case).
  static std::string KeyOf(std::string_view target);

  std::uint32_t Of(std::string_view target) const;
  void Count(std::string_view target);
  std::size_t Size() const { return counts_.size(); }

  // Section "Launch Counts" of the bar settings file: lines that are no hash and a count are
  // left out. Writing replaces the section, keys ascending; no section at all while nothing was
  // counted.
  static LaunchCounts Read(const IniFile& ini);
  void Write(IniFile& ini) const;

 private:
  std::unordered_map<std::uint64_t, std::uint32_t> counts_;
};

}  // namespace wendlix
