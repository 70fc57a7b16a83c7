// Launching from the bar: a launch button's click, and the menus a folder button, a collapse
// button or a group's button in PanelBtn open on the press, whose items launch in turn.
#pragma once
#include <windows.h>

#include "core/bar/mouse_rules.h"
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
  // Runs the menu of the button `hit` names (one PressOpensMenu accepts) until it closes.
  void ButtonMouseDown(const BarHit& hit);
  // A launch button clicked: its file, program or address is launched.
  void LaunchClick(const BarHit& hit);

  bool MenuOpen() const { return open_ != nullptr; }
  // The owner-drawn menu's messages while one of these menus is open.
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return open_ && open_->HandleMenuMessage(msg, wp, lp, result);
  }

 private:
  void FolderButtonMouseDown(const BarHit& hit);
  void CollapseButtonMouseDown(const BarHit& hit, int buttonTag);

  BarWindow& bar_;
  PopupMenu* open_ = nullptr;  // a folder or collapse menu while it is open
};

}  // namespace wendlix
