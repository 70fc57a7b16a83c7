#include "win/live/folder_watcher.h"

#include <dbt.h>
#include <initguid.h>
#include <ioevent.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/shell/ordered_merge.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/live/directory_watch.h"
#include "win/live/folder_probe.h"

namespace wendlix {
namespace {

constexpr ULONG_PTR kWakeKey = 1;  // completion keys of folders are pointers, never 1
constexpr DWORD kContentFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                 FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE;
constexpr DWORD kAnchorFilter = FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr std::size_t kContentBuffer = 16 * 1024;
constexpr std::size_t kAnchorBuffer = 2 * 1024;
// How many levels above the deepest existing one are watched: its own name, in its parent,
// and the parent's, where the file system lets a folder be renamed while one inside is open.
constexpr std::size_t kLevelsAbove = 2;
// How long stopping waits for the system to hand back the reads of closed folders.
constexpr DWORD kDrainMs = 5000;
// How long a device's query waits for the thread to let go of the volume: well below the
// time the system gives a window to answer.
constexpr std::chrono::seconds kReleaseWait{5};

// Whether the level at `depth` of `path` is watched: only the kLevelsAbove levels above the
// deepest existing one, and that one, are.
bool HeldLevel(const LocalFolderPath& path, std::size_t depth) {
  const std::size_t below = depth + kLevelsAbove + 1;
  return below > path.Names.size() || !IsExistingFolder(FolderAtDepth(path, below));
}

enum class DeviceStep { kNone, kRelease, kLookAgain };

// What a device notice about one of the folders' handles asks of the watcher.
DeviceStep StepFor(WPARAM event, const DEV_BROADCAST_HANDLE& notice) {
  switch (event) {
    case DBT_DEVICEQUERYREMOVE: return DeviceStep::kRelease;
    case DBT_DEVICEQUERYREMOVEFAILED:
    case DBT_DEVICEREMOVEPENDING:
    case DBT_DEVICEREMOVECOMPLETE: return DeviceStep::kLookAgain;
    case DBT_CUSTOMEVENT: break;
    default: return DeviceStep::kNone;
  }
  if (notice.dbch_size < offsetof(DEV_BROADCAST_HANDLE, dbch_eventguid) + sizeof(GUID))
    return DeviceStep::kNone;
  const GUID& e = notice.dbch_eventguid;
  if (IsEqualGUID(e, GUID_IO_VOLUME_LOCK) || IsEqualGUID(e, GUID_IO_VOLUME_DISMOUNT))
    return DeviceStep::kRelease;
  if (IsEqualGUID(e, GUID_IO_VOLUME_LOCK_FAILED) || IsEqualGUID(e, GUID_IO_VOLUME_UNLOCK) ||
      IsEqualGUID(e, GUID_IO_VOLUME_DISMOUNT_FAILED) || IsEqualGUID(e, GUID_IO_VOLUME_MOUNT))
    return DeviceStep::kLookAgain;
  return DeviceStep::kNone;
}

}  // namespace

struct FolderWatcher::Impl {
  struct Anchor;
  struct Watch {
    DirectoryWatch dir;
    Anchor* anchor = nullptr;  // an ancestor's names; else a folder's contents
    std::uint32_t id = 0;
    std::string volume;  // VolumeKey
    bool closing = false;
    std::string renamedFrom;  // the old name of a rename whose new name is still to come
  };
  // An existing ancestor of watched folders, watched for sub-folders coming and going.
  struct Anchor {
    Impl* owner = nullptr;
    Watch* watch = nullptr;
    std::string key;
    std::size_t depth = 0;
    bool dead = false;  // what it watches may have been replaced: not to be shared again
    ~Anchor() {
      owner->CloseWatch(watch);
      owner->ForgetAnchor(key);
    }
  };
  struct Folder {
    std::string full;
    std::optional<LocalFolderPath> path;  // none: not watched
    FolderState state = FolderState::kMissing;
    bool reported = false;
    bool polled = false;
    std::vector<std::shared_ptr<Anchor>>
        anchors;  // by depth from the root; null where not held or one could not be opened
    Watch* content = nullptr;
    std::string released;  // the volume let go of for its device, until it is looked at again
  };
  // The registration of a folder let go of for its device: it hears how that ends.
  struct Parked {
    HANDLE handle;
    std::string volume;
    unique_devnotify registration;
  };
  struct Command {
    enum class Kind { kAdd, kRemove, kRecheck, kRelease, kLookAgain, kPoll };
    using enum Kind;
    Kind kind;
    std::uint32_t id = 0;
    std::string folder;
    HANDLE handle = nullptr;  // a device's notice names the folder's handle
  };

