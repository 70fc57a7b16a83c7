// Docking geometry of the desktop-edge toolbar: the docked rectangle, the edge a drag asks
// for, the outline while moving and sizing, tracking limits and what a finished move
// remembers. Plain data in, plain data out; the screen, work area and the shell's answer
// to ABM_QUERYPOS come in as arguments.
#pragma once
#include <functional>
#include <optional>

#include "core/appbar/app_tool_bar_types.h"
#include "core/common/geometry.h"

namespace wendlix {

// Cuts a full-length rectangle down to the edge's thickness from DockSize; other edges
// leave it as it is.
Rect CutToDockSize(TAppToolBarEdge edge, Rect r, const DockSizes& sizes);

// The shell's ABM_QUERYPOS: given an edge and a proposed rectangle, the rectangle moved
// clear of other toolbars and the taskbar.
using QueryPosFn = std::function<Rect(TAppToolBarEdge edge, Rect proposed)>;

// The rectangle the bar would occupy at an edge of `monitor`. A floating edge keeps `current`;
// any other starts from the monitor's bounds, asks the shell to clear them unless the bar is an
// auto-hide bar (which reserves nothing and always spans the monitor), and is then cut.
Rect DockRectOnMonitor(TAppToolBarEdge edge, Rect current, Rect monitor, bool autoHide,
                       const DockSizes& sizes, const QueryPosFn& queryPos);

// A thickness the bar can really take: no less than the docked minimum tracking size and
// no more than half the screen (the most a user can size it to), so a damaged setting
// cannot make the bar vanish or cover the screen.
int ClampDockSize(TAppToolBarEdge edge, int value, const AppToolBarProperties& props, Size screen);

struct EdgeProposal {
  Point pt;               // pointer, screen coordinates
  bool ctrlDown = false;  // Ctrl held: float wherever the pointer is
  TAppToolBarFlags flags;
  TAppToolBarEdge storedEdge = abeFloat;
  Rect workArea;
  Size screen;
  Size scrollBar;  // SM_CXVSCROLL, SM_CYHSCROLL: the margin inside the work area that still docks
};

// The edge a drag to `pt` asks for on a monitor whose top-left corner is `origin` (`in.screen`
// is its size). The monitor's diagonals through its centre divide it into four triangles; a
// point on a diagonal goes to left or right.
TAppToolBarEdge ProposeEdge(const EdgeProposal& in, Point origin);

// The outline while moving, before it snaps to an edge: leaving an edge for floating
// shows the remembered floating rectangle hanging from the pointer, centred on it.
Rect MovingOutline(TAppToolBarEdge movingEdge, TAppToolBarEdge proposed, Rect dragged, Rect floatRect,
                   Point pt);

// A window position the system asks for: `placed` from WM_WINDOWPOSCHANGING, with whether it
// moves and whether it sizes the window (no SWP_NOMOVE, no SWP_NOSIZE).
struct MoveStep {
  Rect placed;
  bool moves = false;
  bool sizes = false;
  friend constexpr bool operator==(const MoveStep&, const MoveStep&) = default;
};

// A step of the system's move loop, given the outline WM_MOVING last chose (none outside a
// move): put at the outline's corner, the bar takes the whole outline. Move loops that keep
// the window's size (Wine's) would otherwise show it at the new edge's corner in the old
// edge's shape, away from the pointer, until the drag ends. Other changes pass unchanged.
MoveStep PlaceMoveStep(MoveStep asked, const std::optional<Rect>& outline);

// WMSZ_* numbers of WM_SIZING, as Windows defines them.
enum SizingSide : int {
  kSizeLeft = 1,
  kSizeRight = 2,
  kSizeTop = 3,
  kSizeTopLeft = 4,
  kSizeTopRight = 5,
  kSizeBottom = 6,
  kSizeBottomLeft = 7,
  kSizeBottomRight = 8,
};

// Rounds the client size of a sizing rectangle to the increments (0: that dimension keeps
// the dragged size) and moves only the dragged sides. `frame` is the non-client size.
Rect SnapSizingRect(Rect r, int side, Size frame, int horzInc, int vertInc);

struct TrackingLimits {
  Size minTrack;
  Size maxTrack;
  friend constexpr bool operator==(const TrackingLimits&, const TrackingLimits&) = default;
};

// WM_GETMINMAXINFO: floating uses the floating limits; docked is at most half the screen
// thick.
TrackingLimits ComputeTrackingLimits(TAppToolBarEdge edge, const AppToolBarProperties& props, Size screen);

struct SizeMoveMemory {
  DockSizes dockSizes;
  Rect floatRect;
  friend constexpr bool operator==(const SizeMoveMemory&, const SizeMoveMemory&) = default;
};

// What a finished move or size remembers: the thickness at an unchanged edge, the
// floating rectangle after a floating move, or the size to float with after pulling the
// bar off an edge (a window as large as the work area keeps the old floating size).
SizeMoveMemory RememberSizeMove(TAppToolBarEdge movingEdge, TAppToolBarEdge storedEdge, Rect window,
                                Rect workArea, SizeMoveMemory memory);

// The edge a finished move commits. A move that never started (no WM_ENTERSIZEMOVE, so
// no moving edge) keeps the stored edge rather than unregistering the bar.
constexpr TAppToolBarEdge EdgeAfterSizeMove(TAppToolBarEdge movingEdge, TAppToolBarEdge storedEdge) {
  return movingEdge == abeUnknown ? storedEdge : movingEdge;
}

}  // namespace wendlix
