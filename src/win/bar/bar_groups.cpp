#include "win/bar/bar_groups.h"

#include "core/bar/band_order.h"
#include "core/bar/group_file.h"
#include "core/bar/group_visibility.h"
#include "core/button_menu/group_commands.h"
#include "win/shell/disk_shortcut_folder.h"

namespace wendlix {

bool BarGroups::SaveGroupWithButtons(GroupPanel& panel, IniFile& gpf) {
  SaveShownGroup(gpf, panel);
  panel.Children.clear();
  return gpf.Save();
}

void BarGroups::GroupDblClick(int g) {
  std::vector<GroupPanel>& groups = bar_.State().Groups;
  if (g < 0 || !CollapseGroupIntoButton(groups, static_cast<std::size_t>(g))) return;
  IniFile gpf = bar_.OpenGroupFile();
  const bool saved = SaveGroupWithButtons(groups[g], gpf);
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  if (!saved) bar_.ReportSaveFailed(gpf.Path(), kGroupErrorCaption);
}

void BarGroups::GroupMenuItemClick(int tag) {
  BarState& state = bar_.State();
  const GroupMenuClick click = ToggleGroupFromMenu(state.Groups, tag);
  if (click.Result == GroupMenuClick::Effect::kNone) return;
  state.BandBarVisible = true;
  GroupPanel& group = state.Groups[click.Group];
  IniFile gpf = bar_.OpenGroupFile();
  bool saved = true;
  if (click.Result == GroupMenuClick::Effect::kShown) {
    bar_.BeginGroupFill(group, gpf, false);
    FillByKind(group, gpf, DiskShortcutFolder{});
    SaveGroup(gpf, RecordWithoutButtons(group), false);
    saved = gpf.Save();
  } else {
    saved = SaveGroupWithButtons(group, gpf);
  }
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  if (!saved) bar_.ReportSaveFailed(gpf.Path(), kGroupErrorCaption);
}

void BarGroups::DragBand(POINT client) {
  std::vector<GroupPanel>& groups = bar_.State().Groups;
  const BarView& view = bar_.View();
  const int from = bar_.Pointer().Pressed.Group;
  const int to = BandHeaderAlong(view.CoolBarVertical, view.Bands, Point{client.x, client.y});
  if (from < 0 || to < 0 || to == from) return;
  const RenumberResult moved = RenumberBands(groups, MoveBand(static_cast<int>(groups.size()), from, to));
  if (!moved.Applied) return;
  bandMoved_ = bandMoved_ || moved.Moved;
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  const BarHit held{BarHit::Kind::kBandHeader, to};
  bar_.SetPointer({held, held});
}

void BarGroups::EndBandDrag() {
  if (!bandMoved_) return;
  bandMoved_ = false;
  bar_.SaveGroupList({}, nullptr, kGroupErrorCaption);
}

}  // namespace wendlix
