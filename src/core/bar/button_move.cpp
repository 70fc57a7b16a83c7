#include "core/bar/button_move.h"

namespace wendlix {

bool MoveLaunchButton(GroupPanel& panel, int from, int to) {
  const int count = static_cast<int>(panel.Children.size());
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return false;
  if (panel.Children[from].IsCollapse() || panel.Children[to].IsCollapse()) return false;
  // Pointers move, not buttons: all or nothing, and cheap however long the group is.
  panel.Children.Move(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
  return true;
}

}  // namespace wendlix
