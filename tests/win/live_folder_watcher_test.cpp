// The folder watcher against real folders: every kind of change gives a notice, more than
// 64 folders at once, folders that go away and come back, and nothing left behind.
#include "win/live/folder_watcher.h"

#include <dbt.h>
#include <gtest/gtest.h>
#include <initguid.h>
#include <ioevent.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <ostream>

#include "core/shell/ordered_merge.h"
#include "support/win_test_support.h"
#include "win/common/handle_counts.h"
#include "win/diagnostics/handle_census.h"
#include "win/live/folder_probe.h"

namespace wendlix {

inline void PrintTo(const LiveRename& r, std::ostream* os) { *os << r.From << " -> " << r.To; }
inline void PrintTo(const FolderWatcher::Counts& c, std::ostream* os) {
  *os << "{folders " << c.Folders << ", anchors " << c.Anchors << ", open " << c.OpenDirectories
      << ", polled " << c.Polled << "}";
}

namespace {

constexpr UINT kLiveMessage = WM_APP + 41;

using testing_support::Exists;
using testing_support::MessageWindow;
using testing_support::PumpUntil;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// The notices of one watcher, by folder id, in arrival order.
class Notices {
 public:
  explicit Notices(FolderWatcher& watcher) : watcher_(watcher) {}

  // Pumps until `done` holds of what arrived.
  bool WaitFor(const std::function<bool(const Notices&)>& done) {
    return PumpUntil([&] { return done(*this); },
                     [&](const MSG& msg) {
                       if (msg.message != kLiveMessage) {
                         DispatchMessageW(&msg);
                         return;
                       }
                       for (FolderNotice& n : watcher_.TakeNotices()) byId_[n.Id].push_back(std::move(n));
                     });
  }
  std::size_t Count(std::uint32_t id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? 0 : it->second.size();
  }
  const FolderNotice& Last(std::uint32_t id) const { return byId_.at(id).back(); }
  std::vector<LiveRename> Renames(std::uint32_t id) const {
    std::vector<LiveRename> all;
    if (byId_.count(id))
      for (const FolderNotice& n : byId_.at(id)) all.insert(all.end(), n.Renames.begin(), n.Renames.end());
    return all;
  }
  // Waits for a notice beyond the `seen` ones of `id`, saying `state`.
  bool WaitForState(std::uint32_t id, std::size_t seen, FolderState state) {
    return WaitFor([&](const Notices& n) { return n.Count(id) > seen && n.Last(id).State == state; });
  }