  Impl(HWND w, UINT m, FolderWatcherOptions o) : window(w), message(m), options(o) {}

  const HWND window;
  const UINT message;
  const FolderWatcherOptions options;
  // The volume Windows runs from is never removed or locked while it runs: its folders need no device
  // notices, whose registration costs a thread under Wine.
  const std::string systemVolume = [] {
    wchar_t windows[MAX_PATH + 1] = {};
    const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    return n > 0 && n < MAX_PATH ? VolumeKey(FromWide(windows)) : std::string();
  }();
  unique_event port;
  std::thread thread;

  mutable std::mutex mutex;  // guards what follows, up to the thread's own members
  std::vector<Command> commands;
  bool stop = false;
  std::vector<FolderNotice> notices;
  bool posted = false;
  Counts counts;
  std::condition_variable releasedSignal;
  std::uint64_t releasesAsked = 0, releasesDone = 0;

  std::map<std::uint32_t, Folder> folders;
  std::unordered_map<std::string, std::weak_ptr<Anchor>> anchors;
  std::unordered_map<Watch*, std::unique_ptr<Watch>> watches;
  ULONGLONG nextPoll = 0;
  std::vector<Parked> parked;
  // Given back to the owner when the thread ends: it unregisters them once the thread is gone,
  // since an unregistration waits for the window, which is waiting for this thread.
  std::vector<unique_devnotify> leftRegistrations;

