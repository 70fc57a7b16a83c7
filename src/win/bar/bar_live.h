// The bar's live shortcut groups: the folder of each shortcut group is watched (LiveFolders),
// a group whose folder changed is refilled as "刷新" would fill it, the group file follows,
// and the group's tooltip says when its folder cannot be shown. The window
//   - fills the groups at start through StartFolder(), which notes what each folder was
//     when its group was filled;
//   - calls Start() once the bar was first painted, and Follow() whenever it lays the bar out
//     (the first of which, right after Start(), begins watching)
//     (groups added, removed, renamed, shown, hidden, or the setting switched);
//   - passes kNoticeMessage and WM_TIMER kTimerId here, and lays the bar out after OnTimer()
//     refilled something;
//   - says Held() when the toolbar's holds begin and end (a menu, a box, the editor, a drag);
//   - calls BeginFill() before a command fills a group, after the command's own writes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/inspect/query_table.h"
#include "core/profile/ini_file.h"
#include "win/bar/bar_window.h"
#include "win/live/live_folders.h"
#include "win/shell/disk_shortcut_folder.h"

namespace wendlix {

class BarLive {
 public:
  static constexpr UINT kNoticeMessage = WM_APP + 11;
  static constexpr UINT kStartMessage = WM_APP + 12;
  static constexpr UINT_PTR kTimerId = 0x4C56;

  explicit BarLive(BarWindow& bar) : bar_(bar) {}
  BarLive(const BarLive&) = delete;
  BarLive& operator=(const BarLive&) = delete;

  const ShortcutFolder& StartFolder() const;
  void Start();
  void Follow();
  void OnNotices();
  // WM_DEVICECHANGE: a drive about to go is let go of before this returns.
  void OnDeviceChange(WPARAM event, LPARAM data);
  // True when a group was refilled: the bar is laid out again.
  bool OnTimer();
  void Held(bool held);
  // `recheck` when the user asked for the refresh: a missing folder is looked for at once.
  // A bookmarks group reads its browser's file again here, for the fill to show.
  void BeginFill(GroupPanel& panel, IniFile& gpf, bool recheck);
  // The window is going: nothing is watched any more.
  void Stop();
  // "live": "watched" and the number of groups watched, "refills" and how many ran,
  // "renames" and how many renames wait for their groups' next fill.
  void AddQueries(QueryTable& table);

 private:
  // Lists a folder as the disk holds it, keeping the enumeration the group was filled from: the
  // watch, begun after the first paint, takes its digest from it.
  class NotingFolder : public DiskShortcutFolder {
   public:
    std::vector<std::string> List(const std::string& folder) const override;
    // By full path; the first reading of a folder shared by two groups stands for both.
    mutable std::unordered_map<std::string, std::vector<FolderEntryStamp>> Listings;
  };
  struct Watched {
    LiveKey key = 0;
    std::string title, folder;
    bool shown = false;
  };
  static bool Follows(const Watched& w, const GroupPanel& g);
  const Watched* WatchedOf(const GroupPanel& panel) const;
  Watched* ByKey(LiveKey key);
  GroupPanel* GroupOf(const Watched& w);
  void Refill(const LiveRefill& refill);
  // Reads a bookmarks group's file into it and sets its tooltip; when that made its buttons
  // again, they are saved as its buttons (into `gpf` when the caller has it open). True then.
  bool ReadBookmarks(GroupPanel& g, IniFile* gpf = nullptr);
  // Groups whose file was never read (at start, or added since), also while nothing is watched.
  void ReadUnreadBookmarks();
  void ShowHints();

  BarWindow& bar_;
  std::unique_ptr<LiveFolders> live_;
  std::vector<Watched> watched_;
  LiveKey nextKey_ = 1;
  NotingFolder startFolder_;  // until watching begins
  DiskShortcutFolder disk_;
  bool started_ = false;
  int refills_ = 0;
  int holds_ = 0;  // kept while nothing is watched, so that a hold outlives switching on
};

}  // namespace wendlix
