#include "core/live/live_schedule.h"

#include <algorithm>
#include <utility>

namespace wendlix {

void LiveSchedule::Add(LiveKey key, bool shown) {
  if (key == kWholeBar) return;
  Group g;
  g.shown = shown;
  groups_[key] = std::move(g);
}

void LiveSchedule::Remove(LiveKey key) { groups_.erase(key); }

void LiveSchedule::Notice(LiveKey key, std::int64_t now, const std::vector<LiveRename>& renames) {
  auto it = groups_.find(key);
  if (it == groups_.end()) return;
  Group& g = it->second;
  if (!g.pending) {
    g.pending = true;
    g.burstStart = now;
  }
  g.lastNotice = std::max(g.lastNotice, now);
  for (const LiveRename& r : renames) {
    if (g.renames.size() >= timing_.MaxRenames) break;
    g.renames.push_back(r);
  }
}

void LiveSchedule::Block(LiveKey key) {
  if (key == kWholeBar) {
    ++wholeBarBlocks_;
    return;
  }
  auto it = groups_.find(key);
  if (it != groups_.end()) ++it->second.blocks;
}

void LiveSchedule::Unblock(LiveKey key) {
  int* blocks = &wholeBarBlocks_;
  if (key != kWholeBar) {
    auto it = groups_.find(key);
    if (it == groups_.end()) return;
    blocks = &it->second.blocks;
  }
  if (*blocks > 0) --*blocks;
}

void LiveSchedule::SetShown(LiveKey key, bool shown) {
  auto it = groups_.find(key);
  if (it != groups_.end()) it->second.shown = shown;
}

std::vector<LiveRename> LiveSchedule::BeginFill(LiveKey key, std::uint64_t digest) {
  auto it = groups_.find(key);
  if (it == groups_.end()) return {};
  Group& g = it->second;
  g.pending = false;
  g.shownDigest = digest;
  return std::exchange(g.renames, {});
}

bool LiveSchedule::SameAsShown(LiveKey key, std::uint64_t digest) const {
  auto it = groups_.find(key);
  return it != groups_.end() && it->second.shownDigest == digest;
}

void LiveSchedule::Dismiss(LiveKey key) {
  auto it = groups_.find(key);
  if (it == groups_.end()) return;
  it->second.pending = false;
  it->second.renames.clear();
}

std::int64_t LiveSchedule::DueAt(const Group& g) const {
  return std::min(g.lastNotice + timing_.SettleMs, g.burstStart + timing_.MaxDelayMs);
}

std::vector<LiveKey> LiveSchedule::Due(std::int64_t now) const {
  std::vector<LiveKey> due;
  for (const auto& [key, g] : groups_)
    if (CanRun(g) && DueAt(g) <= now) due.push_back(key);
  std::sort(due.begin(), due.end());
  return due;
}

std::optional<std::int64_t> LiveSchedule::NextDue() const {
  std::optional<std::int64_t> next;
  for (const auto& [key, g] : groups_)
    if (CanRun(g) && (!next || DueAt(g) < *next)) next = DueAt(g);
  return next;
}

bool LiveSchedule::Pending(LiveKey key) const {
  auto it = groups_.find(key);
  return it != groups_.end() && it->second.pending;
}

std::size_t LiveSchedule::RenamesHeld(LiveKey key) const {
  auto it = groups_.find(key);
  return it == groups_.end() ? 0 : it->second.renames.size();
}

}  // namespace wendlix
