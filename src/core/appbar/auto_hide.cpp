#include "core/appbar/auto_hide.h"

#include <cstdint>

namespace wendlix {

std::optional<Rect> PlaceForAutoHideOnMonitor(TAppToolBarEdge edge, bool autoHide, bool show, Rect r,
                                              Rect monitor, Size border) {
  if (!autoHide || !IsDockingEdge(edge)) return std::nullopt;
  const int w = r.Width(), h = r.Height();
  int x = monitor.left, y = monitor.top;
  if (show) {
    if (edge == abeRight) x = monitor.right - w;
    if (edge == abeBottom) y = monitor.bottom - h;
  } else {
    const int bx = 2 * border.cx, by = 2 * border.cy;
    switch (edge) {
      case abeLeft: x = monitor.left + bx - w; break;
      case abeTop: y = monitor.top + by - h; break;
      case abeRight: x = monitor.right - bx; break;
      case abeBottom: y = monitor.bottom - by; break;
      default: break;
    }
  }
  return MakeRect(x, y, w, h);
}

int ShowSlideInterval(int hideInterval) {
  // N / 3 never ends in a half, so rounding half away from zero is exact.
  return hideInterval >= 0 ? (hideInterval + 1) / 3 : -((-hideInterval + 1) / 3);
}

std::vector<Rect> SlideFrames(Rect current, Rect target, int interval, bool fullDragOn) {
  std::vector<Rect> frames;
  if (!fullDragOn || current == target || interval <= 0) return frames;
  const std::int64_t n = interval > kMaxSlideFrames ? kMaxSlideFrames : interval;
  const std::int64_t cw = current.Width(), ch = current.Height();
  const std::int64_t tw = target.Width(), th = target.Height();
  frames.reserve(static_cast<std::size_t>(n));
  for (std::int64_t k = 0; k < n; ++k) {
    const auto left = static_cast<int>(current.left - (std::int64_t{current.left} - target.left) * k / n);
    const auto top = static_cast<int>(current.top - (std::int64_t{current.top} - target.top) * k / n);
    const auto width = static_cast<int>(cw - (cw - tw) * k / n);
    const auto height = static_cast<int>(ch - (ch - th) * k / n);
    frames.push_back(MakeRect(left, top, width, height));
  }
  return frames;
}

bool ResolutionCheckFiresOnMonitor(ResolutionCheck check, TAppToolBarEdge edge, bool autoHide, Rect monitor,
                                   Rect window) {
  if (!autoHide) return false;
  switch (check) {
    case ResolutionCheck::SpanWidth: return IsHorizontalEdge(edge) && monitor.Width() != window.Width();
    case ResolutionCheck::SpanHeight: return IsVerticalEdge(edge) && monitor.Height() != window.Height();
    case ResolutionCheck::RightOffScreen: return edge == abeRight && monitor.right < window.left;
    case ResolutionCheck::BottomOffScreen: return edge == abeBottom && monitor.bottom < window.top;
  }
  return false;
}

AutoHideTickDecision DecideAutoHideTick(const AutoHideTickInput& in) {
  AutoHideTickDecision d;
  if (!in.autoHide) return d;
  const Rect near =
      Inflate(Inflate(in.window, 2 * in.doubleClick.cx, 2 * in.doubleClick.cy), -in.inset, -in.inset);
  if (!Contains(near, in.cursor)) {
    // Activation can fall to a hidden bar when the user's window closes, so being active only
    // keeps a bar out, never in.
    if (in.holdShown || in.barActive) return d;
    d.slide = TickSlide::Hide;
    d.useActiveDelay = true;
  } else if (!in.activateByMouseDown) {
    d.slide = TickSlide::Show;
  }
  return d;
}

BarZOrder ChooseZOrder(bool autoHide, bool alwaysOnTop, bool fullScreenAppOpen) {
  if (!autoHide && !alwaysOnTop) return BarZOrder::NotTopmost;
  return fullScreenAppOpen ? BarZOrder::BelowFullScreenApp : BarZOrder::Topmost;
}

}  // namespace wendlix
