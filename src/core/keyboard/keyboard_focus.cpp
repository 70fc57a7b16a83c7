#include "core/keyboard/keyboard_focus.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace wendlix {
namespace {

struct Place {
  int G = -1;  // index into the focus groups
  int B = -1;  // index into that group's buttons
};

Place Find(const std::vector<FocusGroup>& groups, BarFocus f) {
  for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
    for (int b = 0; b < static_cast<int>(groups[g].Buttons.size()); ++b)
      if (groups[g].Buttons[b].Focus == f) return {g, b};
  }
  return {};
}

BarFocus At(const std::vector<FocusGroup>& groups, Place p) { return groups[p.G].Buttons[p.B].Focus; }

// The first group at or after `g` (stepping by `step`, wrapping when `wrap`) that has a button.
int GroupWithButtons(const std::vector<FocusGroup>& groups, int g, int step, bool wrap) {
  const int n = static_cast<int>(groups.size());
  for (int tried = 0; tried < n; ++tried, g += step) {
    if (wrap) g = (g % n + n) % n;
    if (g < 0 || g >= n) return -1;
    if (!groups[g].Buttons.empty()) return g;
  }
  return -1;
}

// A row of a vertical bar's group (a column of a horizontal bar's) is the buttons sharing
// their start along the bar.
int LineOf(const Rect& r, bool vertical) { return vertical ? r.top : r.left; }
int CrossOf(const Rect& r, bool vertical) { return vertical ? r.left : r.top; }

// The button of line `line` in group `g` whose start across the bar lies nearest `cross`.
int NearestInLine(const FocusGroup& group, int line, int cross, bool vertical) {
  int best = -1, bestDistance = std::numeric_limits<int>::max();
  for (int b = 0; b < static_cast<int>(group.Buttons.size()); ++b) {
    const Rect& r = group.Buttons[b].Bounds;
    if (LineOf(r, vertical) != line) continue;
    const int d = std::abs(CrossOf(r, vertical) - cross);
    if (d < bestDistance) best = b, bestDistance = d;
  }
  return best;
}

// The next line along the bar (step +1) or the previous one (-1), in this group or the
// neighbouring groups; the bar's end keeps the place.
Place StepLine(const std::vector<FocusGroup>& groups, Place p, int step, bool vertical) {
  const Rect& from = groups[p.G].Buttons[p.B].Bounds;
  const int line = LineOf(from, vertical), cross = CrossOf(from, vertical);
  // Lines within the group: the nearest start beyond this one in the step's direction.
  std::optional<int> next;
  for (const FocusButton& b : groups[p.G].Buttons) {
    const int l = LineOf(b.Bounds, vertical);
    if ((l - line) * step > 0 && (!next || (l - *next) * step < 0)) next = l;
  }
  if (next) return {p.G, NearestInLine(groups[p.G], *next, cross, vertical)};
  const int g = GroupWithButtons(groups, p.G + step, step, false);
  if (g < 0) return p;
  // Entering a group: its first line going forward, its last going back.
  int edgeLine = LineOf(groups[g].Buttons.front().Bounds, vertical);
  for (const FocusButton& b : groups[g].Buttons) {
    const int l = LineOf(b.Bounds, vertical);
    if ((l - edgeLine) * step < 0) edgeLine = l;
  }
  return {g, NearestInLine(groups[g], edgeLine, cross, vertical)};
}

// The next or previous button in control order, on into the neighbouring groups.
Place StepButton(const std::vector<FocusGroup>& groups, Place p, int step) {
  const int b = p.B + step;
  if (b >= 0 && b < static_cast<int>(groups[p.G].Buttons.size())) return {p.G, b};
  const int g = GroupWithButtons(groups, p.G + step, step, false);
  if (g < 0) return p;
  return {g, step > 0 ? 0 : static_cast<int>(groups[g].Buttons.size()) - 1};
}

}  // namespace

std::vector<int> ChildrenInKeyboardOrder(const StableList<BarButton>& children) {
  std::vector<int> order;
  for (const bool overflow : {false, true}) {
    for (int i = 0; i < static_cast<int>(children.size()); ++i) {
      if (children[i].IsCollapse() == overflow) order.push_back(i);
    }
  }
  return order;
}

