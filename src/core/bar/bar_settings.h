// The bar settings file: section "Wendlix V3.0" (the bar's own settings and the appbar's
// properties), section "Groups" (the group list in band order).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/appbar/app_tool_bar_types.h"
#include "core/appbar/monitor_layout.h"
#include "core/keyboard/hotkey.h"
#include "core/paint/theme.h"

namespace wendlix {

class IniFile;

inline constexpr std::string_view kBarSection = "Wendlix V3.0";

// Edge numbers of the desktop-edge toolbar.
using BarEdge = TAppToolBarEdge;

// The appbar properties the settings file keeps.
struct AppBarProps {
  int Edge = abeRight;
  bool AutoHide = true;
  bool AlwaysOnTop = true;
  bool ActivateByMouseDown = false;
  int ActiveDelay = 800;  // milliseconds
  int AutoHideInterval = 60;

  bool operator==(const AppBarProps&) const = default;
};

struct BarSettings {
  bool AutoRun = true;
  bool ReLoadSet = false;
  AppBarProps AppBar;
  int Groups = 0;  // number of groups to load
  int Width = 86;
  int Height = 0;  // the window's height when the file has none
  bool FlatDrawMode = true;
  // "HotKey": the global hotkey as text (core/keyboard/hotkey.h); absent reads as the default, "" is none.
  std::string HotKey = kDefaultHotKeyText;
  bool HotKeyStored = false;  // the file named one (even ""), so it is the user's choice
  SavedMonitor Monitor;       // "Monitor" and "MonitorRect"; empty: the primary monitor
  bool LiveFolders = true;    // shortcut groups follow their folders as they change
  // "Appearance": 0 follows the system, 1 light, 2 dark; absent or any other value follows.
  AppearanceChoice Appearance = AppearanceChoice::kFollowSystem;

  bool operator==(const BarSettings&) const = default;
};

// Reads section "Wendlix V3.0"; `currentHeight` is the default of "Height". The bar
// docks to the four edges only, so any other stored edge reads as the right edge.
BarSettings ReadBarSettings(const IniFile& ini, int currentHeight);

// The key names of section "Groups" in file order: the titles of the groups to load.
std::vector<std::string> ReadGroupNames(const IniFile& ini);

// Writes section "Wendlix V3.0" in its fixed order; `groupCount` is the number of bands.
void WriteBarSettings(IniFile& ini, const BarSettings& settings, int groupCount);

// The appbar's dock size for all edges: the width on a side edge, the height on the top
// or bottom edge, 35 otherwise.
int DockSizeFor(int edge, int width, int height);

}  // namespace wendlix
