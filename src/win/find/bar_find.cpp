#include "win/find/bar_find.h"

#include "core/text/paths.h"
#include "win/shell/disk_shortcut_folder.h"

namespace wendlix {
namespace {

bool OpensFind(wchar_t c) {
  if (c >= 0xA0) return true;  // Chinese, full-width letters, the halves of characters beyond the first plane
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

}  // namespace

BarFind::BarFind(BarWindow& bar, BarLaunch& launch)
    : bar_(bar),
      launch_(launch),
      box_(FindBox::Callbacks{[this](std::uint64_t id) { Launch(id); },
                              [this](FindBoxEnd why) { Ended(why); }}) {}

bool BarFind::Typed(wchar_t c) {
  if (box_.IsOpen()) {
    box_.Type(std::wstring_view(&c, 1));
    return true;
  }
  if (!OpensFind(c)) return false;
  Open(c);
  return true;
}

void BarFind::Open(wchar_t first) {
  AppToolBarImpl& toolbar = bar_.Toolbar();
  hold_.emplace(toolbar);
  if (toolbar.AutoHide() && !toolbar.ShowRequested()) toolbar.SlideAutoHide(true);
  catalogue_ = {};
  const std::vector<GroupPanel>& groups = bar_.State().Groups;
  for (std::size_t g = 0; g < groups.size(); ++g)
    if (!FindNeedsFill(groups[g])) AddFindGroup(groups, g, bar_.State().Launches, catalogue_);
  RECT bar{};
  GetWindowRect(bar_.Handle(), &bar);
  FindBoxRequest request{bar_.Handle(),
                         {bar.left, bar.top, bar.right, bar.bottom},
                         toolbar.Edge(),
                         bar_.Scale().Dpi(),
                         EntriesFrom(0)};
  if (!box_.Open(std::move(request))) {
    hold_.reset();
    return;
  }
  RECT r{};
  GetWindowRect(box_.Handle(), &r);
  menuAt_ = {r.left, r.top};
  // Drawn before the disk is read; the first character is typed once everything is in, so
  // that its first row is the best of all.
  UpdateWindow(box_.Handle());
  ReadTheRest();
  box_.Type(std::wstring_view(&first, 1));
}

void BarFind::ReadTheRest() {
  const std::size_t first = catalogue_.Candidates.size();
  std::vector<GroupPanel>& groups = bar_.State().Groups;
  const LaunchCounts& counts = bar_.State().Launches;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!FindNeedsFill(groups[g])) continue;
    // As their menu fills them when it first opens.
    bar_.FillGroup(groups[g]);
    AddFindGroup(groups, g, counts, catalogue_);
  }
  const DiskShortcutFolder disk;
  for (const FindFolder& folder : catalogue_.Folders)
    AddFindFolderEntries(folder, disk.List(AddBackslash(folder.Path)), counts, catalogue_);
  box_.Add(EntriesFrom(first));
  // The pictures asked for above come off this thread.
  bar_.Resources().Icons().Flush();
}

std::vector<FindBoxEntry> BarFind::EntriesFrom(std::size_t first) {
  std::vector<FindBoxEntry> entries;
  entries.reserve(catalogue_.Candidates.size() - first);
  for (std::size_t i = first; i < catalogue_.Candidates.size(); ++i)
    entries.push_back({catalogue_.Candidates[i], IconOf(i), i});
  return entries;
}

FindBoxIcon BarFind::IconOf(std::size_t candidate) {
  const FindTarget& t = catalogue_.Targets[candidate];
  const std::vector<GroupPanel>& groups = bar_.State().Groups;
  const std::uint16_t kind =
      static_cast<std::size_t>(t.Group) < groups.size() ? groups[t.Group].Data.PanelStyle : 0;
  BarResources& resources = bar_.Resources();
  // The small pictures the bar's buttons and menus show for each kind (a bookmark inside a
  // folder button is an address too).
  if (kind == gkShortcut) return {resources.SystemImages(false), resources.IconIndex(t.Path), nullptr};
  return {resources.ImageList1(), kind == gkWeb ? 15 : 16, nullptr};
}

void BarFind::IconsArrived() {
  if (box_.IsOpen())
    box_.RefreshIcons([this](std::uint64_t id) { return IconOf(static_cast<std::size_t>(id)); });
}

void BarFind::Launch(std::uint64_t id) {
  if (id >= catalogue_.Targets.size()) return;
  const FindTarget target = catalogue_.Targets[id];
  if (target.Entry) return launch_.LaunchFolderEntry(target.Path);
  const std::vector<GroupPanel>& groups = bar_.State().Groups;
  if (static_cast<std::size_t>(target.Group) >= groups.size()) return;
  const GroupPanel& group = groups[target.Group];
  // The group may have been filled again while the box was open: the button is known by its target.
  const auto same = [&](std::size_t i) {
    return i < group.Children.size() && !group.Children[i].IsCollapse() &&
           group.Children[i].FileName == target.Path;
  };
  std::size_t button = static_cast<std::size_t>(target.Button);
  if (!same(button)) {
    button = 0;
    while (button < group.Children.size() && !same(button)) ++button;
  }
  if (!same(button)) return;
  const BarHit hit{BarHit::Kind::kGroupButton, target.Group, static_cast<int>(button)};
  const Rect shown = HitBounds(bar_.View(), groups, hit);
  const bool onBar = ShownAsBand(group.Data) && group.Children[button].Visible && shown.Width() > 0;
  launch_.Activate(hit, onBar ? std::nullopt : std::optional<POINT>(menuAt_));
}

void BarFind::Ended(FindBoxEnd why) {
  hold_.reset();
  catalogue_ = {};
  if (Closed) Closed(why);
}

void BarFind::Close() {
  box_.Close();
  hold_.reset();
  catalogue_ = {};
}

void BarFind::AddQueries(QueryTable& table) {
  table.Add("findbox", [this](std::string_view) { return box_.Describe(); });
}

}  // namespace wendlix