 private:
  FolderWatcher& watcher_;
  std::map<std::uint32_t, std::vector<FolderNotice>> byId_;
};

std::string Folder(const TempFolder& root, const std::string& name) {
  testing_support::MakeFolder(root / name);
  return root / name;
}

// Whether every folder id below `count` has had at least `least` notices.
bool EachHas(const Notices& n, std::uint32_t count, std::size_t least) {
  for (std::uint32_t id = 0; id < count; ++id)
    if (n.Count(id) < least) return false;
  return true;
}

TEST(FolderWatcher, EveryKindOfChangeInTheFolderGivesANotice) {
  TempFolder root("live_kinds");
  const struct {
    const char* what;
    std::function<void(const std::string&)> before, change;
    std::vector<LiveRename> renames;
  } cases[] = {
      {"a shortcut created",
       [](const std::string&) {},
       [](const std::string& g) { WriteBytes(g + "\\新建.lnk", "L"); },
       {}},
      {"a shortcut deleted",
       [](const std::string& g) { WriteBytes(g + "\\a.lnk", "L"); },
       [](const std::string& g) { DeleteFileW(ToWide(g + "\\a.lnk").c_str()); },
       {}},
      {"a shortcut renamed",
       [](const std::string& g) { WriteBytes(g + "\\a.lnk", "L"); },
       [](const std::string& g) {
         MoveFileW(ToWide(g + "\\a.lnk").c_str(), ToWide(g + "\\浏览器.lnk").c_str());
       },
       {{"a.lnk", "浏览器.lnk"}}},
      {"a link rewritten",
       [](const std::string& g) { WriteBytes(g + "\\a.lnk", "L"); },
       [](const std::string& g) { WriteBytes(g + "\\a.lnk", "LL"); },
       {}},
      {"a sub-folder made",
       [](const std::string&) {},
       [](const std::string& g) { CreateDirectoryW(ToWide(g + "\\子目录").c_str(), nullptr); },
       {}},
      {"a shortcut hidden",
       [](const std::string& g) { WriteBytes(g + "\\a.lnk", "L"); },
       [](const std::string& g) { SetFileAttributesW(ToWide(g + "\\a.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN); },
       {}},
  };
  MessageWindow window;
  FolderWatcher watcher(window.Handle(), kLiveMessage);
  ASSERT_TRUE(watcher.Running());
  Notices notices(watcher);
  std::vector<std::string> folders;
  for (std::uint32_t id = 0; id < std::size(cases); ++id) {
    folders.push_back(Folder(root, "g" + std::to_string(id)));
    cases[id].before(folders.back());
    watcher.Add(id, folders.back());
  }
  // The first notice of each gives its state; the change made after it gives the next.
  for (std::uint32_t id = 0; id < std::size(cases); ++id) {
    ASSERT_TRUE(notices.WaitForState(id, 0, FolderState::kPresent)) << cases[id].what;
    EXPECT_TRUE(notices.Last(id).NamesLost);
  }
  for (std::uint32_t id = 0; id < std::size(cases); ++id) cases[id].change(folders[id]);
  for (std::uint32_t id = 0; id < std::size(cases); ++id) {
    EXPECT_TRUE(notices.WaitFor([&](const Notices& n) {
      return n.Count(id) > 1 && n.Renames(id).size() >= cases[id].renames.size();
    })) << cases[id].what;
    EXPECT_EQ(notices.Renames(id), cases[id].renames) << cases[id].what;
  }
}

TEST(FolderWatcher, MoreThan64FoldersAreWatchedAtOnceSharingTheirAncestors) {
  TempFolder root("live_many");
  constexpr std::uint32_t kFolders = 70;
  MessageWindow window;
  FolderWatcher watcher(window.Handle(), kLiveMessage);
  Notices notices(watcher);
  std::vector<std::string> folders;
  for (std::uint32_t id = 0; id < kFolders; ++id) {
    folders.push_back(Folder(root, "组" + std::to_string(id)));
    watcher.Add(id, folders.back());
  }
  ASSERT_TRUE(notices.WaitFor([&](const Notices& n) { return EachHas(n, kFolders, 1); }));
  // The two levels above the folders are watched, shared by all 70; none higher.
  EXPECT_EQ(watcher.Sample(), (FolderWatcher::Counts{kFolders, 2, kFolders + 2, 0}));

  for (std::uint32_t id = 0; id < kFolders; ++id) WriteBytes(folders[id] + "\\x.lnk", "L");
  EXPECT_TRUE(notices.WaitFor([&](const Notices& n) { return EachHas(n, kFolders, 2); }));
}

TEST(FolderWatcher, AFolderThatGoesAwayIsFollowedUntilItComesBack) {
  TempFolder root("live_away");
  MessageWindow window;
  FolderWatcher watcher(window.Handle(), kLiveMessage);
  Notices notices(watcher);

  // Deleted to the recycle bin (a move), made again, and its parent renamed away and back.
  const std::string parent = Folder(root, "上级");
  const std::string g = parent + "\\链接";
  testing_support::MakeFolder(g);
  watcher.Add(1, g);
  ASSERT_TRUE(notices.WaitForState(1, 0, FolderState::kPresent));
  std::size_t seen = notices.Count(1);
  ASSERT_TRUE(MoveFileW(ToWide(g).c_str(), ToWide(root / "回收站").c_str()));
  ASSERT_TRUE(notices.WaitForState(1, seen, FolderState::kMissing));
  seen = notices.Count(1);
  ASSERT_TRUE(CreateDirectoryW(ToWide(g).c_str(), nullptr));
  ASSERT_TRUE(notices.WaitForState(1, seen, FolderState::kPresent));
  // What changes now is in the new folder, not the one in the recycle bin.
  WriteBytes(root / "回收站\\old.lnk", "L");
  MoveFileW(ToWide(root / "回收站\\old.lnk").c_str(), ToWide(root / "回收站\\older.lnk").c_str());
  WriteBytes(g + "\\a.lnk", "L");
  MoveFileW(ToWide(g + "\\a.lnk").c_str(), ToWide(g + "\\b.lnk").c_str());
  ASSERT_TRUE(notices.WaitFor([&](const Notices& n) { return !n.Renames(1).empty(); }));
  EXPECT_EQ(notices.Renames(1), (std::vector<LiveRename>{{"a.lnk", "b.lnk"}}));

  seen = notices.Count(1);
  ASSERT_TRUE(MoveFileW(ToWide(parent).c_str(), ToWide(root / "改名").c_str()));
  ASSERT_TRUE(notices.WaitForState(1, seen, FolderState::kMissing));
  seen = notices.Count(1);
  ASSERT_TRUE(MoveFileW(ToWide(root / "改名").c_str(), ToWide(parent).c_str()));
  ASSERT_TRUE(notices.WaitForState(1, seen, FolderState::kPresent));

  // Missing from the start, two levels deep: found once made, level by level.
  const std::string deep = root / "新\\层\\组";
  watcher.Add(2, deep);
  ASSERT_TRUE(notices.WaitForState(2, 0, FolderState::kMissing));
  for (const std::string& level : {root / "新", root / "新\\层", deep}) testing_support::MakeFolder(level);
  ASSERT_TRUE(notices.WaitForState(2, 1, FolderState::kPresent));
  EXPECT_EQ(watcher.Sample().Polled, 0u) << "found through its parents' notices, not the slow check";
}

TEST(FolderWatcher, RemoteFoldersAreNotWatchedAndAMissingDriveIsCheckedSlowly) {
  MessageWindow window;
  FolderWatcher watcher(window.Handle(), kLiveMessage);
  Notices notices(watcher);
  watcher.Add(1, "\\\\server\\share\\links");
  watcher.Add(2, "//server/share");
  // No prefix maps W:, so its root is missing: only the slow check can see it come.
  ASSERT_FALSE(Exists("W:\\"));
  watcher.Add(3, "W:\\links");
  ASSERT_TRUE(notices.WaitFor([](const Notices& n) { return n.Count(1) && n.Count(2) && n.Count(3); }));
  EXPECT_EQ(notices.Last(1).State, FolderState::kUnwatched);
  EXPECT_EQ(notices.Last(2).State, FolderState::kUnwatched);
  EXPECT_EQ(notices.Last(3).State, FolderState::kMissing);
  EXPECT_EQ(watcher.Sample(), (FolderWatcher::Counts{3, 0, 0, 1}));
  watcher.Remove(3);
  EXPECT_TRUE(PumpUntil([&] { return watcher.Sample().Folders == 2; }, [](const MSG&) {}));
  EXPECT_EQ(watcher.Sample(), (FolderWatcher::Counts{2, 0, 0, 0}));
}

// Watches `count` folders below `root` (and one missing one) until each has said its state.
std::vector<std::string> WatchFolders(FolderWatcher& watcher, Notices& notices, const TempFolder& root,
                                      std::uint32_t count) {
  std::vector<std::string> folders;
  for (std::uint32_t id = 0; id < count; ++id) {
    folders.push_back(Folder(root, "g" + std::to_string(id)));
    watcher.Add(id, folders.back());
  }
  watcher.Add(count, root / "missing\\g");
  EXPECT_TRUE(notices.WaitFor([&](const Notices& n) { return EachHas(n, count + 1, 1); }));
  return folders;
}

// This process's handles on files and folders at or below `path`.
std::vector<HANDLE> HandlesBelow(const std::string& path) {
  std::vector<HANDLE> below;
  for (HANDLE h : ListProcessHandles()) {
    wchar_t name[MAX_PATH] = {};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFinalPathNameByHandleW(h, name, MAX_PATH, 0)) continue;
    const std::string key = FileNameKey(FromWide(name)), prefix = FileNameKey("\\\\?\\" + path);
    if (key.compare(0, prefix.size(), prefix) == 0) below.push_back(h);
  }
  return below;
}

TEST(FolderWatcher, AVolumeAboutToGoIsLetGoOfUntilItsDeviceSaysHowThatEnded) {
  TempFolder root("live_device");
  MessageWindow window;
  FolderWatcher watcher(window.Handle(), kLiveMessage);
  // The window hands its device messages on, as the bar's does.
  static FolderWatcher* heard;
  heard = &watcher;
  SetWindowLongPtrW(window.Handle(), GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_DEVICECHANGE) heard->OnDeviceChange(w, l);
                      return m == WM_DEVICECHANGE ? TRUE : DefWindowProcW(h, m, w, l);
                    }));
  const auto send = [&](WPARAM event, HANDLE handle, const GUID& guid) {
    DEV_BROADCAST_HANDLE notice{sizeof(notice), DBT_DEVTYP_HANDLE, 0, handle, nullptr, guid, 0, {}};
    SendMessageW(window.Handle(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice));
  };
  Notices notices(watcher);
  const std::string volume = VolumeKey(root.Path()), g = Folder(root, "优盘");
  const std::size_t idle = HandlesBelow(volume).size();
  watcher.Add(1, g);
  ASSERT_TRUE(notices.WaitForState(1, 0, FolderState::kPresent));
  const std::size_t watching = HandlesBelow(volume).size();
  ASSERT_GT(watching, idle);

