// The opening animation as geometry: where the window will stand, and the growing frames
// drawn on the screen before it is shown (from a point at its centre out to its size).
#pragma once
#include <optional>
#include <vector>

#include "core/common/geometry.h"

namespace wendlix {

enum class FormPosition { Designed, ScreenCenter, DesktopCenter };

struct OpenAnimationInput {
  FormPosition position = FormPosition::Designed;
  Rect window;                    // the window's current bounds (its own left and top count for Designed)
  Size screen;                    // primary screen
  Size desktop;                   // the virtual desktop
  std::optional<Size> mdiClient;  // set for a child window of a multi-document main window
};

// Where the window's top-left will be when it shows; centred positions never go negative.
Point OpenAnimationOrigin(const OpenAnimationInput& in);

struct OpenAnimationPlan {
  std::vector<Rect> frames;  // drawn in order, each 2 pixels wide; the inside shows the desktop
  std::optional<Rect> last;  // the rectangle whose inside is restored once more at the end
};

// `origin` is the final top-left, `size` the window's size.
OpenAnimationPlan PlanOpenAnimation(Point origin, Size size);

// The inside of a frame, copied back from the saved screen so that only the 2-pixel border shows.
constexpr Rect FrameInside(const Rect& frame) {
  return Rect{frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
}

}  // namespace wendlix
