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

}  // namespace

std::string LaunchCounts::KeyOf(std::string_view target) { return HexOf(HashOf(target)); }

std::uint32_t LaunchCounts::Of(std::string_view target) const {
  const auto it = counts_.find(HashOf(target));
  return it == counts_.end() ? 0 : it->second;
}

void LaunchCounts::Count(std::string_view target) {
  std::uint32_t& n = counts_[HashOf(target)];
  if (n < kMaxCount) ++n;
}

LaunchCounts LaunchCounts::Read(const IniFile& ini) {
  LaunchCounts counts;
  for (const std::string& key : ini.ReadSection(kLaunchCountsSection)) {
    std::uint64_t h = 0;
    const int n = ini.ReadInteger(kLaunchCountsSection, key, 0);
    // The first line of a key answers, as the store reads it.
    if (ParseHex(key, h) && n > 0) counts.counts_.emplace(h, static_cast<std::uint32_t>(n));
  }
  return counts;
}

void LaunchCounts::Write(IniFile& ini) const {
  if (counts_.empty() && !ini.SectionExists(kLaunchCountsSection)) return;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> kept(counts_.begin(), counts_.end());
  if (kept.size() > kMaxKept) {
    std::nth_element(kept.begin(), kept.begin() + kMaxKept, kept.end(), [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    kept.resize(kMaxKept);
  }
  std::sort(kept.begin(), kept.end());
  ini.EraseSection(kLaunchCountsSection);
  for (const auto& [h, n] : kept) ini.WriteInteger(kLaunchCountsSection, HexOf(h), static_cast<int>(n));
}

}  // namespace wendlix
