#include "win/bar/bar_live.h"

#include <algorithm>
#include <optional>

#include "core/bar/group_file.h"
#include "core/bookmarks/bookmark_browsers.h"
#include "core/bookmarks/bookmark_group.h"
#include "core/button_menu/group_commands.h"
#include "core/live/live_refill.h"
#include "core/text/paths.h"
#include "win/bookmarks/browser_profiles.h"
#include "win/live/folder_probe.h"
#include "win/shell/shell_folders.h"

namespace wendlix {
namespace {

bool IsLiveGroup(const GroupPanel& g) { return g.Data.PanelStyle == gkShortcut || IsBookmarkGroup(g.Data); }

// A bookmarks group follows the browser's file in its profile's folder; others their own folder.
std::string WatchedFolder(const GroupPanel& g) {
  if (!IsBookmarkGroup(g.Data)) return g.Data.Directory;
  return ExtractFilePath(BookmarksFilePath(g.Data.Bookmarks, CurrentUserKnownFolders()));
}

}  // namespace

bool BarLive::ReadBookmarks(GroupPanel& g, IniFile* open) {
  const std::string file = BookmarksFilePath(g.Data.Bookmarks, CurrentUserKnownFolders());
  const bool changed = TakeBookmarkReading(g, ReadBookmarkFile(file));
  const BrowserInfo* browser = FindBrowser(g.Data.Bookmarks.Browser);
  g.Hint = BookmarkGroupHint(g, browser ? browser->Name : g.Data.Bookmarks.Browser, file);
  if (!changed) return false;
  // The top-level bookmarks are kept as the group's buttons: what a copy that cannot read the
  // browser's file shows. A failed save is retried by the next reading or the close.
  std::optional<IniFile> own;
  IniFile& gpf = open ? *open : own.emplace(bar_.OpenGroupFile());
  SaveGroup(gpf, PanelRecord(g), true);
  gpf.Save();
  return true;
}

void BarLive::ReadUnreadBookmarks() {
  for (GroupPanel& g : bar_.State().Groups)
    if (IsBookmarkGroup(g.Data) && g.BookmarksRead == BookmarksState::kNotRead) ReadBookmarks(g);
}

std::vector<std::string> BarLive::NotingFolder::List(const std::string& folder) const {
  std::vector<FolderEntryStamp> entries = ReadFolderStamps(folder);
  std::vector<std::string> names = ListFrom(folder, entries);
  const std::string full = FullFolderPath(folder);
  if (!Listings.contains(full)) Listings.emplace(full, std::move(entries));
  return names;
}

const ShortcutFolder& BarLive::StartFolder() const {
  if (bar_.State().Settings.LiveFolders) return startFolder_;
  return disk_;
}

void BarLive::Start() { started_ = true; }

void BarLive::Stop() {
  started_ = false;
  live_.reset();
  watched_.clear();
}

void BarLive::Follow() {
  if (!started_) return;
  std::vector<GroupPanel>& groups = bar_.State().Groups;
  if (!bar_.State().Settings.LiveFolders) {
    ReadUnreadBookmarks();
    startFolder_.Listings.clear();
    if (!live_) return;
    live_.reset();
    watched_.clear();
    for (GroupPanel& g : groups)
      if (IsLiveGroup(g) && !IsBookmarkGroup(g.Data)) g.Hint = g.Data.Title;
    return;
  }
  const bool watchingBegins = !live_;
  if (!live_) {
    live_ = std::make_unique<LiveFolders>(bar_.Handle(), kNoticeMessage, kTimerId);
    for (int i = 0; i < holds_; ++i) live_->Block(LiveSchedule::kWholeBar);
  }
  std::vector<Watched> next;
  std::vector<LiveKey> fresh;
  for (const GroupPanel& g : groups) {
    if (!IsLiveGroup(g)) continue;
    const bool shown = ShownAsBand(g.Data);
    auto same =
        std::find_if(watched_.begin(), watched_.end(), [&](const Watched& w) { return Follows(w, g); });
    if (same != watched_.end()) {
      if (same->shown != shown) live_->SetShown(same->key, shown);
      same->shown = shown;
      next.push_back(*same);
      watched_.erase(same);
      continue;
    }
    const Watched w{nextKey_++, g.Data.Title, WatchedFolder(g), shown};
    live_->Watch(w.key, w.folder, shown,
                 IsBookmarkGroup(g.Data) ? std::string(kBookmarksFileName) : std::string());
    next.push_back(w);
    fresh.push_back(w.key);
  }
  for (const Watched& gone : watched_) live_->Unwatch(gone.key);
  watched_ = std::move(next);
  for (LiveKey key : fresh) {
    GroupPanel* g = GroupOf(*ByKey(key));
    if (g && IsBookmarkGroup(g->Data)) {
      // Noted before the reading: a write between the two is read again.
      live_->BeginFill(key);
      if (g->BookmarksRead == BookmarksState::kNotRead) ReadBookmarks(*g);
      continue;
    }
    if (!g || !IsFilled(*g)) continue;
    // The watcher's first notice compares the folder with what the group shows: the folder
    // as the start's fill read it, or as the command that added the group just read it.
    // Switched on while the bar runs, what it shows may be old: that notice reads it again.
    const auto started = startFolder_.Listings.find(FullFolderPath(g->Data.Directory));
    if (started != startFolder_.Listings.end()) {
      live_->Filled(key, DigestOfListing(live_->State(key), started->second));
    } else if (!watchingBegins) {
      live_->BeginFill(key);
    }
  }
  startFolder_.Listings.clear();
  ShowHints();
}

void BarLive::OnNotices() {
  if (live_) live_->OnNotices();
}

void BarLive::OnDeviceChange(WPARAM event, LPARAM data) {
  if (live_) live_->OnDeviceChange(event, data);
}

bool BarLive::OnTimer() {
  if (!live_) {
    KillTimer(bar_.Handle(), kTimerId);
    return false;
  }
  // A press on a button is under way: its release must find the button it pressed.
  if (GetCapture() == bar_.Handle()) {
    SetTimer(bar_.Handle(), kTimerId, 100, nullptr);
    return false;
  }
  const std::vector<LiveRefill> refills = live_->OnTimer();
  for (const LiveRefill& r : refills) Refill(r);
  ShowHints();
  return !refills.empty();
}

void BarLive::Held(bool held) {
  holds_ += held ? 1 : -1;
  if (!live_) return;
  if (held)
    live_->Block(LiveSchedule::kWholeBar);
  else
    live_->Unblock(LiveSchedule::kWholeBar);
}

void BarLive::BeginFill(GroupPanel& panel, IniFile& gpf, bool recheck) {
  const Watched* w = WatchedOf(panel);
  // A group just made, or while nothing is watched, reads its file all the same.
  if (!w && IsBookmarkGroup(panel.Data)) ReadBookmarks(panel, &gpf);
  if (!w) return;
  if (recheck) live_->Recheck(w->key);
  const LiveRefill fill = live_->BeginFill(w->key);
  if (IsBookmarkGroup(panel.Data)) {
    // The fill that follows shows the file as it reads now; the names the browser's own writes
    // changed in its folder are no buttons.
    ReadBookmarks(panel, &gpf);
    return;
  }
  if (fill.Renames.empty()) return;
  // Out of the schedule now, so saved now, whether or not the command saves the file: a
  // failed save leaves the renamed entries at the end, as new ones.
  ApplyRenames(gpf, panel.Data.Title, fill.Renames);
  gpf.Save();
}

bool BarLive::Follows(const Watched& w, const GroupPanel& g) {
  return w.title == g.Data.Title && w.folder == WatchedFolder(g);
}

const BarLive::Watched* BarLive::WatchedOf(const GroupPanel& panel) const {
  if (!live_) return nullptr;
  for (const Watched& w : watched_)
    if (Follows(w, panel)) return &w;
  return nullptr;
}

BarLive::Watched* BarLive::ByKey(LiveKey key) {
  for (Watched& w : watched_)
    if (w.key == key) return &w;
  return nullptr;
}

GroupPanel* BarLive::GroupOf(const Watched& w) {
  for (GroupPanel& g : bar_.State().Groups)
    if (IsLiveGroup(g) && Follows(w, g)) return &g;
  return nullptr;
}

void BarLive::Refill(const LiveRefill& refill) {
  const Watched* w = ByKey(refill.Key);
  if (!w) return;
  GroupPanel* g = GroupOf(*w);
  if (!g) return;
  ++refills_;
  if (IsBookmarkGroup(g->Data)) {
    ReadBookmarks(*g);
    return;
  }
  // A rewritten link may show another icon: its entries are asked for again, showing the
  // old icon until the answer comes.
  IconResolver& icons = bar_.Resources().Icons();
  for (const BarButton& b : g->Children)
    if (!b.IsCollapse()) icons.AskAgain(b.FileName);
  IniFile gpf = bar_.OpenGroupFile();
  // A failed save is retried by the next refill or the close; the group shows its folder either way.
  if (RefillLiveGroup(*g, gpf, DiskShortcutFolder{}, refill.Renames, refill.State)) gpf.Save();
}

void BarLive::AddQueries(QueryTable& table) {
  table.Add("live", [this](std::string_view) {
    std::size_t renames = 0;
    if (live_)
      for (const Watched& w : watched_) renames += live_->RenamesHeld(w.key);
    return "watched\t" + std::to_string(live_ ? watched_.size() : 0) + "\nrefills\t" +
           std::to_string(refills_) + "\nrenames\t" + std::to_string(renames) + "\n";
  });
}

void BarLive::ShowHints() {
  if (!live_) return;
  for (const Watched& w : watched_)
    if (GroupPanel* g = GroupOf(w); g && !IsBookmarkGroup(g->Data))
      g->Hint = LiveGroupHint(w.title, w.folder, live_->State(w.key));
}

}  // namespace wendlix
