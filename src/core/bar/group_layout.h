// Placing the buttons of one group panel: columns on a horizontal bar (top and bottom
// edges), rows on the others, and whether the collapse button shows.
#pragma once
#include "core/appbar/app_tool_bar_types.h"
#include "core/bar/group_construction.h"
#include "core/ui/dpi_scale.h"

namespace wendlix {

// Width of one button cell: 120 or 80 with captions (text right of or under the icon),
// 38 or 25 without (large or small icons); at `scale`, as every size below.
int CellWidth(const TPanelData& data, DpiScale scale = {});
// 35 with large icons, 25 with small ones, plus 18 for a caption under the icon.
int LaunchButtonHeight(const TPanelData& data, DpiScale scale = {});

// Lays out `panel.Children` in control order inside the panel's client area for `edge`;
// launch buttons are renumbered 0, 1, 2, ... and take `flatDrawMode` as their hover look.
void LayoutGroup(GroupPanel& panel, TAppToolBarEdge edge, bool flatDrawMode, DpiScale scale = {});

}  // namespace wendlix
