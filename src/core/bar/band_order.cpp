#include "core/bar/band_order.h"

namespace wendlix {
namespace {

bool IsOrderOf(const std::vector<std::size_t>& order, std::size_t count) {
  if (order.size() != count) return false;
  std::vector<bool> seen(count, false);
  for (std::size_t i : order) {
    if (i >= count || seen[i]) return false;
    seen[i] = true;
  }
  return true;
}

}  // namespace

RenumberResult RenumberBands(std::vector<GroupPanel>& groups, const std::vector<std::size_t>& newOrder) {
  RenumberResult result;
  if (!IsOrderOf(newOrder, groups.size())) return result;
  result.Applied = true;
  std::vector<GroupPanel> ordered;
  ordered.reserve(groups.size());
  for (std::size_t i = 0; i < newOrder.size(); ++i) {
    GroupPanel& g = groups[newOrder[i]];
    const int index = static_cast<int>(i);
    if (newOrder[i] != i) result.Moved = true;
    if (g.Tag != index && g.Data.Visible && g.Data.ShowAsButton) result.CollapsedPanelStale = true;
    g.Tag = index;
    g.Band.Break = false;
    g.MenuItem.Tag = index;
    g.MenuItem.Caption = g.Data.Title;
    for (BarButton& b : g.Children)
      if (b.IsCollapse()) b.Tag = kCollapseTagBase + index;
    ordered.push_back(std::move(g));
  }
  groups = std::move(ordered);
  return result;
}

RenumberResult RenumberBands(std::vector<GroupPanel>& groups, const std::vector<int>& newOrder) {
  std::vector<std::size_t> order;
  order.reserve(newOrder.size());
  for (int i : newOrder) {
    if (i < 0) return {};
    order.push_back(static_cast<std::size_t>(i));
  }
  return RenumberBands(groups, order);
}

}  // namespace wendlix
