// How often each thing on the bar was started from it (a button's click, the keyboard, a menu's
// item, the find box), for the order of the find list. Counted by target, the path or address a
// button or menu item starts: a count survives renaming the group or a web button's caption and
// is shared by two buttons that start the same thing; a shortcut renamed is a new file and starts
// afresh.
//
// Counts age, so that what the user starts now can always rise above what was started long ago:
// when one passes kAgeAt every count is halved, and a target new to a full table takes the place
// of the least started and starts one above it (it ranks above whatever has not been started since
// the least started was, and stays there until it is the least started itself).
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
  // At most this many targets are kept, in memory and in the file.
  static constexpr std::size_t kMaxKept = 1024;
  // Halving, rounding up (nothing counted goes to nought), keeps every count at most this.
  static constexpr std::uint32_t kAgeAt = 1000;

  // The key `target` is kept under: 16 hex digits of the 64-bit FNV-1a hash of its bytes, ASCII
  // letters lower-cased (paths and addresses name the same thing in any case).
  static std::string KeyOf(std::string_view target);

  std::uint32_t Of(std::string_view target) const;
  void Count(std::string_view target);
  std::size_t Size() const { return counts_.size(); }

  // Section "Launch Counts" of the bar settings file: lines that are no hash and a count are
  // left out, and of more than kMaxKept the most started are kept (larger counts, as older copies
  // wrote them, age as they are read). Writing replaces the section, keys ascending; no section at
  // all while nothing was counted.
  static LaunchCounts Read(const IniFile& ini);
  void Write(IniFile& ini) const;

 private:
  void Age();
  std::unordered_map<std::uint64_t, std::uint32_t> counts_;
};

}  // namespace wendlix