  void Send(Command command) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      commands.push_back(std::move(command));
    }
    PostQueuedCompletionStatus(port.get(), 0, kWakeKey, nullptr);
  }

  // Returns once the thread let go of the volume under `handle`, or after kReleaseWait.
  void Release(HANDLE handle) {
    std::unique_lock<std::mutex> lock(mutex);
    const std::uint64_t ticket = ++releasesAsked;
    commands.push_back({Command::kRelease, 0, {}, handle});
    PostQueuedCompletionStatus(port.get(), 0, kWakeKey, nullptr);
    releasedSignal.wait_for(lock, kReleaseWait, [&] { return releasesDone >= ticket || stop; });
  }

  void Push(FolderNotice notice) {
    std::lock_guard<std::mutex> lock(mutex);
    notices.push_back(std::move(notice));
  }

  // Tells the window once the counts are current, so that whoever hears of a notice finds
  // them so; a post that failed is tried again on the next round.
  void Flush() {
    std::lock_guard<std::mutex> lock(mutex);
    if (!notices.empty() && !posted && window) posted = PostMessageW(window, message, 0, 0) != FALSE;
  }

  Watch* NewWatch() {
    auto watch = std::make_unique<Watch>();
    Watch* raw = watch.get();
    watches.emplace(raw, std::move(watch));
    return raw;
  }

  // The object stays until the system hands back its outstanding read.
  void CloseWatch(Watch* w) {
    if (!w) return;
    w->closing = true;
    w->anchor = nullptr;
    w->dir.Close();
    if (!w->dir.Outstanding()) watches.erase(w);
  }

  void ForgetAnchor(const std::string& key) {
    auto it = anchors.find(key);
    if (it != anchors.end() && it->second.expired()) anchors.erase(it);
  }

  DWORD OpenWatch(Watch* w, const std::string& path, DWORD filter, std::size_t bufferBytes) {
    const DWORD error = w->dir.Open(path, filter, bufferBytes, port.get(), reinterpret_cast<ULONG_PTR>(w));
    if (error == 0) {
      w->volume = VolumeKey(path);
      if (w->volume != systemVolume) w->dir.WatchDevice(window);
    }
    return error;
  }

  std::shared_ptr<Anchor> AcquireAnchor(const std::string& path, std::size_t depth) {
    const std::string key = FileNameKey(path);
    auto it = anchors.find(key);
    if (it != anchors.end())
      if (std::shared_ptr<Anchor> shared = it->second.lock(); shared && !shared->dead) return shared;
    Watch* w = NewWatch();
    if (OpenWatch(w, path, kAnchorFilter, kAnchorBuffer) != 0 || !w->dir.Arm()) {
      CloseWatch(w);
      return nullptr;
    }
    auto anchor = std::make_shared<Anchor>();
    anchor->owner = this;
    anchor->watch = w;
    anchor->key = key;
    anchor->depth = depth;
    w->anchor = anchor.get();
    anchors[key] = anchor;
    return anchor;
  }

  FolderState OpenContent(std::uint32_t id, Folder& f) {
    Watch* w = NewWatch();
    w->id = id;
    const DWORD error = OpenWatch(w, f.full, kContentFilter, kContentBuffer);
    BY_HANDLE_FILE_INFORMATION info{};
    if (error != 0 || !GetFileInformationByHandle(w->dir.Handle(), &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      CloseWatch(w);
      return error == ERROR_ACCESS_DENIED && IsExistingFolder(f.full) ? FolderState::kUnreadable
                                                                      : FolderState::kMissing;
    }
    if (!w->dir.Arm()) {
      CloseWatch(w);
      return FolderState::kUnwatched;  // a file system that sends no notices
    }
    f.content = w;
    return FolderState::kPresent;
  }

  // Looks at the folder again from `from` levels below its root (or the deepest level above
  // that is still watched): what was watched there is let go, then each existing level is
  // watched before the next is looked at, so that a name made meanwhile is not missed; the
  // levels the deepest folder held does not need are let go of after.
  void Recheck(std::uint32_t id, Folder& f, std::size_t from) {
    if (!f.released.empty()) return;
    FolderState state = f.state;
    if (f.path) {
      const std::size_t levels = f.path->Names.size();
      std::size_t start = std::min(from, f.anchors.size());
      while (start > 0 && !f.anchors[start - 1]) --start;
      f.anchors.resize(start);
      CloseWatch(std::exchange(f.content, nullptr));
      bool reachable = true;
      for (std::size_t depth = f.anchors.size(); depth < levels && reachable; ++depth) {
        const std::string at = FolderAtDepth(*f.path, depth);
        reachable = IsExistingFolder(at);
        if (reachable) f.anchors.push_back(HeldLevel(*f.path, depth) ? AcquireAnchor(at, depth) : nullptr);
      }
      // The root itself (a folder that is a drive's root) is checked by opening it.
      state = reachable ? OpenContent(id, f) : FolderState::kMissing;
      // Levels made while it looked need fewer above them.
      const std::size_t existing = state == FolderState::kMissing ? f.anchors.size() : levels + 1;
      for (std::size_t depth = 0; depth + kLevelsAbove + 1 < existing; ++depth) f.anchors[depth].reset();
      f.polled = state == FolderState::kUnreadable ||
                 (state == FolderState::kMissing && (f.anchors.empty() || !f.anchors.back()));
    }
    // Opened anew, the contents may differ from what the group shows.
    const bool tell = !f.reported || state != f.state || state == FolderState::kPresent;
    f.state = state;
    f.reported = true;
    if (tell) Push({id, GetTickCount64(), state, {}, true});
  }

  void AddFolder(std::uint32_t id, const std::string& folder) {
    RemoveFolder(id);
    Folder& f = folders[id];
    f.full = FullFolderPath(folder);
    if (!f.full.empty() && IsNetworkFolder(f.full)) {
      f.state = FolderState::kUnwatched;
    } else {
      f.path = SplitLocalFolder(f.full);
    }
    Recheck(id, f, 0);
  }

  void RemoveFolder(std::uint32_t id) {
    auto it = folders.find(id);
    if (it == folders.end()) return;
    CloseWatch(it->second.content);
    folders.erase(it);
  }

  // Closes every folder held on the volume of `handle` before its device goes, keeping the
  // registrations: they hear whether it went. Ancestors on other volumes stay watched.
  void ReleaseVolume(HANDLE handle) {
    std::optional<std::string> found;
    for (const auto& [w, watch] : watches)
      if (!watch->closing && watch->dir.Handle() == handle) found = watch->volume;
    if (!found) return;  // let go of already, for another registration on it
    const std::string volume = *found;
    for (auto& [w, watch] : watches)
      if (!watch->closing && watch->volume == volume)
        parked.push_back({watch->dir.Handle(), volume, watch->dir.TakeDeviceRegistration()});
    for (auto& [id, f] : folders) {
      std::size_t first = 0;
      while (first < f.anchors.size() && !(f.anchors[first] && f.anchors[first]->watch->volume == volume))
        ++first;
      if (first == f.anchors.size() && !(f.content && f.content->volume == volume)) continue;
      f.anchors.resize(first);
      CloseWatch(std::exchange(f.content, nullptr));
      f.released = volume;
      f.polled = false;
    }
  }

  // The device's news came (the removal failed or went ahead, the lock ended): the folders
  // let go of for it are looked at again, and its registrations are done with.
  void LookAgain(HANDLE handle) {
    auto it = std::find_if(parked.begin(), parked.end(), [&](const Parked& p) { return p.handle == handle; });
    if (it == parked.end()) return;
    const std::string volume = it->volume;
    std::erase_if(parked, [&](const Parked& p) { return p.volume == volume; });
    for (auto& [id, f] : folders)
      if (f.released == volume) {
        f.released.clear();
        Recheck(id, f, f.anchors.size());
      }
  }

  void OnAnchorChanges(Anchor* a, const std::vector<DirectoryChange>& changes, bool lost, bool failed) {
    std::unordered_set<std::string> names;
    for (const DirectoryChange& c : changes) names.insert(FileNameKey(c.Name));
    const std::size_t k = a->depth;
    std::vector<std::uint32_t> touched;
    for (auto& [id, f] : folders) {
      if (f.anchors.size() <= k || f.anchors[k].get() != a) continue;
      if (failed || lost || (f.path->Names.size() > k && names.count(FileNameKey(f.path->Names[k]))))
        touched.push_back(id);
    }
    const std::size_t from = failed ? k : k + 1;
    // Below a name that came or went, every watch may be of a folder no longer there: none
    // of them is shared again. (`a` may be gone after the rechecks.)
    if (failed) a->dead = true;
    for (std::uint32_t id : touched)
      for (std::size_t j = from; j < folders[id].anchors.size(); ++j)
        if (folders[id].anchors[j]) folders[id].anchors[j]->dead = true;
    for (std::uint32_t id : touched) Recheck(id, folders[id], from);
  }

  void OnContentChanges(Watch* w, const std::vector<DirectoryChange>& changes, bool lost, bool failed) {
    auto it = folders.find(w->id);
    if (it == folders.end()) return;
    Folder& f = it->second;
    FolderNotice notice{w->id, GetTickCount64(), f.state, {}, lost};
    for (const DirectoryChange& c : changes) {
      if (c.Action == FILE_ACTION_RENAMED_OLD_NAME) {
        w->renamedFrom = c.Name;
      } else if (c.Action == FILE_ACTION_RENAMED_NEW_NAME && !w->renamedFrom.empty()) {
        notice.Renames.push_back({std::exchange(w->renamedFrom, {}), c.Name});
      }
    }
    if (!failed || !changes.empty()) Push(std::move(notice));
    // The folder itself went (deleted for good, or its drive): open it again, or report it gone.
    if (failed) Recheck(it->first, f, f.path->Names.size());
  }

  void OnCompletion(Watch* w, DWORD error, DWORD bytes) {
    w->dir.Completed();
    if (w->closing) {
      watches.erase(w);
      return;
    }
    const bool lost = error == ERROR_NOTIFY_ENUM_DIR || (error == 0 && bytes == 0);
    std::vector<DirectoryChange> changes;
    if (error == 0) changes = w->dir.Changes(bytes);
    const bool failed = (error != 0 && !lost) || !w->dir.Arm();
    // Neither handler touches `w` after it may have been closed.
    if (w->anchor) {
      OnAnchorChanges(w->anchor, changes, lost, failed);
    } else {
      OnContentChanges(w, changes, lost, failed);
    }
  }

  void Poll() {
    for (auto& [id, f] : folders)
      if (f.polled) Recheck(id, f, f.anchors.empty() ? 0 : f.anchors.size() - 1);
  }

  // False when asked to stop.
  bool RunCommands() {
    std::vector<Command> batch;
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (stop) return false;
      batch.swap(commands);
    }
    for (Command& c : batch) {
      switch (c.kind) {
        case Command::kAdd: AddFolder(c.id, c.folder); break;
        case Command::kRemove: RemoveFolder(c.id); break;
        case Command::kRecheck:
          if (auto it = folders.find(c.id); it != folders.end()) {
            it->second.released.clear();  // the user's refresh takes it up again
            Recheck(c.id, it->second, 0);
          }
          break;
        case Command::kRelease: ReleaseVolume(c.handle); break;
        case Command::kLookAgain: LookAgain(c.handle); break;
        case Command::kPoll: Poll(); break;
      }
    }
    TellReleased(batch);
    return true;
  }

  void TellReleased(const std::vector<Command>& batch) {
    const auto released = std::count_if(batch.begin(), batch.end(),
                                        [](const Command& c) { return c.kind == Command::kRelease; });
    if (released == 0) return;
    {
      std::lock_guard<std::mutex> lock(mutex);
      releasesDone += static_cast<std::uint64_t>(released);
    }
    releasedSignal.notify_all();
  }

  void UpdateCounts() {
    Counts c;
    c.Folders = folders.size();
    for (const auto& [key, anchor] : anchors) c.Anchors += anchor.expired() ? 0 : 1;
    for (const auto& [w, watch] : watches) c.OpenDirectories += watch->dir.Handle() != INVALID_HANDLE_VALUE;
    for (const auto& [id, f] : folders) c.Polled += f.polled;
    std::lock_guard<std::mutex> lock(mutex);
    counts = c;
  }

  DWORD PollTimeout() {
    bool any = false;
    for (const auto& [id, f] : folders) any = any || f.polled;
    if (!any) {
      nextPoll = 0;
      return INFINITE;
    }
    const ULONGLONG now = GetTickCount64();
    if (nextPoll == 0) nextPoll = now + options.PollMs;
    if (now >= nextPoll) {
      Poll();
      nextPoll = now + options.PollMs;
    }
    return static_cast<DWORD>(nextPoll - now > options.PollMs ? options.PollMs : nextPoll - now);
  }

  void Run() {
    for (;;) {
      const DWORD timeout = PollTimeout();
      UpdateCounts();
      Flush();
      DWORD bytes = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* overlapped = nullptr;
      const BOOL ok = GetQueuedCompletionStatus(port.get(), &bytes, &key, &overlapped, timeout);
      const DWORD error = ok ? 0 : GetLastError();
      if (overlapped) {
        OnCompletion(reinterpret_cast<Watch*>(key), error, bytes);
      } else if (ok ? !RunCommands() : error != WAIT_TIMEOUT) {
        break;
      }
    }
    Shutdown();
  }

  void Shutdown() {
    for (auto& [w, watch] : watches) leftRegistrations.push_back(watch->dir.TakeDeviceRegistration());
    for (Parked& p : parked) leftRegistrations.push_back(std::move(p.registration));
    while (!folders.empty()) RemoveFolder(folders.begin()->first);
    std::vector<Watch*> open;
    for (const auto& [w, watch] : watches) open.push_back(w);
    for (Watch* w : open) CloseWatch(w);
    while (!watches.empty()) {
      DWORD bytes = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* overlapped = nullptr;
      const BOOL ok = GetQueuedCompletionStatus(port.get(), &bytes, &key, &overlapped, kDrainMs);
      if (overlapped) {
        watches.erase(reinterpret_cast<Watch*>(key));
      } else if (!ok && GetLastError() == WAIT_TIMEOUT) {
        break;
      }
    }
    // Reads the system never handed back may still write into their buffers: those stay.
    for (auto& [w, watch] : watches) static_cast<void>(watch.release());
    watches.clear();
    parked.clear();
    UpdateCounts();
  }
};

