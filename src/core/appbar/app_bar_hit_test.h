// Non-client hit-testing of the desktop-edge toolbar, shown and hidden. The HT* values
// are Windows' own, so the window procedure passes them through unchanged.
#pragma once
#include "core/appbar/app_tool_bar_types.h"
#include "core/common/geometry.h"

namespace wendlix {

enum HitTestCode : int {
  kHtClient = 1,
  kHtCaption = 2,
  kHtLeft = 10,
  kHtRight = 11,
  kHtTop = 12,
  kHtTopLeft = 13,
  kHtTopRight = 14,
  kHtBottom = 15,
  kHtBottomLeft = 16,
  kHtBottomRight = 17,
  kHtBorder = 18,
};

struct ShownHitTestInput {
  int defaultResult = kHtClient;  // what the default handling answered
  bool buttonDown = false;        // primary mouse button held
  TAppToolBarEdge edge = abeFloat;
  int horzSizeInc = 1;
  int vertSizeInc = 1;
  Rect clientOnScreen;  // client rectangle in screen coordinates
  Point pt;             // the tested point
};

// A press on the background drags the bar; floating, the borders size only in the
// directions that have an increment; docked, only the inner border sizes.
int ShownBarHitTest(const ShownHitTestInput& in);

enum class BarCursor { Unchanged, SizeWestEast, SizeNorthSouth, Hand };

struct HiddenHitTest {
  int result = kHtClient;
  BarCursor cursor = BarCursor::Unchanged;
  bool slideOut = false;  // a press on the sliver brings the bar out
  friend constexpr bool operator==(const HiddenHitTest&, const HiddenHitTest&) = default;
};

HiddenHitTest HiddenBarHitTest(TAppToolBarEdge edge, bool buttonDown);

}  // namespace wendlix
