// The main window's arrangement for its edge: the title panel and its three controls, the
// band bar's orientation, each group's appearance, and PanelBtn with the collapsed groups.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/appbar/app_tool_bar_types.h"
#include "core/bar/group_construction.h"
#include "core/paint/draw_gradient.h"
#include "core/ui/dpi_scale.h"

namespace wendlix {

inline constexpr int kTitleSize = 25;

enum class PanelAlign : std::uint8_t { alTop, alBottom, alLeft, alRight };

struct EdgeArrangement {
  std::array<bool, 4> PositionChecks{};  // position menu entries, Tags 0..3
  PanelAlign LogoAlign = PanelAlign::alTop;
  int LogoThickness = kTitleSize;
  PanelAlign PanelBtnAlign = PanelAlign::alBottom;
  std::optional<int> MinWidth;  // floating: 100 per band
};

// Sizes are at `scale` (the title's thickness, the floating minimum).
EdgeArrangement FormEdgeChanged(TAppToolBarEdge edge, int bandCount, DpiScale scale = {});

enum class BevelShape : std::uint8_t { bsLeftLine, bsTopLine };

struct TitleStrip {
  Rect BtnTitle;
  MenuPosition TitleMenu = MenuPosition::dmpBottom;
  Rect Bevel1;
  BevelShape Bevel1Shape = BevelShape::bsLeftLine;
  Rect btnSYS;
  std::string SysCaption;
  std::uint32_t GradientFrom = 0x000076FF, GradientTo = 0x00FFFFFF;
  int GradientStyle = 0;
};

// Lays out PanelLogo's controls in its client area. `previous` is BtnTitle's current
// bounds: a size that would not be positive is left as it was. The title button is
// kTitleSize at `scale`; the one-pixel frame and the two-pixel bevel keep their size.
TitleStrip FormResize(TAppToolBarEdge edge, int clientWidth, int clientHeight,
                      Rect previous = MakeRect(0, 0, 25, 25), DpiScale scale = {});

// CoolBar1 stands vertical for the left, right and unknown edges.
bool CoolBarVertical(TAppToolBarEdge edge);

struct GroupBackground {
  enum class Kind : std::uint8_t { kNone, kGradient, kPicture, kHidden } Shown = Kind::kNone;
  TGradient Gradient;
  std::string PictureFile;
  Rect Bounds;
  bool operator==(const GroupBackground&) const = default;
};

struct GroupAppearance {
  bool BevelLowered = false;
  std::int32_t Color = 0;
  GroupFont Font;
  GroupBackground Background;
};

// Applies the record's look to `panel` and its band for the band bar's client size;
// `pictureExists` tells whether the record's picture file is there. The gradient's middle
// stop is a shifted colour, so a system colour is resolved through `sysColor` first.
GroupAppearance ApplyGroupAppearance(GroupPanel& panel, TAppToolBarEdge edge, Size coolBarClient,
                                     bool pictureExists, const SysColorFunc& sysColor);

struct CollapsedPanel {
  PanelAlign Align = PanelAlign::alBottom;
  std::vector<BarButton> Buttons;
  int Thickness = 3;  // width when aligned right, height otherwise
  bool Visible = true;
};

CollapsedPanel RebuildCollapsedPanel(const std::vector<GroupPanel>& groups, PanelAlign align,
                                     DpiScale scale = {});

// Stretches PanelBtn's buttons across its client area.
void PanelBtnResize(CollapsedPanel& panel, Size client);

}  // namespace wendlix
