// Everything the running bar knows between start-up and close: where its files are, its
// settings, the system tweaks and its groups in band order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/bar/bar_settings.h"
#include "core/bar/group_construction.h"
#include "core/bar/group_list.h"
#include "core/launch/launch_counts.h"
#include "core/tweaks/system_tweaks.h"

namespace wendlix {

struct BarState {
  std::string ConfigBase;  // the settings files without extension
  // As read at start-up and written at close; while the bar runs, the desktop-edge toolbar
  // holds the appbar properties and the window its size, and the close fills them in here.
  BarSettings Settings;
  TweakFlags Tweaks;
  std::uint16_t TitleSize = 25;    // thickness of the title strip in pixels
  std::vector<GroupPanel> Groups;  // band order: a group's index is its Tag
  bool BandBarVisible = false;
  // Entries of the groups list whose groups could not be read at start: written back with the
  // list so that a damaged or locked group file does not cost it.
  std::vector<GroupListEntry> UnreadGroupEntries;
  // How often each target was started from the bar, for the find box's order.
  LaunchCounts Launches;
};

}  // namespace wendlix