FolderWatcher::FolderWatcher(HWND window, UINT message, FolderWatcherOptions options)
    : impl_(std::make_unique<Impl>(window, message, options)) {
  impl_->port.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
  if (!impl_->port) return;
  try {
    impl_->thread = std::thread(&Impl::Run, impl_.get());
  } catch (...) {
    // No thread: nothing is watched; the groups still refresh by hand.
  }
}

FolderWatcher::~FolderWatcher() {
  if (impl_->thread.joinable()) {
    {
      std::lock_guard<std::mutex> lock(impl_->mutex);
      impl_->stop = true;
    }
    PostQueuedCompletionStatus(impl_->port.get(), 0, kWakeKey, nullptr);
    impl_->thread.join();
  }
  impl_->leftRegistrations.clear();
}

bool FolderWatcher::Running() const { return impl_->thread.joinable(); }

void FolderWatcher::Add(std::uint32_t id, const std::string& folder) {
  impl_->Send({Impl::Command::kAdd, id, folder});
}

void FolderWatcher::Remove(std::uint32_t id) { impl_->Send({Impl::Command::kRemove, id, {}}); }

void FolderWatcher::Recheck(std::uint32_t id) { impl_->Send({Impl::Command::kRecheck, id, {}}); }

std::vector<FolderNotice> FolderWatcher::TakeNotices() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->posted = false;
  return std::exchange(impl_->notices, {});
}

void FolderWatcher::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!Running() || !(event & 0x8000) || !header) return;  // only the DBT_DEVICE* events carry one
  // A drive came: a folder on a missing drive need not wait for the slow check.
  if (event == DBT_DEVICEARRIVAL && header->dbch_devicetype == DBT_DEVTYP_VOLUME) {
    impl_->Send({Impl::Command::kPoll, 0, {}, nullptr});
    return;
  }
  if (header->dbch_devicetype != DBT_DEVTYP_HANDLE ||
      header->dbch_size < offsetof(DEV_BROADCAST_HANDLE, dbch_hdevnotify))
    return;
  const auto& notice = *reinterpret_cast<const DEV_BROADCAST_HANDLE*>(data);
  switch (StepFor(event, notice)) {
    case DeviceStep::kRelease: impl_->Release(notice.dbch_handle); break;
    case DeviceStep::kLookAgain: impl_->Send({Impl::Command::kLookAgain, 0, {}, notice.dbch_handle}); break;
    case DeviceStep::kNone: break;
  }
}

FolderWatcher::Counts FolderWatcher::Sample() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->counts;
}

}  // namespace wendlix
