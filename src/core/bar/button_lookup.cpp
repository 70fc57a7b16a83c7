#include "core/bar/button_lookup.h"

namespace wendlix {

std::optional<std::size_t> GetBtnByPos(const std::vector<Rect>& buttons, Point p) {
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (StrictlyInside(buttons[i], p)) return i;
  return std::nullopt;
}

const BarButton* GetBtnByPos(const std::vector<BarButton>& buttons, Point clientPoint) {
  for (const BarButton& b : buttons)
    if (StrictlyInside(b.Bounds, clientPoint)) return &b;
  return nullptr;
}

std::optional<std::size_t> GroupByTag(const std::vector<GroupPanel>& groups, int tag) {
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].Tag == tag) return i;
  return std::nullopt;
}

std::optional<std::size_t> GroupAtPanelBtnPoint(const std::vector<GroupPanel>& groups,
                                                const std::vector<BarButton>& panelBtnButtons,
                                                Point panelBtnPoint) {
  const BarButton* b = GetBtnByPos(panelBtnButtons, panelBtnPoint);
  if (!b) return std::nullopt;
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].Tag + kCollapsedGroupTagBase == b->Tag) return i;
  return std::nullopt;
}

std::optional<std::size_t> PopupGroup(const std::vector<GroupPanel>& groups, const PopupOrigin& origin,
                                      const std::vector<BarButton>& panelBtnButtons, Point panelBtnPoint) {
  switch (origin.Source) {
    case PopupOrigin::Kind::kGroupPanel:
    case PopupOrigin::Kind::kGroupBackground: return GroupByTag(groups, origin.GroupTag);
    case PopupOrigin::Kind::kPanelBtn: return GroupAtPanelBtnPoint(groups, panelBtnButtons, panelBtnPoint);
    default: return std::nullopt;
  }
}

std::optional<std::size_t> DropTargetGroup(const std::vector<GroupPanel>& groups,
                                           std::optional<int> fileTargetGroupTag,
                                           const std::vector<BarButton>& panelBtnButtons,
                                           Point panelBtnPoint) {
  if (fileTargetGroupTag) return GroupByTag(groups, *fileTargetGroupTag);
  return GroupAtPanelBtnPoint(groups, panelBtnButtons, panelBtnPoint);
}

}  // namespace wendlix
