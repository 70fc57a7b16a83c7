// The bar's work on whole groups: collapsing one into PanelBtn by a double click, showing and
// hiding groups from the groups menu, and reordering bands by dragging their headers. Each
// change is saved to the group file at once and laid out.
#pragma once
#include <windows.h>

#include "core/bar/group_construction.h"
#include "core/profile/ini_file.h"
#include "win/bar/bar_window.h"

namespace wendlix {

class BarGroups {
 public:
  explicit BarGroups(BarWindow& bar) : bar_(bar) {}
  BarGroups(const BarGroups&) = delete;
  BarGroups& operator=(const BarGroups&) = delete;

  // The group's record as the group file keeps it apart from its buttons.
  static GroupRecord RecordWithoutButtons(const GroupPanel& g) {
    return GroupRecord{g.Data, g.Width, g.Height, {}};
  }
  // Saves the group's record into `gpf` with the buttons it shows (SaveShownGroup), and
  // empties it; false when the file could not be saved.
  static bool SaveGroupWithButtons(GroupPanel& panel, IniFile& gpf);

  // A double click on a group's background collapses it into a button of PanelBtn.
  void GroupDblClick(int group);
  // A group's entry in a groups menu shows it as a band or takes it off the bar.
  void GroupMenuItemClick(int tag);
  // A band header held by the pointer follows it to the header under `client`.
  void DragBand(POINT client);
  // A band drag that reordered the groups saves the list once, when it ends.
  void EndBandDrag();

 private:
  BarWindow& bar_;
  bool bandMoved_ = false;
};

}  // namespace wendlix
