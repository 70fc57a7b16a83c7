#include "core/bar/interaction/button_move.h"

#include <algorithm>

namespace wendlix {

bool MoveLaunchButton(GroupPanel& panel, int from, int to) {
  const int count = static_cast<int>(panel.Children.size());
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return false;
  if (panel.Children[from].IsCollapse() || panel.Children[to].IsCollapse()) return false;
  auto first = panel.Children.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
  return true;
}

}  // namespace wendlix
