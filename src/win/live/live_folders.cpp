#include "win/live/live_folders.h"

#include <algorithm>

#include "win/live/folder_probe.h"

namespace wendlix {

LiveFolders::LiveFolders(HWND window, UINT message, UINT_PTR timerId, LiveTiming timing,
                         FolderWatcherOptions options)
    : window_(window), timerId_(timerId), schedule_(timing), watcher_(window, message, options) {}

LiveFolders::~LiveFolders() { KillTimer(window_, timerId_); }

void LiveFolders::Watch(LiveKey key, const std::string& folder, bool shown, const std::string& file) {
  Unwatch(key);
  Group g;
  g.watchId = nextWatchId_++;
  g.folder = FullFolderPath(folder);
  g.file = file;
  // Known at once, so that the first fill can say why a group is empty; the watcher's first
  // notice confirms it.
  g.state = ProbeFolderState(g.folder);
  keyOfWatch_[g.watchId] = key;
  watcher_.Add(g.watchId, folder);
  groups_[key] = g;
  schedule_.Add(key, shown);
}

void LiveFolders::Unwatch(LiveKey key) {
  auto it = groups_.find(key);
  if (it == groups_.end()) return;
  watcher_.Remove(it->second.watchId);
  keyOfWatch_.erase(it->second.watchId);
  groups_.erase(it);
  schedule_.Remove(key);
  ArmTimer();
}

void LiveFolders::SetShown(LiveKey key, bool shown) {
  schedule_.SetShown(key, shown);
  ArmTimer();
}

void LiveFolders::Block(LiveKey key) {
  schedule_.Block(key);
  ArmTimer();
}

void LiveFolders::Unblock(LiveKey key) {
  schedule_.Unblock(key);
  ArmTimer();
}

void LiveFolders::Recheck(LiveKey key) {
  auto it = groups_.find(key);
  if (it != groups_.end()) watcher_.Recheck(it->second.watchId);
}

LiveRefill LiveFolders::BeginFill(LiveKey key) {
  LiveRefill fill;
  fill.Key = key;
  auto it = groups_.find(key);
  if (it == groups_.end()) return fill;
  fill.State = it->second.state;
  fill.Renames = schedule_.BeginFill(key, ReadFolderDigest(it->second.folder, fill.State, it->second.file));
  ArmTimer();
  return fill;
}

void LiveFolders::Filled(LiveKey key, std::uint64_t digest) { schedule_.BeginFill(key, digest); }

std::size_t LiveFolders::RenamesHeld(LiveKey key) const { return schedule_.RenamesHeld(key); }

FolderState LiveFolders::State(LiveKey key) const {
  auto it = groups_.find(key);
  return it == groups_.end() ? FolderState::kMissing : it->second.state;
}

void LiveFolders::OnNotices() {
  for (FolderNotice& n : watcher_.TakeNotices()) {
    auto key = keyOfWatch_.find(n.Id);
    if (key == keyOfWatch_.end()) continue;
    groups_[key->second].state = n.State;
    schedule_.Notice(key->second, static_cast<std::int64_t>(n.Tick), n.Renames);
  }
  ArmTimer();
}

std::vector<LiveRefill> LiveFolders::OnTimer() {
  KillTimer(window_, timerId_);
  std::vector<LiveRefill> refills;
  for (LiveKey key : schedule_.Due(static_cast<std::int64_t>(GetTickCount64()))) {
    const Group& g = groups_[key];
    const std::uint64_t digest = ReadFolderDigest(g.folder, g.state, g.file);
    if (schedule_.SameAsShown(key, digest)) {
      schedule_.Dismiss(key);
      continue;
    }
    refills.push_back({key, schedule_.BeginFill(key, digest), g.state});
  }
  ArmTimer();
  return refills;
}

bool LiveFolders::Idle() const { return !schedule_.NextDue(); }

void LiveFolders::ArmTimer() {
  const std::optional<std::int64_t> due = schedule_.NextDue();
  if (!due) {
    KillTimer(window_, timerId_);
    return;
  }
  const std::int64_t wait = *due - static_cast<std::int64_t>(GetTickCount64());
  SetTimer(window_, timerId_, static_cast<UINT>(std::clamp<std::int64_t>(wait, USER_TIMER_MINIMUM, 60000)),
           nullptr);
}

}  // namespace wendlix
