// Auto-hide decisions of the desktop-edge toolbar: the shown and hidden places, the frames
// of a slide, what each timer tick does, and the z-order the bar takes.
#pragma once
#include <optional>
#include <vector>

#include "core/appbar/app_tool_bar_types.h"
#include "core/common/geometry.h"

namespace wendlix {

// Moves a docked rectangle to the shown place (flush with the monitor's edge) or the hidden
// one (two borders of it left on the monitor). Nothing when the bar is not an auto-hide bar at
// a docking edge. `border` is (SM_CXBORDER, SM_CYBORDER).
std::optional<Rect> PlaceForAutoHideOnMonitor(TAppToolBarEdge edge, bool autoHide, bool show, Rect r,
                                              Rect monitor, Size border);

// Showing slides three times faster than hiding: a third of the frames, rounded.
int ShowSlideInterval(int hideInterval);

// More frames than this would freeze the bar for minutes (a damaged setting); the slide is
// cut to it.
constexpr int kMaxSlideFrames = 1000;

// The frames drawn before the final placement: none without full dragging, for an
// unchanged rectangle, or for an interval of 0 or less; otherwise frame k of N lies k/N
// of the way from `current` to `target` (integer division toward zero), k = 0 .. N-1.
std::vector<Rect> SlideFrames(Rect current, Rect target, int interval, bool fullDragOn);

// The tick's first step keeps a bar spanning its monitor after a change of resolution: spanning
// that monitor, within its right and bottom sides. The checks run one after another on the
// window as each leaves it. A bar that is not auto-hide (its slot refused while the timer runs
// on) is left where the shell put it.
enum class ResolutionCheck { SpanWidth, SpanHeight, RightOffScreen, BottomOffScreen };
constexpr ResolutionCheck kResolutionChecks[] = {ResolutionCheck::SpanWidth, ResolutionCheck::SpanHeight,
                                                 ResolutionCheck::RightOffScreen,
                                                 ResolutionCheck::BottomOffScreen};
bool ResolutionCheckFiresOnMonitor(ResolutionCheck check, TAppToolBarEdge edge, bool autoHide, Rect monitor,
                                   Rect window);

enum class TickSlide { None, Hide, Show };

struct AutoHideTickInput {
  bool autoHide = true;    // only an auto-hide bar slides or keeps itself spanning the screen
  bool barActive = false;  // the bar is the active window: it does not slide back
  bool holdShown = false;  // a menu of the bar or a drag over it is under way
  bool activateByMouseDown = false;
  Point cursor;
  Rect window;
  Size doubleClick{4, 4};  // SM_CXDOUBLECLK, SM_CYDOUBLECLK
  int inset = 8;           // how far inside the window the near area ends (8 at 96 DPI)
};

struct AutoHideTickDecision {
  TickSlide slide = TickSlide::None;
  bool useActiveDelay = false;  // set the timer's interval to ActiveDelay
  friend constexpr bool operator==(const AutoHideTickDecision&, const AutoHideTickDecision&) = default;
};

// The pointer counts as near inside the window grown by twice the double-click area and
// shrunk by 8 pixels on every side (with a 4 x 4 area exactly the window). Near, the bar slides
// out (unless only a press may bring it), active or not; away, it slides back unless it is active
// or held.
AutoHideTickDecision DecideAutoHideTick(const AutoHideTickInput& in);

// SetTimer treats 0 .. 9 as 10 ms and a negative value as almost a month, which would
// stop the polling for good.
constexpr int TimerIntervalFor(int ms) { return ms < 10 ? 10 : ms; }

enum class BarZOrder { Topmost, NotTopmost, BelowFullScreenApp };

// Auto-hide and always-on-top bars stay above other windows, except under an open
// full-screen application, which must cover them.
BarZOrder ChooseZOrder(bool autoHide, bool alwaysOnTop, bool fullScreenAppOpen);

}  // namespace wendlix