  const struct {
    WPARAM query, outcome;
    GUID queryGuid, outcomeGuid;
  } endings[] = {
      {DBT_DEVICEQUERYREMOVE, DBT_DEVICEQUERYREMOVEFAILED, {}, {}},  // another program refused
      {DBT_CUSTOMEVENT, DBT_CUSTOMEVENT, GUID_IO_VOLUME_LOCK, GUID_IO_VOLUME_UNLOCK},  // a format's lock
      {DBT_DEVICEQUERYREMOVE, DBT_DEVICEREMOVECOMPLETE, {}, {}},  // removed (under Wine the folder stays)
  };
  for (const auto& e : endings) {
    const HANDLE content = HandlesBelow(g).at(0);
    // Every registration on the volume is asked in turn: the first lets go of all of it.
    send(e.query, content, e.queryGuid);
    EXPECT_EQ(HandlesBelow(volume).size(), idle) << e.query;
    send(e.query, content, e.queryGuid);
    const std::size_t seen = notices.Count(1);
    send(e.outcome, content, e.outcomeGuid);
    // Read anew: what changed meanwhile went unseen.
    ASSERT_TRUE(notices.WaitForState(1, seen, FolderState::kPresent)) << e.outcome;
    EXPECT_TRUE(notices.Last(1).NamesLost);
    EXPECT_EQ(HandlesBelow(volume).size(), watching) << e.outcome;
  }
}

long OwnKernelHandles() { return LiveHandleCount(HandleKind::kKernel); }

TEST(FolderWatcher, ThousandsOfChangesAndRepeatedStopsLeaveNothingBehind) {
  // The program's own handles are counted exactly. The process's count also moves by one or
  // two with Wine's own bookkeeping; a handle kept per change or per watcher would move it
  // by hundreds, or by the number of rounds.
  constexpr long kNoise = 3;
  constexpr std::uint32_t kFolders = 20;
  TempFolder root("live_leak");
  MessageWindow window;
  { FolderWatcher warmUp(window.Handle(), kLiveMessage); }  // what the system sets up once stays out
  const long ownBefore = OwnKernelHandles(), before = CountProcessHandles();
  ASSERT_GT(before, 0);
  {
    FolderWatcher watcher(window.Handle(), kLiveMessage);
    Notices notices(watcher);
    const std::vector<std::string> folders = WatchFolders(watcher, notices, root, kFolders);
    const long ownWatching = OwnKernelHandles(), watching = CountProcessHandles();
    const FolderWatcher::Counts counts = watcher.Sample();

    // 1,000 changes: links made, renamed and deleted, and every tenth round a folder
    // moved away and made again (each step seen before the next, so that the changes after
    // it fall into the new folder's watch). A last rename in each folder says all were seen.
    for (int i = 0; i < 1000 / 3; ++i) {
      const std::uint32_t id = i % kFolders;
      const std::string& g = folders[id];
      WriteBytes(g + "\\a.lnk", "L");
      MoveFileW(ToWide(g + "\\a.lnk").c_str(), ToWide(g + "\\b.lnk").c_str());
      DeleteFileW(ToWide(g + "\\b.lnk").c_str());
      if (i % 10 == 9) {
        std::size_t seen = notices.Count(id);
        ASSERT_TRUE(MoveFileW(ToWide(g).c_str(), ToWide(g + "-" + std::to_string(i)).c_str()));
        ASSERT_TRUE(notices.WaitForState(id, seen, FolderState::kMissing));
        seen = notices.Count(id);
        ASSERT_TRUE(CreateDirectoryW(ToWide(g).c_str(), nullptr));
        ASSERT_TRUE(notices.WaitForState(id, seen, FolderState::kPresent));
      }
    }
    for (const std::string& g : folders) {
      WriteBytes(g + "\\last.lnk", "L");
      MoveFileW(ToWide(g + "\\last.lnk").c_str(), ToWide(g + "\\done.lnk").c_str());
    }
    ASSERT_TRUE(notices.WaitFor([&](const Notices& n) {
      for (std::uint32_t id = 0; id < kFolders; ++id) {
        const std::vector<LiveRename> r = n.Renames(id);
        if (r.empty() || r.back() != LiveRename{"last.lnk", "done.lnk"}) return false;
      }
      return true;
    }));
    EXPECT_EQ(watcher.Sample(), counts);
    EXPECT_EQ(OwnKernelHandles(), ownWatching);
    EXPECT_LE(std::abs(CountProcessHandles() - watching), kNoise);
  }
  EXPECT_EQ(OwnKernelHandles(), ownBefore);

  for (int round = 0; round < 10; ++round) {
    FolderWatcher watcher(window.Handle(), kLiveMessage);
    Notices notices(watcher);
    WatchFolders(watcher, notices, root, kFolders);
  }
  EXPECT_EQ(OwnKernelHandles(), ownBefore);
  EXPECT_LE(std::abs(CountProcessHandles() - before), kNoise);
}

}  // namespace
}  // namespace wendlix
