#include "core/ui/message_box_animation.h"

#include <algorithm>
#include <cmath>

namespace wendlix {

Point OpenAnimationOrigin(const OpenAnimationInput& in) {
  const int w = in.window.Width();
  const int h = in.window.Height();
  Size area;
  switch (in.position) {
    case FormPosition::ScreenCenter: area = in.screen; break;
    case FormPosition::DesktopCenter: area = in.desktop; break;
    default: return Point{in.window.left, in.window.top};
  }
  if (in.mdiClient) area = *in.mdiClient;
  return Point{std::max((area.cx - w) / 2, 0), std::max((area.cy - h) / 2, 0)};
}

OpenAnimationPlan PlanOpenAnimation(Point origin, Size size) {
  OpenAnimationPlan plan;
  if (size.cx <= 0 || size.cy <= 0) return plan;
  int step = size.cx / 32;
  if (step <= 0) step = 4;
  const double ratio = static_cast<double>(size.cy) / size.cx;
  // The frames grow from the whole pixel at the box's centre.
  const Point centre{origin.x + size.cx / 2, origin.y + size.cy / 2};
  double left = centre.x;
  double right = left;
  double top = centre.y;
  double bottom = top;
  const auto round = [](double v) { return static_cast<int>(std::lround(v)); };
  for (;;) {
    if (left <= origin.x) break;
    left -= step;
    right += step;
    top -= step * ratio;
    bottom += step * ratio;
    if (left < origin.x || top < origin.y + 1) break;
    plan.frames.push_back(Rect{round(left), round(top), round(right), round(bottom)});
  }
  // The last drawn frame's inside is restored once more: what showed through it is the desktop.
  if (!plan.frames.empty()) plan.last = plan.frames.back();
  return plan;
}

}  // namespace wendlix
