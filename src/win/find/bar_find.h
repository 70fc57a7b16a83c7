// Finding a button by typing while the bar has the keyboard: the first letter, digit or Chinese
// character typed on the bar opens the find box beside it over every button of every group and
// the entries inside folder buttons; Enter starts the chosen one as a click would.
//
// The box opens on what the bar holds in memory, so that it is up within a frame of the key.
// Right after its first paint the groups the bar has not read yet (collapsed or hidden ones)
// are filled and the folder buttons listed, one level each, and their entries added; from then
// on a keystroke only matches against the index in memory. A folder is listed at every opening,
// so the box shows what the menu would.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "core/find/find_catalogue.h"
#include "core/inspect/query_table.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/bar/bar_window.h"
#include "win/find/find_box.h"
#include "win/launch/bar_launch.h"

namespace wendlix {

class BarFind {
 public:
  BarFind(BarWindow& bar, BarLaunch& launch);
  BarFind(const BarFind&) = delete;
  BarFind& operator=(const BarFind&) = delete;

  // A character typed on the bar, which takes typing now: a letter, a digit or any character
  // beyond ASCII opens the box; an open box takes every character. False for the others.
  bool Typed(wchar_t c);
  bool IsOpen() const { return box_.IsOpen(); }
  HWND Box() const { return box_.Handle(); }
  // The owner's own closing (the hotkey again, the bar going): Closed is not called.
  void Close();
  // Pictures that were on their way arrived.
  void IconsArrived();
  // "findbox": what the box shows (FindBox::Describe), empty while it is closed.
  void AddQueries(QueryTable& table);

  // Told when the box closed by itself, after the launch for FindBoxEnd::kLaunched.
  std::function<void(FindBoxEnd why)> Closed;

 private:
  void Open(wchar_t first);
  void ReadTheRest();
  void Launch(std::uint64_t id);
  void Ended(FindBoxEnd why);
  std::vector<FindBoxEntry> EntriesFrom(std::size_t first);
  FindBoxIcon IconOf(std::size_t candidate);

  BarWindow& bar_;
  BarLaunch& launch_;
  FindCatalogue catalogue_;           // what the open box finds; an entry's id is its index here
  std::optional<AutoHideHold> hold_;  // the bar stays out while the box is open
  POINT menuAt_{};  // the box's corner: where a folder button the bar does not show opens its menu
  FindBox box_;
};

}  // namespace wendlix
