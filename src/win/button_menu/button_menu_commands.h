// The buttons menu of groups, their buttons and PanelBtn, and its commands: new button,
// button properties and delete, the display flags, new group, group properties, delete,
// show as button, export and import, explore, hide and refresh. Each command works on the
// group and button the menu was opened over, saves the group file at most once and leaves
// the bar showing what a fresh fill from file and folder would show. The handlers keep the
// names of the menu items they serve.
#pragma once
#include <windows.h>

#include "core/button_menu/button_menu.h"
#include "core/inspect/query_table.h"
#include "core/ui/menu_model.h"
#include "win/bar/bar_groups.h"
#include "win/bar/bar_window.h"
#include "win/editor/new_btn_form.h"
#include "win/ui/popup_menu.h"

namespace wendlix {

// The group and launch button the buttons menu was opened over (child index), -1 for none.
struct ButtonMenuTarget {
  int Group = -1;
  int Button = -1;
};

class ButtonMenuCommands {
 public:
  ButtonMenuCommands(BarWindow& bar, BarGroups& groups) : bar_(bar), state_(bar.State()), groups_(groups) {}
  ButtonMenuCommands(const ButtonMenuCommands&) = delete;
  ButtonMenuCommands& operator=(const ButtonMenuCommands&) = delete;

  // The menu as it would open over `hit`, and what its commands would act on.
  ButtonMenuTarget PrepareButtonMenu(const BarHit& hit);
  // Opens the menu at a screen point and runs the chosen command.
  void ShowButtonMenu(const BarHit& hit, POINT screen);
  // "btnmenu:X,Y": the menu as it would open at that client point (as it stands while it is open).
  void AddQueries(QueryTable& table);
  bool MenuOpen() const { return popup_.Tracking(); }
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return popup_.HandleMenuMessage(msg, wp, lp, result);
  }

  void N6Click();           // new group
  void S5Click(int group);  // group properties

 private:
  void RunButtonMenuItem(const MenuItem& item, const ButtonMenuTarget& target);
  NewBtnFormResult RunEditor(NewBtnFormSetup& setup);
  NewBtnFormSetup ButtonSetup(const GroupPanel& group, int button) const;
  // Writes the group's record and buttons in one save, then fills it again from file and folder.
  bool SaveButtonsAndRefill(GroupPanel& group);
  // 新建, properties and delete on a bookmarks group change nothing: a box says why.
  bool RefusedByBookmarks(const GroupPanel& group);
  void N9Click(int group);              // new button
  void S3Click(int group, int button);  // button properties
  void D1Click(int group, int button);  // delete button
  void T2Click(int group, int tag);     // a display flag
  void D2Click(int group);              // delete group
  void N5Click(int group);              // show as button, or as a band again
  void H1Click(int group);              // hide
  void R1Click(int group);              // refresh
  void O1Click(int group);              // explore the group's folder

  BarWindow& bar_;
  BarState& state_;
  BarGroups& groups_;
  MenuModel menu_ = BuildPopupMenuBtn();
  PopupMenu popup_{menu_};
};

}  // namespace wendlix
