#include "core/bar/interaction/button_move.h"

#include <algorithm>
#include <utility>

namespace wendlix {

bool MoveLaunchButton(GroupPanel& panel, int from, int to) {
  const int count = static_cast<int>(panel.Children.size());
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return false;
  if (panel.Children[from].IsCollapse() || panel.Children[to].IsCollapse()) return false;
  // One move per button in between (std::rotate swaps, three moves each, for a type this size).
  auto first = panel.Children.begin();
  BarButton moved = std::move(panel.Children[from]);
  if (from < to) {
    std::move(first + from + 1, first + to + 1, first + from);
  } else {
    std::move_backward(first + to, first + from, first + from + 1);
  }
  panel.Children[to] = std::move(moved);
  return true;
}

}  // namespace wendlix
