// Finding the button under a point and the group a popup menu or a drop belongs to.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "core/common/geometry.h"
#include "core/bar/group_construction.h"

namespace wendlix {

// True when `p` lies strictly inside `r`: on no edge, neither the left and top nor the
// right and bottom one.
constexpr bool StrictlyInside(const Rect& r, Point p) {
  return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

// The first rectangle, in control order, that holds `p` strictly inside. All rectangles
// and the point must be in the same coordinates (screen or the container's client area).
std::optional<std::size_t> GetBtnByPos(const std::vector<Rect>& buttons, Point p);
// The same over buttons' Bounds (client coordinates of their container); visibility and
// Tag are not looked at. Null when none.
const BarButton* GetBtnByPos(const std::vector<BarButton>& buttons, Point clientPoint);

// The group whose Tag equals `tag`.
std::optional<std::size_t> GroupByTag(const std::vector<GroupPanel>& groups, int tag);

// The collapsed group whose button in PanelBtn (Tag 4000 + index) lies under `panelBtnPoint`
// (client coordinates of PanelBtn); none away from every button.
std::optional<std::size_t> GroupAtPanelBtnPoint(const std::vector<GroupPanel>& groups,
                                                const std::vector<BarButton>& panelBtnButtons,
                                                Point panelBtnPoint);

// The control a popup menu was opened on.
struct PopupOrigin {
  enum class Kind { kGroupPanel, kGroupBackground, kPanelBtn, kOther };
  Kind Source = Kind::kOther;
  int GroupTag = -1;  // group panel, and the group panel a background belongs to: its Tag
};

// The group the popup menu acts on: the group panel itself or the background's group; on
// PanelBtn the group whose button lies under `panelBtnPoint`. None for PanelBtn away from
// its buttons and for any other control, so that PanelBtn is never taken for a group.
std::optional<std::size_t> PopupGroup(const std::vector<GroupPanel>& groups, const PopupOrigin& origin,
                                      const std::vector<BarButton>& panelBtnButtons, Point panelBtnPoint);

// The group a shell file drop goes to: the group the file target is registered on, else
// the collapsed group under the drop point in PanelBtn.
std::optional<std::size_t> DropTargetGroup(const std::vector<GroupPanel>& groups,
                                           std::optional<int> fileTargetGroupTag,
                                           const std::vector<BarButton>& panelBtnButtons,
                                           Point panelBtnPoint);

}  // namespace wendlix
