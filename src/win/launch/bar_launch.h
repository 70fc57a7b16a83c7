// Launching from the bar: a launch button's click, and the menus a folder button, a collapse
// button or a group's button in PanelBtn open on the press, whose items launch in turn. Every
// start is counted by its target for the find box's order, and the count saved at once.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/launch/launch_decision.h"

#include "core/bar/mouse_rules.h"
#include "core/inspect/query_table.h"
#include "win/bar/bar_window.h"
#include "win/ui/popup_menu.h"

namespace wendlix {

class BarLaunch {
 public:
  explicit BarLaunch(BarWindow& bar) : bar_(bar) {}
  BarLaunch(const BarLaunch&) = delete;
  BarLaunch& operator=(const BarLaunch&) = delete;

  // Whether a press on `hit` opens a menu: a collapse button, a group's button in PanelBtn,
  // and a folder button unless the keys say otherwise.
  bool PressOpensMenu(const BarHit& hit, ShiftState shift) const;
  // Runs the menu of the button `hit` names (one PressOpensMenu accepts) until it closes: beside
  // the button, or at the screen point `at` (a button the bar does not show). Opened from the
  // keyboard (`byKey`), it comes with its first item selected.
  void ButtonMouseDown(const BarHit& hit, std::optional<POINT> at = std::nullopt, bool byKey = false);
  // A launch button clicked: its file, program or address is launched.
  void LaunchClick(const BarHit& hit);
  // A button chosen from the keyboard, by the mouse's rules: folder and collapse buttons open
  // their menus (drawn pressed meanwhile, at `menuAt` when given, the first item selected),
  // others launch.
  void Activate(const BarHit& hit, std::optional<POINT> menuAt = std::nullopt);
  // An entry inside a folder button, started as its menu item would be.
  void LaunchFolderEntry(const std::string& path);

  // How many launches were handed to the shell so far: a caller compares it before and after
  // to learn whether what it chose started something.
  unsigned Started() const { return started_; }

  bool MenuOpen() const { return open_ != nullptr; }
  // "launchmenu": the open folder or collapse menu's items (DescribeMenu), nothing while none is.
  void AddQueries(QueryTable& table);
  // The owner-drawn menu's messages while one of these menus is open.
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return open_ && open_->HandleMenuMessage(msg, wp, lp, result);
  }

 private:
  void FolderButtonMouseDown(const BarHit& hit, std::optional<POINT> at, bool byKey);
  void CollapseButtonMouseDown(const BarHit& hit, int buttonTag, std::optional<POINT> at, bool byKey);
  void LaunchMenuChoice(const std::optional<MenuItemSender>& chosen);
  // Starts `request`; once started, `target` is counted and the counts saved.
  void Start(const LaunchRequest& request, const std::string& target);

  BarWindow& bar_;
  PopupMenu* open_ = nullptr;  // a folder or collapse menu while it is open
  unsigned started_ = 0;
};

}  // namespace wendlix