std::vector<FocusGroup> FocusableButtons(const BarView& view, const std::vector<GroupPanel>& groups) {
  std::vector<FocusGroup> out;
  const int count = static_cast<int>(std::min(view.Bands.size(), groups.size()));
  const auto add = [&](FocusGroup& to, BarFocus f) {
    const Rect r = HitBounds(view, groups, FocusHit(f));
    if (r.Width() > 0 && r.Height() > 0) to.Buttons.push_back({f, r});
  };
  for (int g = 0; g < count; ++g) {
    if (!view.Bands[g].Visible) continue;
    FocusGroup fg{g, {}};
    const auto& children = groups[g].Children;
    for (const int i : ChildrenInKeyboardOrder(children)) {
      if (children[i].Visible)
        add(fg, {g, i, children[i].IsCollapse() ? FocusKind::kOverflow : FocusKind::kButton});
    }
    out.push_back(std::move(fg));
  }
  FocusGroup panel;
  const auto& collapsed = view.Collapsed.Buttons;
  for (int i = 0; i < static_cast<int>(collapsed.size()); ++i) {
    if (collapsed[i].Visible)
      add(panel, {collapsed[i].Tag - kCollapsedGroupTagBase, i, FocusKind::kCollapsedGroup});
  }
  if (!panel.Buttons.empty()) out.push_back(std::move(panel));
  return out;
}

BarHit FocusHit(BarFocus f) {
  if (f.None()) return {};
  using K = BarHit::Kind;
  return {f.Kind == FocusKind::kCollapsedGroup ? K::kCollapsedGroup : K::kGroupButton, f.Group, f.Button};
}

BarFocus MoveFocus(const std::vector<FocusGroup>& groups, bool vertical, BarFocus current, FocusMove move) {
  const int first = GroupWithButtons(groups, 0, 1, false);
  if (first < 0) return {};
  const int last = GroupWithButtons(groups, static_cast<int>(groups.size()) - 1, -1, false);
  const Place lastButton{last, static_cast<int>(groups[last].Buttons.size()) - 1};
  if (move == FocusMove::kFirst) return At(groups, {first, 0});
  if (move == FocusMove::kLast) return At(groups, lastButton);
  const Place p = Find(groups, current);
  if (p.G < 0) return At(groups, move == FocusMove::kPreviousGroup ? Place{last, 0} : Place{first, 0});
  // Along the bar: Down on a vertical bar, Right on a horizontal one.
  const bool along = vertical ? (move == FocusMove::kUp || move == FocusMove::kDown)
                              : (move == FocusMove::kLeft || move == FocusMove::kRight);
  const bool forward = move == FocusMove::kDown || move == FocusMove::kRight || move == FocusMove::kNextGroup;
  const int step = forward ? 1 : -1;
  switch (move) {
    case FocusMove::kNextGroup:
    case FocusMove::kPreviousGroup: return At(groups, {GroupWithButtons(groups, p.G + step, step, true), 0});
    default: return At(groups, along ? StepLine(groups, p, step, vertical) : StepButton(groups, p, step));
  }
}

BarKeyAction BarKeyFor(unsigned vk, bool shift) {
  using K = BarKeyAction::Kind;
  switch (vk) {
    case 0x25: return {K::kMove, FocusMove::kLeft};
    case 0x26: return {K::kMove, FocusMove::kUp};
    case 0x27: return {K::kMove, FocusMove::kRight};
    case 0x28: return {K::kMove, FocusMove::kDown};
    case 0x24: return {K::kMove, FocusMove::kFirst};
    case 0x23: return {K::kMove, FocusMove::kLast};
    case 0x09: return {K::kMove, shift ? FocusMove::kPreviousGroup : FocusMove::kNextGroup};
    case 0x0D:
    case 0x20: return {K::kActivate};
    case 0x5D: return {K::kButtonMenu};                                       // the context-menu key
    case 0x79: return shift ? BarKeyAction{K::kButtonMenu} : BarKeyAction{};  // Shift+F10
    case 0x1B: return {K::kGiveBack};
    default: return {};
  }
}

}  // namespace wendlix
