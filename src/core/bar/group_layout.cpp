#include "core/bar/group_layout.h"

#include <cmath>

namespace wendlix {
namespace {

// At 96 DPI.
constexpr int kCollapseStrip = 12;
constexpr int kCollapseWidth = 15;
constexpr int kMinCaptionWidth = 50;
constexpr int kColumnSlack = 10;

// Rounds halves to even, as the bar's arithmetic always has.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int LaunchTag(int index) { return index < kCollapseTagBase ? index : kCollapseTagBase - 1; }

void StyleLaunchButton(BarButton& b, const TPanelData& d, bool flatDrawMode, bool captionFits) {
  b.Visible = true;
  b.FlatDraw = flatDrawMode;
  b.TextUnderIcon = !d.LayoutLeft || !d.ShowCaption;
  b.Caption = d.ShowCaption && captionFits ? b.Hint : std::string();
}

void LayoutColumns(GroupPanel& panel, TAppToolBarEdge edge, bool flatDrawMode, DpiScale scale) {
  const TPanelData& d = panel.Data;
  const int cell = CellWidth(d, scale);
  const int height = LaunchButtonHeight(d, scale);
  const int strip = scale(kCollapseStrip), collapseWidth = scale(kCollapseWidth);
  const int cw = panel.Width, ch = panel.Height;
  const MenuPosition menu = edge == abeBottom ? MenuPosition::dmpRight : MenuPosition::dmpBottom;
  int left = 1, top = 1, index = 0;
  for (BarButton& b : panel.Children) {
    b.Menu = menu;
    if (b.IsCollapse()) {
      b.FlatDraw = true;
      b.Glyph = {GlyphSource::kResource, "ARROWICON_UP", -1};
      const int x = cw < cell ? 1 : cw - collapseWidth - 2;
      b.Bounds = MakeRect(x, 1, collapseWidth, ch - 2);
      b.Visible = cw < left + cell;  // the buttons overflow the panel's width
      continue;
    }
    StyleLaunchButton(b, d, flatDrawMode, true);
    b.Tag = LaunchTag(index++);
    b.Bounds = MakeRect(left, top, cell, height);
    top += height;
    if (cw - strip < b.Bounds.left + cell) b.Visible = false;
    if (ch + scale(kColumnSlack) <= top + height) {
      left += cell;
      top = 1;
    }
  }
}

void LayoutRows(GroupPanel& panel, TAppToolBarEdge edge, bool flatDrawMode, DpiScale scale) {
  const TPanelData& d = panel.Data;
  const int cw = panel.Width, ch = panel.Height;
  const int strip = scale(kCollapseStrip);
  int cell = CellWidth(d, scale);
  if (d.ShowCaption) {
    const int fit = cell > 0 ? cw / cell : 1;
    cell = RoundEven(static_cast<double>(cw) / (fit < 1 ? 1 : fit));
  }
  const int height = LaunchButtonHeight(d, scale);
  const int halfCell = RoundEven(cell / 2.0);
  const MenuPosition menu = edge == abeLeft ? MenuPosition::dmpRight : MenuPosition::dmpBottom;
  int left = 1, top = 1, index = 0;
  bool collapseMet = false;
  for (BarButton& b : panel.Children) {
    b.Menu = menu;
    if (b.IsCollapse()) {
      collapseMet = true;
      b.FlatDraw = true;
      b.Glyph = {GlyphSource::kResource, "ARROWICON_LEFT", -1};
      b.Bounds = MakeRect(1, ch - strip - 1, cw - 2, strip);
      b.Visible = ch < top + strip || (!d.ShowCaption && ch <= top + cell + strip);
      continue;
    }
    StyleLaunchButton(b, d, flatDrawMode, cw >= scale(kMinCaptionWidth));
    b.Tag = LaunchTag(index++);
    const int bLeft = left, bTop = top;
    left += cell;
    int width = cell;
    bool hidden = !d.ShowCaption && ch <= bTop + height + strip;
    if (left + halfCell >= cw - 2) {  // no room for another: this button ends the row
      left = 1;
      width = d.ShowCaption ? cw - bLeft - 1 : cell + 1;
      top += height;
    }
    hidden = hidden || (collapseMet ? ch <= bTop + height : ch < top + strip);
    b.Bounds = MakeRect(bLeft, bTop, width, height);
    b.Visible = !hidden;
  }
}

}  // namespace

int CellWidth(const TPanelData& d, DpiScale scale) {
  if (d.ShowCaption) return scale(d.LayoutLeft ? 120 : 80);
  return scale(d.SmallIcon ? 38 : 25);
}

int LaunchButtonHeight(const TPanelData& d, DpiScale scale) {
  return scale(d.SmallIcon ? 35 : 25) + (d.ShowCaption && !d.LayoutLeft ? scale(18) : 0);
}

void LayoutGroup(GroupPanel& panel, TAppToolBarEdge edge, bool flatDrawMode, DpiScale scale) {
  if (edge == abeTop || edge == abeBottom) {
    LayoutColumns(panel, edge, flatDrawMode, scale);
  } else {
    LayoutRows(panel, edge, flatDrawMode, scale);
  }
}

}  // namespace wendlix
