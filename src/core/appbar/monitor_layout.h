// The monitors the bar can dock on: which one a window or a point belongs to, which one a
// remembered monitor is now, which of a monitor's edges are edges of the whole desktop, and
// whether a display change changed anything the bar depends on.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/appbar/app_tool_bar_types.h"
#include "core/common/geometry.h"

namespace wendlix {

struct MonitorInfo {
  std::string device;  // "\\.\DISPLAY1"
  Rect bounds;         // the whole monitor, virtual-screen coordinates
  Rect work;           // the part other desktop toolbars and the taskbar leave free
  bool primary = false;
  friend bool operator==(const MonitorInfo&, const MonitorInfo&) = default;
};

using MonitorList = std::vector<MonitorInfo>;

// The monitor a bar keeps to: its device name and rectangle when it was chosen. Empty means
// "the primary monitor".
struct SavedMonitor {
  std::string device;
  Rect bounds;
  bool Empty() const { return device.empty(); }
  friend bool operator==(const SavedMonitor&, const SavedMonitor&) = default;
};

constexpr Size SizeOf(const Rect& r) { return {r.Width(), r.Height()}; }

// The primary monitor's index: the one flagged primary, else the one holding (0, 0), else the
// first. The list must not be empty.
std::size_t PrimaryMonitor(const MonitorList& monitors);

// The monitor a rectangle lies on: the one it overlaps most, else the nearest one, else (equal
// distances) the primary. The list must not be empty.
std::size_t MonitorForRect(const MonitorList& monitors, Rect r);

// The monitor a point lies on, else the nearest one, else the primary.
std::size_t MonitorForPoint(const MonitorList& monitors, Point p);

// A remembered monitor as it is now: same device and rectangle, else same device (its
// resolution changed), else same rectangle (the device was renamed), else the primary. The
// answer is nothing only when the list is empty.
std::optional<std::size_t> FindSavedMonitor(const MonitorList& monitors, const SavedMonitor& saved);

// Whether a monitor's edge is an edge of the desktop: an edge another monitor continues
// across is a seam between them, and a bar docked there would hang onto the neighbour.
bool IsScreenEdge(const MonitorList& monitors, std::size_t index, TAppToolBarEdge edge);

// The monitor a bar docked at `edge` of monitor `index` stands on: that monitor when the edge is
// an edge of the desktop, else the monitor beyond the seam, and so on outward, so the bar keeps
// its side of the desktop (where two are beyond, the one sharing more of the side).
std::size_t ScreenEdgeMonitor(const MonitorList& monitors, std::size_t index, TAppToolBarEdge edge);

// The flags without the edges of this monitor that are seams.
TAppToolBarFlags ScreenEdgeFlags(TAppToolBarFlags flags, const MonitorList& monitors, std::size_t index);

// Whether two enumerations differ in what docking depends on: the number of monitors, or a
// monitor's device name, bounds or primary flag. Work areas and order do not count (our own
// reservation changes the work area; the order of enumeration is not a change).
bool MonitorsChanged(const MonitorList& before, const MonitorList& after);

// Whether a display or work-area notice needs the bar docked again: the monitors changed, or
// the work area of the bar's monitor is not what the last docking left it (the notice our own
// reservation causes is not a change, so it starts no loop).
bool NeedsRedockForDisplay(const MonitorList& lastMonitors, Rect lastWork, const MonitorList& monitors,
                           Rect work);

// "left,top,right,bottom" as the settings file keeps a monitor's rectangle; nothing for text
// that is not four integers or an empty or inside-out rectangle.
std::string FormatMonitorRect(const Rect& r);
std::optional<Rect> ParseMonitorRect(std::string_view text);

}  // namespace wendlix
