#include "core/bar/bar_view.h"

#include <algorithm>

#include "core/bar/bar_texts.h"
#include "core/bar/group_layout.h"

namespace wendlix {
namespace {

// The collapse strip and the margin around the first button.
constexpr int kCollapseRoom = 14;

Point Offset(Point p, const Rect& origin) { return Point{p.x - origin.left, p.y - origin.top}; }

}  // namespace

Rect BarView::GroupPanelRect(int g) const {
  if (g < 0 || g >= static_cast<int>(Bands.size()) || !Bands[g].Visible) return {};
  Rect r = Bands[g].Panel;
  // The panel is one pixel thinner than the band bar, as the bar always sized it.
  if (CoolBarVertical) {
    r.right = std::max(r.left, r.right - 1);
  } else {
    r.bottom = std::max(r.top, r.bottom - 1);
  }
  return r;
}

BarView ArrangeBar(std::vector<GroupPanel>& groups, TAppToolBarEdge edge, Size client, bool flatDrawMode,
                   const std::vector<GroupOutside>& outside, DpiScale scale, const SysColorFunc& sysColor) {
  BarView v;
  v.Edge = edge;
  v.Scale = scale;
  v.Client = client;
  const int count = static_cast<int>(groups.size());
  v.Arrangement = FormEdgeChanged(edge, count, scale);
  v.CoolBarVertical = CoolBarVertical(edge);
  v.Collapsed = RebuildCollapsedPanel(groups, v.Arrangement.PanelBtnAlign, scale);

  const int cw = std::max(client.cx, 0), ch = std::max(client.cy, 0);
  const int logo = std::min(v.Arrangement.LogoThickness, v.CoolBarVertical ? ch : cw);
  if (v.Arrangement.LogoAlign == PanelAlign::alTop) {
    v.PanelLogo = Rect{0, 0, cw, logo};
    const int btn = std::min(v.Collapsed.Thickness, ch - logo);
    v.PanelBtn = Rect{0, ch - btn, cw, ch};
    v.CoolBar = Rect{0, logo, cw, v.PanelBtn.top};
  } else {
    v.PanelLogo = Rect{0, 0, logo, ch};
    const int btn = std::min(v.Collapsed.Thickness, cw - logo);
    v.PanelBtn = Rect{cw - btn, 0, cw, ch};
    v.CoolBar = Rect{logo, 0, v.PanelBtn.left, ch};
  }
  PanelBtnResize(v.Collapsed, Size{v.PanelBtn.Width(), v.PanelBtn.Height()});
  v.Title = FormResize(edge, v.PanelLogo.Width(), v.PanelLogo.Height(), MakeRect(0, 0, 25, 25), scale);

  const Size coolBar{v.CoolBar.Width(), v.CoolBar.Height()};
  std::vector<BandSpec> specs(count);
  v.Appearances.reserve(count);
  for (int i = 0; i < count; ++i) {
    GroupPanel& g = groups[i];
    const GroupOutside out = i < static_cast<int>(outside.size()) ? outside[i] : GroupOutside{};
    v.Appearances.push_back(ApplyGroupAppearance(g, edge, coolBar, out.PictureExists, sysColor));
    BandSpec& s = specs[i];
    s.Visible = g.Band.Visible;
    s.HeaderContent = g.Band.ImageIndex >= 0 || !g.Band.Text.empty();
    s.HeaderLength = out.HeaderLength;
    // A band never starts so short that its first button would hide behind the collapse strip.
    const int least = (v.CoolBarVertical ? LaunchButtonHeight(g.Data, scale) : CellWidth(g.Data, scale)) +
                      scale(kCollapseRoom);
    // A group's length is kept (and stored) at 96 DPI.
    s.Length = std::max(scale(v.CoolBarVertical ? g.Height : g.Width), least);
  }
  v.Bands = LayoutBands(v.CoolBarVertical, v.CoolBar, specs, scale);
  for (int i = 0; i < count; ++i) {
    GroupPanel& g = groups[i];
    // Its thickness across the bar, which the group file stores too, goes back to 96 DPI.
    int& across = v.CoolBarVertical ? g.Width : g.Height;
    if (!v.Bands[i].Visible) {
      LayoutGroup(g, edge, flatDrawMode, scale);
      across = scale.Unscale(across);
      continue;
    }
    // The buttons are laid out in the band's panel; the group keeps the length it asked
    // for, since the stretch of the last band (or the squeeze of a full bar) is the bar's.
    int& length = v.CoolBarVertical ? g.Height : g.Width;
    const int asked = length;
    const Rect r = v.GroupPanelRect(i);
    g.Width = r.Width();
    g.Height = r.Height();
    LayoutGroup(g, edge, flatDrawMode, scale);
    length = asked;
    across = scale.Unscale(across);
  }
  return v;
}

BarHit HitTestBar(const BarView& v, const std::vector<GroupPanel>& groups, Point pt) {
  using K = BarHit::Kind;
  if (pt.x < 0 || pt.y < 0 || pt.x >= v.Client.cx || pt.y >= v.Client.cy) return {};
  if (Contains(v.PanelLogo, pt)) {
    const Point p = Offset(pt, v.PanelLogo);
    if (Contains(v.Title.BtnTitle, p)) return {K::kBtnTitle};
    if (Contains(v.Title.btnSYS, p)) return {K::kBtnSys};
    return {K::kTitleStrip};
  }
  if (Contains(v.PanelBtn, pt)) {
    const Point p = Offset(pt, v.PanelBtn);
    for (int i = 0; i < static_cast<int>(v.Collapsed.Buttons.size()); ++i) {
      const BarButton& b = v.Collapsed.Buttons[i];
      if (b.Visible && Contains(b.Bounds, p)) return {K::kCollapsedGroup, b.Tag - kCollapsedGroupTagBase, i};
    }
    return {K::kPanelBtn};
  }
  for (int g = 0; g < static_cast<int>(v.Bands.size()) && g < static_cast<int>(groups.size()); ++g) {
    const BandPlace& band = v.Bands[g];
    if (!band.Visible || !Contains(band.Band, pt)) continue;
    if (Contains(band.Header, pt)) return {K::kBandHeader, g};
    const Rect panel = v.GroupPanelRect(g);
    if (!Contains(panel, pt)) return {K::kBackground};
    const Point p = Offset(pt, panel);
    const auto& children = groups[g].Children;
    for (int i = 0; i < static_cast<int>(children.size()); ++i) {
      if (children[i].Visible && Contains(children[i].Bounds, p)) return {K::kGroupButton, g, i};
    }
    return {K::kGroup, g};
  }
  return {K::kBackground};
}

namespace {

Rect Shifted(const Rect& r, const Rect& origin) {
  return Rect{r.left + origin.left, r.top + origin.top, r.right + origin.left, r.bottom + origin.top};
}

const BarButton* HitButton(const BarView& v, const std::vector<GroupPanel>& groups, const BarHit& hit) {
  if (hit.What == BarHit::Kind::kGroupButton && hit.Group >= 0 &&
      hit.Group < static_cast<int>(groups.size()) && hit.Button >= 0 &&
      hit.Button < static_cast<int>(groups[hit.Group].Children.size())) {
    return &groups[hit.Group].Children[hit.Button];
  }
  if (hit.What == BarHit::Kind::kCollapsedGroup && hit.Button >= 0 &&
      hit.Button < static_cast<int>(v.Collapsed.Buttons.size())) {
    return &v.Collapsed.Buttons[hit.Button];
  }
  return nullptr;
}

}  // namespace

Rect HitBounds(const BarView& v, const std::vector<GroupPanel>& groups, const BarHit& hit) {
  using K = BarHit::Kind;
  switch (hit.What) {
    case K::kBtnTitle: return Shifted(v.Title.BtnTitle, v.PanelLogo);
    case K::kBtnSys: return Shifted(v.Title.btnSYS, v.PanelLogo);
    case K::kTitleStrip: return v.PanelLogo;
    case K::kPanelBtn: return v.PanelBtn;
    case K::kBandHeader:
      return hit.Group >= 0 && hit.Group < static_cast<int>(v.Bands.size()) ? v.Bands[hit.Group].Header
                                                                            : Rect{};
    case K::kGroup: return v.GroupPanelRect(hit.Group);
    case K::kGroupButton: {
      const BarButton* b = HitButton(v, groups, hit);
      return b ? Shifted(b->Bounds, v.GroupPanelRect(hit.Group)) : Rect{};
    }
    case K::kCollapsedGroup: {
      const BarButton* b = HitButton(v, groups, hit);
      return b ? Shifted(b->Bounds, v.PanelBtn) : Rect{};
    }
    case K::kBackground:
    case K::kNone: return {};
  }
  return {};
}

std::string HitHint(const BarView& v, const std::vector<GroupPanel>& groups, const BarHit& hit) {
  using K = BarHit::Kind;
  if (const BarButton* b = HitButton(v, groups, hit)) return b->Hint;
  if (hit.What == K::kBtnTitle) return kBtnTitleHint;
  // A group is named over its whole area, not only over its header.
  if ((hit.What == K::kBandHeader || hit.What == K::kGroup) && hit.Group >= 0 &&
      hit.Group < static_cast<int>(groups.size())) {
    return groups[hit.Group].Hint;
  }
  return {};
}

}  // namespace wendlix
