// What the main window offers the parts that carry out the bar's capabilities (drops, the
// keyboard, the menus, the groups): its state, layout and pointer, the toolbar it is, and the
// group file opened and saved with failures shown to the user. Each part takes it in its
// constructor; the main window implements it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/bar/bar_state.h"
#include "core/bar/bar_view.h"
#include "core/bar/group_list.h"
#include "core/profile/ini_file.h"
#include "core/ui/dpi_scale.h"
#include "win/appbar/app_tool_bar.h"
#include "win/bar/bar_painter.h"
#include "win/bar/bar_resources.h"

namespace wendlix {

class SystemTweaksCommands;

// The captions of the boxes that report a failed save, by what the command worked on.
inline constexpr char kButtonErrorCaption[] = "按钮";
inline constexpr char kGroupErrorCaption[] = "工具栏";

class BarWindow {
 public:
  virtual HWND Handle() const = 0;
  // The docking, auto-hiding toolbar the window is (an AutoHideHold holds it).
  virtual AppToolBarImpl& Toolbar() = 0;
  virtual BarState& State() = 0;
  virtual const BarState& State() const = 0;
  virtual const BarView& View() const = 0;
  virtual BarResources& Resources() = 0;
  // The bar's monitor's DPI: sizes the files keep at 96 DPI are shown at it.
  virtual DpiScale Scale() const = 0;
  virtual BarHit HitTest(POINT client) const = 0;
  virtual const BarPointer& Pointer() const = 0;
  // Hot and pressed elements; only the elements whose look changes are drawn again.
  virtual void SetPointer(const BarPointer& pointer) = 0;
  // Lays out the title strip, the bands, every group and PanelBtn for the current edge and
  // client size, and repaints.
  virtual void ArrangeBar() = 0;
  // Reads the look again (its choice in the settings, the system's mode and high contrast);
  // when it changed, repaints the bar at once and tells the bar's other windows. True then.
  virtual bool FollowTheme() = 0;
  // The groups' entries in the bar settings menu, after groups were added, renamed or shown.
  virtual void RefreshGroupEntries() = 0;
  // Null until the window exists.
  virtual SystemTweaksCommands* Tweaks() = 0;
  // The context menu of the element at a client point: the system tweaks menu over the title
  // strip, the buttons menu over groups, the bar settings menu elsewhere.
  virtual void ShowContextMenu(POINT client) = 0;
  // Whether a menu of the bar is open (it has the keyboard then).
  virtual bool MenuOpen() const = 0;
  // A command is about to fill `panel` from `gpf`, after its own writes to the group's
  // folder: a watched folder is read as the fill will find it, so those writes bring no
  // second refill, and entries renamed meanwhile keep their places in `gpf`, which is then
  // saved with whatever the command wrote to it before. `recheck` when the user asked for
  // the refresh: a missing folder is looked for again at once.
  virtual void BeginGroupFill(GroupPanel& panel, IniFile& gpf, bool recheck) = 0;

  // The appbar's properties as the settings file keeps them, read from the toolbar.
  AppBarProps CurrentAppBarProps();
  // Where a menu of the element `hit` opens: beside it or below it, in screen coordinates.
  POINT MenuPointFor(const BarHit& hit, MenuPosition position) const;

  IniFile OpenGroupFile() const;
  // Fills the group's buttons from the group file and its folder (BeginGroupFill first).
  void FillGroup(GroupPanel& panel);
  // Saves the group file; a failure is shown in the bar's error box under `caption`.
  bool SaveOrReport(IniFile& gpf, const char* caption);
  void ReportSaveFailed(const std::string& path, const char* caption);
  // The groups list as the bar would write it now: the groups in band order, then the
  // entries kept from a start that could not read their groups.
  std::vector<GroupListEntry> CurrentGroupList() const;
  // Saves a change to the groups list with the records it needs, in the order that loses no
  // group (SaveGroupListChange); `gpf` is the group file the command has open, if any. A
  // failure is shown in the bar's error box under `caption`.
  bool SaveGroupList(const GroupListChange& change, IniFile* gpf, const char* caption);

 protected:
  ~BarWindow() = default;
};

}  // namespace wendlix
