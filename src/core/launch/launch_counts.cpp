#include "core/launch/launch_counts.h"

#include <algorithm>
#include <vector>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

std::uint64_t HashOf(std::string_view target) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (char c : target) {
    const auto byte = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    h = (h ^ byte) * 0x100000001B3ull;
  }
  return h;
}

std::string HexOf(std::uint64_t h) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, h >>= 4) out[static_cast<std::size_t>(i)] = kDigits[h & 0xF];
  return out;
}

bool ParseHex(std::string_view key, std::uint64_t& h) {
  if (key.size() != 16) return false;
  h = 0;
  for (char c : key) {
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    if (digit < 0) return false;
    h = (h << 4) | static_cast<std::uint64_t>(digit);
  }
  return true;
}

// Orders entries from the most to the least worth keeping: the larger count, then the smaller key.
constexpr auto KeptBefore = [](const auto& a, const auto& b) {
  return a.second != b.second ? a.second > b.second : a.first < b.first;
};

}  // namespace

std::string LaunchCounts::KeyOf(std::string_view target) { return HexOf(HashOf(target)); }

std::uint32_t LaunchCounts::Of(std::string_view target) const {
  const auto it = counts_.find(HashOf(target));
  return it == counts_.end() ? 0 : it->second;
}

void LaunchCounts::Count(std::string_view target) {
  const std::uint64_t h = HashOf(target);
  if (const auto it = counts_.find(h); it != counts_.end()) {
    ++it->second;
  } else if (counts_.size() < kMaxKept) {
    counts_.emplace(h, 1);
  } else {
    const auto least = std::max_element(counts_.begin(), counts_.end(), KeptBefore);
    const std::uint32_t start = least->second + 1;
    counts_.erase(least);
    counts_.emplace(h, start);
  }
  Age();
}

void LaunchCounts::Age() {
  std::uint32_t largest = 0;
  for (const auto& [h, n] : counts_) largest = std::max(largest, n);
  for (; largest > kAgeAt; largest = (largest + 1) / 2)
    for (auto& [h, n] : counts_) n = (n + 1) / 2;
}

LaunchCounts LaunchCounts::Read(const IniFile& ini) {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> read;
  for (const std::string& key : ini.ReadSection(kLaunchCountsSection)) {
    std::uint64_t h = 0;
    const int n = ini.ReadInteger(kLaunchCountsSection, key, 0);
    if (ParseHex(key, h) && n > 0) read.emplace_back(h, static_cast<std::uint32_t>(n));
  }
  if (read.size() > kMaxKept) {
    std::nth_element(read.begin(), read.begin() + kMaxKept, read.end(), KeptBefore);
    read.resize(kMaxKept);
  }
  LaunchCounts counts;
  // The first line of a key answers, as the store reads it.
  counts.counts_.insert(read.begin(), read.end());
  counts.Age();
  return counts;
}

void LaunchCounts::Write(IniFile& ini) const {
  if (counts_.empty() && !ini.SectionExists(kLaunchCountsSection)) return;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> sorted(counts_.begin(), counts_.end());
  std::sort(sorted.begin(), sorted.end());
  ini.EraseSection(kLaunchCountsSection);
  for (const auto& [h, n] : sorted) ini.WriteInteger(kLaunchCountsSection, HexOf(h), static_cast<int>(n));
}

}  // namespace wendlix
