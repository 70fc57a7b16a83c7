#include "core/bar/bar_layout.h"

namespace wendlix {
namespace {

bool HorizontalOrFloat(TAppToolBarEdge e) { return e == abeTop || e == abeBottom || e == abeFloat; }

}  // namespace

EdgeArrangement FormEdgeChanged(TAppToolBarEdge edge, int bandCount, DpiScale scale) {
  EdgeArrangement a;
  a.LogoThickness = scale(kTitleSize);
  for (int i = 0; i < 4; ++i) a.PositionChecks[i] = (i == edge);
  if (HorizontalOrFloat(edge)) {
    a.LogoAlign = PanelAlign::alLeft;
    a.PanelBtnAlign = PanelAlign::alRight;
    if (edge == abeFloat) a.MinWidth = bandCount * scale(100);
  }
  return a;
}

TitleStrip FormResize(TAppToolBarEdge edge, int cw, int ch, Rect previous, DpiScale scale) {
  TitleStrip t;
  const int title = scale(kTitleSize);
  int titleW = previous.Width(), titleH = previous.Height();
  if (HorizontalOrFloat(edge)) {
    if (cw - 2 > 0) titleW = cw - 2;
    titleH = title;
    t.TitleMenu = MenuPosition::dmpRight;
    t.GradientStyle = 1;
  } else {
    if (ch - 2 > 0) titleH = ch - 2;
    titleW = title;
    t.TitleMenu = MenuPosition::dmpBottom;
    t.GradientStyle = 0;
  }
  int sysW = titleW, sysH = titleH;
  switch (edge) {
    case abeLeft: {
      t.BtnTitle = MakeRect(cw - title - 2, 1, titleW, titleH);
      t.Bevel1 = MakeRect(t.BtnTitle.left - 2, 1, 2, ch);
      sysW = t.Bevel1.left - 1;
      if (sysW < 0) sysW = sysH = 0;
      t.btnSYS = MakeRect(1, 1, sysW, sysH);
      break;
    }
    case abeRight:
    case abeUnknown: {  // an unsettled edge keeps the logo on top, so it takes the right edge's places
      t.BtnTitle = MakeRect(1, 1, titleW, titleH);
      t.Bevel1 = MakeRect(title + 1, 1, 2, ch);
      if (cw - t.Bevel1.left - 2 > 0) sysW = cw - t.Bevel1.left - 2;
      t.btnSYS = MakeRect(t.Bevel1.left + 2, 1, sysW, sysH);
      break;
    }
    case abeBottom: {
      t.Bevel1Shape = BevelShape::bsTopLine;
      // Sized by the panel's height, as the bar always has; the panel clips the excess.
      t.Bevel1 = MakeRect(1, title + 2, ch - 2, 2);
      t.BtnTitle = MakeRect(1, 1, titleW, titleH);
      if (ch - t.Bevel1.top - 4 > 0) sysH = ch - t.Bevel1.top - 4;
      t.btnSYS = MakeRect(1, t.Bevel1.top + 2, sysW, sysH);
      break;
    }
    default: {  // top and floating
      t.Bevel1Shape = BevelShape::bsTopLine;
      t.Bevel1 = MakeRect(1, ch - title - 3, cw, 2);
      t.BtnTitle = MakeRect(1, t.Bevel1.top + 2, titleW, titleH);
      sysH = ch - titleH - 4;
      if (sysH < 0) sysH = 0;
      t.btnSYS = MakeRect(1, 1, sysW, sysH);
      break;
    }
  }
  t.SysCaption = t.btnSYS.Width() >= scale(40) ? "Wendlix" : "";
  return t;
}

bool CoolBarVertical(TAppToolBarEdge edge) { return !HorizontalOrFloat(edge); }

GroupAppearance ApplyGroupAppearance(GroupPanel& panel, TAppToolBarEdge edge, Size coolBar,
                                     bool pictureExists, const SysColorFunc& sysColor) {
  const TPanelData& d = panel.Data;
  GroupAppearance a;
  a.BevelLowered = d.BevelDown;
  a.Color = d.Color;
  a.Font = d.Font;
  if (HorizontalOrFloat(edge)) {
    panel.Height = coolBar.cy - 1;
  } else {
    panel.Width = coolBar.cx - 1;
  }
  panel.Band.Visible = d.Visible && !d.ShowAsButton;
  panel.Visible = panel.Band.Visible;
  panel.Band.ImageIndex = d.ShowTitleIcon ? KindImageIndex(d.PanelStyle) : -1;
  panel.Band.Text = d.ShowTitle ? d.Title : std::string();
  panel.Band.BorderSingle = false;
  if (d.DrawStyle != 0) {
    GroupBackground& bg = a.Background;
    if (d.DrawStyle == 1) {
      bg.Shown = GroupBackground::Kind::kGradient;
      TGradient& g = bg.Gradient;
      const ColorRef to = static_cast<ColorRef>(d.ToColor);
      g.Colors[0] = static_cast<ColorRef>(d.FromColor);
      g.Colors[1] = ShiftColor(to, 10, sysColor);
      g.Colors[2] = to;
      g.ColorCount = 2;
      g.LineSize = 1;
      g.GradientStyle = TGradientStyle::gsLine;
      g.LineDirection =
          (edge == abeLeft || edge == abeTop) ? TDirection::diVertical : TDirection::diHorizonal;
    } else if (d.DrawStyle == 2 && pictureExists) {
      bg.Shown = GroupBackground::Kind::kPicture;
      bg.PictureFile = d.PictureFile;
    } else {
      bg.Shown = GroupBackground::Kind::kHidden;
    }
    bg.Bounds = MakeRect(1, 1, coolBar.cx - 2, coolBar.cy - 2);
  }
  return a;
}

CollapsedPanel RebuildCollapsedPanel(const std::vector<GroupPanel>& groups, PanelAlign align,
                                     DpiScale scale) {
  CollapsedPanel p;
  const int step = scale(25);
  p.Align = align;
  const bool alignedRight = align == PanelAlign::alRight;
  int pos = 1;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const GroupPanel& g = groups[i];
    if (!g.Data.ShowAsButton || !g.Data.Visible) continue;
    BarButton b = MakeCollapsedGroupButton(g);
    b.Visible = true;
    b.Tag = kCollapsedGroupTagBase + g.Tag;
    b.Bounds =
        alignedRight ? MakeRect(pos, 1, step, b.Bounds.Height()) : MakeRect(1, pos, b.Bounds.Width(), step);
    pos += step;
    p.Buttons.push_back(std::move(b));
  }
  p.Thickness = pos + 2;
  p.Visible = true;
  return p;
}

void PanelBtnResize(CollapsedPanel& panel, Size client) {
  for (BarButton& b : panel.Buttons) {
    if (panel.Align == PanelAlign::alRight) {
      b.Bounds.bottom = b.Bounds.top + client.cy - 2;
    } else {
      b.Bounds.right = b.Bounds.left + client.cx - 2;
    }
  }
}

}  // namespace wendlix
