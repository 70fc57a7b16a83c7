#include "core/bar/band_bar.h"

#include <algorithm>

namespace wendlix {
namespace {

int HeaderThickness(bool vertical, const BandSpec& b, DpiScale scale) {
  const int grip = scale(kBandGripThickness);
  if (!vertical) return std::max(b.HeaderLength, grip);
  return b.HeaderContent ? scale(kBandHeaderThickness) : grip;
}

}  // namespace

std::vector<BandPlace> LayoutBands(bool vertical, Rect area, const std::vector<BandSpec>& bands,
                                   DpiScale scale) {
  const int minLength = scale(kBandMinLength), gap = scale(kBandGap);
  std::vector<BandPlace> places(bands.size());
  std::vector<int> shown;
  for (int i = 0; i < static_cast<int>(bands.size()); ++i) {
    if (bands[i].Visible) shown.push_back(i);
  }
  if (shown.empty()) return places;

  const int available = vertical ? area.Height() : area.Width();
  std::vector<int> header(bands.size()), length(bands.size());
  int total = 0;
  for (int i : shown) {
    header[i] = HeaderThickness(vertical, bands[i], scale);
    length[i] = std::max(bands[i].Length, minLength);
    total += header[i] + length[i];
  }
  total += gap * static_cast<int>(shown.size() - 1);
  // Too long: the later bands give way first, each down to its minimum.
  for (auto it = shown.rbegin(); it != shown.rend() && total > available; ++it) {
    const int give = std::min(total - available, length[*it] - minLength);
    length[*it] -= give;
    total -= give;
  }
  // Room left: the last band takes it.
  if (total < available) length[shown.back()] += available - total;

  int pos = vertical ? area.top : area.left;
  for (int i : shown) {
    BandPlace& p = places[i];
    p.Visible = true;
    const int extent = header[i] + length[i];
    if (vertical) {
      p.Band = Rect{area.left, pos, area.right, pos + extent};
      p.Header = Rect{area.left, pos, area.right, pos + header[i]};
      p.Panel = Rect{area.left, pos + header[i], area.right, pos + extent};
    } else {
      p.Band = Rect{pos, area.top, pos + extent, area.bottom};
      p.Header = Rect{pos, area.top, pos + header[i], area.bottom};
      p.Panel = Rect{pos + header[i], area.top, pos + extent, area.bottom};
    }
    pos += extent + gap;
  }
  return places;
}

int BandHeaderAlong(bool vertical, const std::vector<BandPlace>& places, Point pt) {
  const int along = vertical ? pt.y : pt.x;
  for (int i = 0; i < static_cast<int>(places.size()); ++i) {
    if (!places[i].Visible) continue;
    const Rect& h = places[i].Header;
    if (vertical ? (along >= h.top && along < h.bottom) : (along >= h.left && along < h.right)) return i;
  }
  return -1;
}

std::vector<int> MoveBand(int count, int from, int to) {
  std::vector<int> order(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) order[i] = i;
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return order;
  const int moved = order[from];
  order.erase(order.begin() + from);
  order.insert(order.begin() + to, moved);
  return order;
}

}  // namespace wendlix
