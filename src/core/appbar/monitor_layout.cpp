#include "core/appbar/monitor_layout.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <tuple>

namespace wendlix {
namespace {

// 64-bit throughout: rectangles far out in the virtual screen must not overflow products.
std::int64_t OverlapArea(const Rect& a, const Rect& b) {
  const std::int64_t w = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const std::int64_t h = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The gap between two intervals [a0, a1) and [b0, b1); 0 when they touch or overlap.
std::int64_t Gap(int a0, int a1, int b0, int b1) {
  if (a1 <= b0) return std::int64_t{b0} - a1;
  if (b1 <= a0) return std::int64_t{a0} - b1;
  return 0;
}

std::int64_t SquaredDistance(const Rect& a, const Rect& b) {
  const std::int64_t dx = Gap(a.left, a.right, b.left, b.right);
  const std::int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

// How much of `m`'s side `edge` the monitor `o` continues across (the length they share along
// it); 0 when `o` does not reach past that side.
std::int64_t SharedAcross(const Rect& m, const Rect& o, TAppToolBarEdge edge) {
  const auto shared = [](int a0, int a1, int b0, int b1) {
    return std::max<std::int64_t>(0, std::int64_t{std::min(a1, b1)} - std::max(a0, b0));
  };
  switch (edge) {
    case abeLeft: return o.left < m.left && o.right >= m.left ? shared(m.top, m.bottom, o.top, o.bottom) : 0;
    case abeRight:
      return o.right > m.right && o.left <= m.right ? shared(m.top, m.bottom, o.top, o.bottom) : 0;
    case abeTop: return o.top < m.top && o.bottom >= m.top ? shared(m.left, m.right, o.left, o.right) : 0;
    case abeBottom:
      return o.bottom > m.bottom && o.top <= m.bottom ? shared(m.left, m.right, o.left, o.right) : 0;
    default: return 0;
  }
}

// The nearest monitor to `r` (a point is a 1 x 1 rectangle); ties go to the primary, then to
// the first in the list.
std::size_t Nearest(const MonitorList& monitors, const Rect& r) {
  const std::size_t primary = PrimaryMonitor(monitors);
  std::size_t best = primary;
  std::int64_t bestDistance = SquaredDistance(monitors[primary].bounds, r);
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t d = SquaredDistance(monitors[i].bounds, r);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

std::size_t PrimaryMonitor(const MonitorList& monitors) {
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (monitors[i].primary) return i;
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (Contains(monitors[i].bounds, {0, 0})) return i;
  return 0;
}

std::size_t MonitorForRect(const MonitorList& monitors, Rect r) {
  std::size_t best = PrimaryMonitor(monitors);
  std::int64_t bestArea = OverlapArea(monitors[best].bounds, r);
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t area = OverlapArea(monitors[i].bounds, r);
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  if (bestArea > 0) return best;
  // An empty rectangle (a window not yet sized) counts as its corner.
  if (r.Width() <= 0 || r.Height() <= 0) r = MakeRect(r.left, r.top, 1, 1);
  return Nearest(monitors, r);
}

std::size_t MonitorForPoint(const MonitorList& monitors, Point p) {
  const std::size_t primary = PrimaryMonitor(monitors);
  if (Contains(monitors[primary].bounds, p)) return primary;
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (Contains(monitors[i].bounds, p)) return i;
  return Nearest(monitors, MakeRect(p.x, p.y, 1, 1));
}

std::optional<std::size_t> FindSavedMonitor(const MonitorList& monitors, const SavedMonitor& saved) {
  if (monitors.empty()) return std::nullopt;
  if (saved.Empty()) return PrimaryMonitor(monitors);
  auto find = [&](auto&& match) -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < monitors.size(); ++i)
      if (match(monitors[i])) return i;
    return std::nullopt;
  };
  const auto sameDevice = [&](const MonitorInfo& m) { return m.device == saved.device; };
  const auto samePlace = [&](const MonitorInfo& m) { return m.bounds == saved.bounds; };
  if (auto i = find([&](const MonitorInfo& m) { return sameDevice(m) && samePlace(m); })) return i;
  if (auto i = find(sameDevice)) return i;
  if (saved.bounds.Width() > 0 && saved.bounds.Height() > 0) {
    if (auto i = find(samePlace)) return i;
  }
  return PrimaryMonitor(monitors);
}

bool IsScreenEdge(const MonitorList& monitors, std::size_t index, TAppToolBarEdge edge) {
  if (index >= monitors.size() || !IsDockingEdge(edge)) return false;
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (i != index && SharedAcross(monitors[index].bounds, monitors[i].bounds, edge) > 0) return false;
  return true;
}

std::size_t ScreenEdgeMonitor(const MonitorList& monitors, std::size_t index, TAppToolBarEdge edge) {
  if (index >= monitors.size() || !IsDockingEdge(edge)) return index;
  // Each step goes strictly outward, so the walk ends; the bound only guards against surprises.
  for (std::size_t step = 0; step < monitors.size(); ++step) {
    std::size_t beyond = index;
    std::int64_t most = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      const std::int64_t shared =
          i == index ? 0 : SharedAcross(monitors[index].bounds, monitors[i].bounds, edge);
      if (shared > most) {
        beyond = i;
        most = shared;
      }
    }
    if (beyond == index) break;
    index = beyond;
  }
  return index;
}

TAppToolBarFlags ScreenEdgeFlags(TAppToolBarFlags flags, const MonitorList& monitors, std::size_t index) {
  std::uint8_t bits = flags.Bits();
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom})
    if (!IsScreenEdge(monitors, index, e)) bits &= static_cast<std::uint8_t>(~(1u << e));
  return TAppToolBarFlags::FromBits(bits);
}

