// Watches folders with the system's change notices on one background thread and one
// completion port, so there is no limit of 64 handles and no polling: the idle thread
// waits in the kernel. Besides its contents, two levels of each folder's ancestors are
// watched for names coming and going (shared between folders), so a folder deleted,
// renamed, or created again is noticed; a missing folder's deepest existing ancestor is
// watched too, for the next level to appear. No higher level is held: on Windows a folder
// open inside another keeps that one from being renamed, so nothing above can move, and
// every handle held is one more on the drive and below the user's folders. Only a folder
// whose drive is gone, or that may not be read, is looked at again on a slow timer.
// Remote folders are not watched.
//
// Each folder held open is registered for its device's notices, which come to the window
// as WM_DEVICECHANGE and are passed to OnDeviceChange(). A volume about to be removed,
// locked or dismounted is let go of before that call returns, and looked at again once the
// removal failed or went ahead, or the lock ended: the bar never keeps a drive from being
// removed safely.
//
// Notices queue up here; the window given is posted `message` when the queue stops being
// empty, and takes them all with TakeNotices(). One message per batch, not per notice:
// an installer writing 200 links must not flood the bar's message queue.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/live/folder_state.h"
#include "core/live/live_schedule.h"

namespace wendlix {

struct FolderNotice {
  std::uint32_t Id = 0;
  std::uint64_t Tick = 0;  // GetTickCount64 when the watcher saw it
  FolderState State = FolderState::kMissing;
  std::vector<LiveRename> Renames;  // in the order they happened
  // The folder may have changed in ways no name tells: the system lost track, or the
  // folder was opened anew. The first notice of a folder says so too.
  bool NamesLost = false;
};

struct FolderWatcherOptions {
  DWORD PollMs = 3000;  // folders on a missing drive, and unreadable ones
};

class FolderWatcher {
 public:
  FolderWatcher(HWND window, UINT message, FolderWatcherOptions options = {});
  // Stops the thread and closes every handle it opened.
  ~FolderWatcher();
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;

  // False when the thread could not start: nothing is watched, the bar refreshes by hand.
  bool Running() const;

  // Starts watching `folder` as `id` (an id in use is replaced); its first notice gives its
  // state. Remove stops; notices already queued for it may still come.
  void Add(std::uint32_t id, const std::string& folder);
  void Remove(std::uint32_t id);
  // Looks at the folder again from its root (after the user asked for a refresh).
  void Recheck(std::uint32_t id);

  std::vector<FolderNotice> TakeNotices();

  // The window's WM_DEVICECHANGE; the window answers TRUE, never refusing a removal.
  void OnDeviceChange(WPARAM event, LPARAM data);

  // What the thread holds, for leak checks.
  struct Counts {
    std::size_t Folders = 0, Anchors = 0, OpenDirectories = 0, Polled = 0;
    bool operator==(const Counts&) const = default;
  };
  Counts Sample() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace wendlix
