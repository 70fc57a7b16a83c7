#include "win/bar/bar_window.h"

#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/group_construction.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/ui/p_messages.h"

namespace wendlix {

AppBarProps BarWindow::CurrentAppBarProps() {
  const AppToolBarImpl& bar = Toolbar();
  AppBarProps p;
  p.Edge = bar.Edge();
  p.AutoHide = bar.AutoHide();
  p.AlwaysOnTop = bar.AlwaysOnTop();
  p.ActivateByMouseDown = bar.ActivateByMouseDown();
  p.ActiveDelay = bar.ActiveDelay();
  p.AutoHideInterval = bar.AutoHideInterval();
  return p;
}

POINT BarWindow::MenuPointFor(const BarHit& hit, MenuPosition position) const {
  const Rect r = HitBounds(View(), State().Groups, hit);
  POINT pt = position == MenuPosition::dmpRight ? POINT{r.right, r.top} : POINT{r.left, r.bottom};
  ClientToScreen(Handle(), &pt);
  return pt;
}

IniFile BarWindow::OpenGroupFile() const { return IniFile(GroupFileName(State().ConfigBase)); }

void BarWindow::FillGroup(GroupPanel& panel) {
  IniFile gpf = OpenGroupFile();
  BeginGroupFill(panel, gpf, false);
  FillByKind(panel, gpf, DiskShortcutFolder{});
}

bool BarWindow::SaveOrReport(IniFile& gpf, const char* caption) {
  if (gpf.Save()) return true;
  ReportSaveFailed(gpf.Path(), caption);
  return false;
}

void BarWindow::ReportSaveFailed(const std::string& path, const char* caption) {
  AutoHideHold hold(Toolbar());
  ShowErrorBox(SaveFailedText(path), caption);
}

std::vector<GroupListEntry> BarWindow::CurrentGroupList() const {
  std::vector<GroupListEntry> groups;
  groups.reserve(State().Groups.size());
  for (const GroupPanel& g : State().Groups) groups.push_back({g.Data.Title, g.Data.Directory});
  return GroupList(groups, State().UnreadGroupEntries);
}

bool BarWindow::SaveGroupList(const GroupListChange& change, IniFile* gpf, const char* caption) {
  const std::string groupPath = GroupFileName(State().ConfigBase);
  const std::string settingsPath = SettingsFileName(State().ConfigBase);
  RetireKeptTitles(State().UnreadGroupEntries, change.Retired);
  const std::optional<GroupListStep> failed =
      SaveGroupListFiles(groupPath, settingsPath, change, CurrentGroupList(), gpf);
  if (!failed) return true;
  ReportSaveFailed(*failed == GroupListStep::kList ? settingsPath : groupPath, caption);
  return false;
}

}  // namespace wendlix