bool MonitorsChanged(const MonitorList& before, const MonitorList& after) {
  if (before.size() != after.size()) return true;
  auto key = [](const MonitorInfo& m) {
    return std::tie(m.device, m.bounds.left, m.bounds.top, m.bounds.right, m.bounds.bottom, m.primary);
  };
  auto sorted = [&](const MonitorList& list) {
    std::vector<const MonitorInfo*> out;
    for (const MonitorInfo& m : list) out.push_back(&m);
    std::sort(out.begin(), out.end(),
              [&](const MonitorInfo* a, const MonitorInfo* b) { return key(*a) < key(*b); });
    return out;
  };
  const auto a = sorted(before), b = sorted(after);
  for (std::size_t i = 0; i < a.size(); ++i)
    if (key(*a[i]) != key(*b[i])) return true;
  return false;
}

bool NeedsRedockForDisplay(const MonitorList& lastMonitors, Rect lastWork, const MonitorList& monitors,
                           Rect work) {
  return MonitorsChanged(lastMonitors, monitors) || !(lastWork == work);
}

std::string FormatMonitorRect(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::optional<Rect> ParseMonitorRect(std::string_view text) {
  int v[4];
  const char* p = text.data();
  const char* end = text.data() + text.size();
  for (int i = 0; i < 4; ++i) {
    while (p < end && *p == ' ') ++p;
    const auto [next, ec] = std::from_chars(p, end, v[i]);
    if (ec != std::errc{}) return std::nullopt;
    p = next;
    while (p < end && *p == ' ') ++p;
    if (i < 3) {
      if (p == end || *p != ',') return std::nullopt;
      ++p;
    }
  }
  if (p != end) return std::nullopt;
  // Widths beyond any display would overflow the geometry that follows.
  constexpr std::int64_t kMostPixels = 1 << 20;
  const std::int64_t w = std::int64_t{v[2]} - v[0], h = std::int64_t{v[3]} - v[1];
  if (w <= 0 || h <= 0 || w > kMostPixels || h > kMostPixels) return std::nullopt;
  return Rect{v[0], v[1], v[2], v[3]};
}

}  // namespace wendlix
