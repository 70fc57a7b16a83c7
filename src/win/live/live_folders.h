// The bar's live shortcut groups: their folders watched, each refill scheduled, and the
// bar's window told when one is due. The window owns one of these and
//   - on `message`, calls OnNotices();
//   - on WM_TIMER `timerId`, calls OnTimer() and refills each group it returns
//     (RefillLiveGroup with the renames and state it gives, then saves the group file once
//     when that asks for it, and shows LiveGroupHint as the group's tooltip);
//   - calls BeginFill() before any other fill of a watched group (a command's, after its own
//     writes; a group shown again), applying the renames it returns with ApplyRenames
//     first and saving them (they are not handed out again): the notices of the bar's own
//     writes then find the folder as that fill showed it and give no second refill;
//   - calls Filled() for a group filled before it was watched (at start), with the digest
//     of its folder as that fill read it;
//   - holds the group (LiveHold) while a menu, the editor, a drag or a box is open on it;
//   - says SetShown() when a group is collapsed, hidden or shown again.
// Keys are the window's own stable names of its groups.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "core/live/folder_state.h"
#include "core/live/live_schedule.h"
#include "win/live/folder_watcher.h"

namespace wendlix {

struct LiveRefill {
  LiveKey Key = 0;
  std::vector<LiveRename> Renames;
  FolderState State = FolderState::kMissing;
};

class LiveFolders {
 public:
  LiveFolders(HWND window, UINT message, UINT_PTR timerId, LiveTiming timing = {},
              FolderWatcherOptions options = {});
  ~LiveFolders();
  LiveFolders(const LiveFolders&) = delete;
  LiveFolders& operator=(const LiveFolders&) = delete;

  // Watches `folder` for the group `key` (again, when its folder changed); a group that reads
  // one `file` of the folder rather than its shortcuts follows that file too.
  void Watch(LiveKey key, const std::string& folder, bool shown, const std::string& file = {});
  void Unwatch(LiveKey key);
  void SetShown(LiveKey key, bool shown);
  // Something opened on the group, or on the whole bar (LiveSchedule::kWholeBar).
  void Block(LiveKey key);
  void Unblock(LiveKey key);
  // The user asked for a refresh: a missing folder is looked for again at once.
  void Recheck(LiveKey key);

  // A fill of the group begins: the folder is read as the fill will find it. Returns the
  // renames not yet shown, and the folder's state.
  LiveRefill BeginFill(LiveKey key);
  // The group was filled before it was watched, from the folder as it read `digest`
  // (ReadFolderDigest): the watcher's first notice refills it when the folder reads
  // otherwise. A shown group given neither this nor BeginFill() is refilled by it.
  void Filled(LiveKey key, std::uint64_t digest);
  // The renames noticed in the group's folder and not yet shown.
  std::size_t RenamesHeld(LiveKey key) const;
  FolderState State(LiveKey key) const;

  void OnNotices();
  // The window's WM_DEVICECHANGE (FolderWatcher::OnDeviceChange).
  void OnDeviceChange(WPARAM event, LPARAM data) { watcher_.OnDeviceChange(event, data); }
  // The groups to refill now; those whose folder reads as when they were last filled are
  // not among them.
  std::vector<LiveRefill> OnTimer();

  // No refill pending, for tests.
  bool Idle() const;

 private:
  struct Group {
    std::uint32_t watchId = 0;  // a new one for each folder, so late notices of the old one are dropped
    std::string folder;         // full path
    std::string file;           // the one file the group reads, if any
    FolderState state = FolderState::kMissing;
  };
  void ArmTimer();

  HWND window_;
  UINT_PTR timerId_;
  LiveSchedule schedule_;
  std::unordered_map<LiveKey, Group> groups_;
  std::unordered_map<std::uint32_t, LiveKey> keyOfWatch_;
  std::uint32_t nextWatchId_ = 1;
  FolderWatcher watcher_;
};

// Holds a group's refills for as long as it lives.
class LiveHold {
 public:
  LiveHold(LiveFolders* live, LiveKey key) : live_(live), key_(key) {
    if (live_) live_->Block(key_);
  }
  ~LiveHold() {
    if (live_) live_->Unblock(key_);
  }
  LiveHold(const LiveHold&) = delete;
  LiveHold& operator=(const LiveHold&) = delete;

 private:
  LiveFolders* live_;
  LiveKey key_;
};

}  // namespace wendlix
