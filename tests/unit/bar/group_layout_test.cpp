#include "core/bar/group_layout.h"

#include <gtest/gtest.h>

#include "core/bar/bar_layout.h"
#include "support/filled_group.h"

namespace wendlix {
namespace {

// A panel of `count` launch buttons followed by its collapse button (band index 1).
GroupPanel Panel(int count, int width, int height, bool captions, bool smallIcon, bool layoutLeft = true) {
  GroupPanel p = testing_support::FilledGroup("B", count, 100, 1);
  p.Data.ShowCaption = captions;
  p.Data.SmallIcon = smallIcon;
  p.Data.LayoutLeft = layoutLeft;
  p.Width = width;
  p.Height = height;
  return p;
}

std::vector<Rect> Bounds(const GroupPanel& p) {
  std::vector<Rect> r;
  for (const BarButton& b : p.Children) r.push_back(b.Bounds);
  return r;
}

std::vector<bool> Shown(const GroupPanel& p) {
  std::vector<bool> r;
  for (const BarButton& b : p.Children) r.push_back(b.Visible);
  return r;
}

TEST(GroupLayout, RowsOnVerticalEdges) {
  // Narrower than one 120-pixel cell: one button per row, as wide as the panel.
  GroupPanel p = Panel(5, 86, 200, true, false);
  LayoutGroup(p, abeRight, false);
  EXPECT_EQ(Bounds(p),
            (std::vector<Rect>{MakeRect(1, 1, 84, 25), MakeRect(1, 26, 84, 25), MakeRect(1, 51, 84, 25),
                               MakeRect(1, 76, 84, 25), MakeRect(1, 101, 84, 25), MakeRect(1, 187, 84, 12)}));
  EXPECT_EQ(Shown(p), (std::vector<bool>{true, true, true, true, true, false}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p.Children[i].Tag, i);  // renumbered from the child counts 1..5
    EXPECT_EQ(p.Children[i].Caption, "B" + std::to_string(i));
    EXPECT_FALSE(p.Children[i].FlatDraw);
    EXPECT_EQ(p.Children[i].Menu, MenuPosition::dmpBottom);
  }
  EXPECT_EQ(p.Children[5].Tag, 2001);
  EXPECT_TRUE(p.Children[5].FlatDraw);

  // Too short for all: buttons reaching the collapse strip hide and the arrow shows.
  p.Height = 100;
  LayoutGroup(p, abeLeft, true);
  EXPECT_EQ(Shown(p), (std::vector<bool>{true, true, true, false, false, true}));
  EXPECT_EQ(p.Children[5].Bounds, MakeRect(1, 87, 84, 12));
  EXPECT_EQ(p.Children[0].Menu, MenuPosition::dmpRight);

  // Small icons without captions: three 25-pixel cells to a row at 80 pixels, the last
  // one a pixel wider; icons that reach the last 12 pixels hide.
  GroupPanel s = Panel(7, 80, 60, false, false);
  LayoutGroup(s, abeRight, true);
  EXPECT_EQ(Bounds(s),
            (std::vector<Rect>{MakeRect(1, 1, 25, 25), MakeRect(26, 1, 25, 25), MakeRect(51, 1, 26, 25),
                               MakeRect(1, 26, 25, 25), MakeRect(26, 26, 25, 25), MakeRect(51, 26, 26, 25),
                               MakeRect(1, 51, 25, 25), MakeRect(1, 47, 78, 12)}));
  EXPECT_EQ(Shown(s), (std::vector<bool>{true, true, true, false, false, false, false, true}));
  EXPECT_EQ(s.Children[0].Caption, "");
  EXPECT_TRUE(s.Children[0].TextUnderIcon);

  // Below 50 pixels no button text; with text under the icon the cell is 80 and the
  // button 18 taller. Cell widths divide the panel evenly (250 / 3 = 83.3 -> 83).
  GroupPanel n = Panel(1, 49, 200, true, true);
  LayoutGroup(n, abeRight, true);
  EXPECT_EQ(n.Children[0].Caption, "");
  GroupPanel u = Panel(4, 250, 300, true, false, false);
  LayoutGroup(u, abeRight, true);
  EXPECT_EQ(u.Children[0].Bounds, MakeRect(1, 1, 83, 43));
  EXPECT_EQ(u.Children[2].Bounds, MakeRect(167, 1, 82, 43));
  EXPECT_EQ(u.Children[1].Bounds, MakeRect(84, 1, 83, 43));
  EXPECT_EQ(u.Children[3].Bounds, MakeRect(1, 44, 83, 43));  // a second row
  EXPECT_TRUE(u.Children[0].TextUnderIcon);
}

TEST(GroupLayout, ColumnsOnHorizontalEdgesAndTheOverflowArrow) {
  // 60 high: two 25-pixel buttons per column; the arrow only when columns overflow.
  struct Case {
    int width;
    std::vector<bool> shown;
    int arrowLeft;
  } cases[] = {
      {100, {true, true, true, true, false}, 83},
      {60, {true, true, false, false, true}, 43},
      {20, {false, false, false, false, true}, 1}  // narrower than a cell
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    GroupPanel p = Panel(4, c.width, 60, false, false);
    LayoutGroup(p, abeBottom, true);
    EXPECT_EQ(Shown(p), c.shown);
    EXPECT_EQ(p.Children[1].Bounds, MakeRect(1, 26, 25, 25));
    EXPECT_EQ(p.Children[2].Bounds, MakeRect(26, 1, 25, 25));
    EXPECT_EQ(p.Children[4].Bounds, MakeRect(c.arrowLeft, 1, 15, 58));
    EXPECT_EQ(p.Children[4].Glyph.Resource, "ARROWICON_UP");
    EXPECT_EQ(p.Children[0].Menu, MenuPosition::dmpRight);
  }
  GroupPanel t = Panel(2, 400, 60, true, true);
  LayoutGroup(t, abeTop, true);
  EXPECT_EQ(t.Children[1].Bounds, MakeRect(121, 1, 120, 35));  // 35-pixel buttons: one per column
  EXPECT_EQ(t.Children[0].Menu, MenuPosition::dmpBottom);

  // A collapse button met before the last buttons (a drop appended them) keeps its
  // own Tag, and the buttons after it are still numbered in order.
  GroupPanel d = Panel(1, 300, 60, false, false);
  AddGroupButton(d, "late", false, "x");
  LayoutGroup(d, abeTop, true);
  EXPECT_EQ(d.Children[1].Tag, 2001);
  EXPECT_EQ(d.Children[2].Tag, 1);

  // Thousands of entries: launch Tags stop below the collapse range, and the collapse
  // button is still the one at the end.
  GroupPanel big = Panel(2100, 300, 60, false, false);
  EXPECT_EQ(big.Children[2050].Tag, 1999);
  LayoutGroup(big, abeTop, true);
  EXPECT_EQ(big.Children[1998].Tag, 1998);
  EXPECT_EQ(big.Children[2050].Tag, 1999);
  EXPECT_EQ(big.Children[2050].Bounds.Width(), 25);
  EXPECT_EQ(big.Children.back().Tag, 2001);
  EXPECT_TRUE(big.Children.back().Visible);
}

TEST(GroupLayout, DegeneratePanelsHideEveryLaunchButton) {
  for (TAppToolBarEdge edge : {abeLeft, abeTop, abeRight, abeBottom, abeFloat, abeUnknown}) {
    for (int size : {-5, 0, 1}) {
      for (bool captions : {false, true}) {
        SCOPED_TRACE(std::to_string(edge) + " " + std::to_string(size) + " " + std::to_string(captions));
        GroupPanel p = Panel(3, size, size, captions, false);
        LayoutGroup(p, edge, true);
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(p.Children[i].Visible);
      }
    }
  }
}

TEST(BarLayout, EdgeArrangementAndTitleStrip) {
  const EdgeArrangement top = FormEdgeChanged(abeTop, 3);
  EXPECT_EQ(top.PositionChecks, (std::array<bool, 4>{false, true, false, false}));
  EXPECT_EQ(top.LogoAlign, PanelAlign::alLeft);
  EXPECT_EQ(top.PanelBtnAlign, PanelAlign::alRight);
  EXPECT_FALSE(top.MinWidth);
  const EdgeArrangement fl = FormEdgeChanged(abeFloat, 3);
  EXPECT_EQ(fl.MinWidth, 300);
  EXPECT_EQ(fl.PositionChecks, (std::array<bool, 4>{}));
  EXPECT_EQ(FormEdgeChanged(abeLeft, 3).LogoAlign, PanelAlign::alTop);
  EXPECT_TRUE(CoolBarVertical(abeUnknown));
  EXPECT_FALSE(CoolBarVertical(abeFloat));

  struct Case {
    TAppToolBarEdge edge;
    int cw, ch;
    Rect title, bevel, sys;
    const char* caption;
  } cases[] = {
      {abeLeft, 86, 25, MakeRect(59, 1, 25, 23), MakeRect(57, 1, 2, 25), MakeRect(1, 1, 56, 23), "Wendlix"},
      {abeLeft, 28, 25, MakeRect(1, 1, 25, 23), MakeRect(-1, 1, 2, 25), MakeRect(1, 1, 0, 0), ""},
      {abeRight, 86, 25, MakeRect(1, 1, 25, 23), MakeRect(26, 1, 2, 25), MakeRect(28, 1, 58, 23), "Wendlix"},
      {abeRight, 60, 25, MakeRect(1, 1, 25, 23), MakeRect(26, 1, 2, 25), MakeRect(28, 1, 32, 23), ""},
      {abeTop, 25, 86, MakeRect(1, 60, 23, 25), MakeRect(1, 58, 25, 2), MakeRect(1, 1, 23, 57), ""},
      {abeBottom, 25, 86, MakeRect(1, 1, 23, 25), MakeRect(1, 27, 84, 2), MakeRect(1, 29, 23, 55), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.edge) + " " + std::to_string(c.cw));
    const TitleStrip t = FormResize(c.edge, c.cw, c.ch);
    EXPECT_EQ(t.BtnTitle, c.title);
    EXPECT_EQ(t.Bevel1, c.bevel);
    EXPECT_EQ(t.btnSYS, c.sys);
    EXPECT_EQ(t.SysCaption, c.caption);
    EXPECT_EQ(t.GradientStyle, IsHorizontalEdge(c.edge) ? 1 : 0);
  }
}

TEST(BarLayout, CollapsedPanelAndGroupAppearance) {
  std::vector<GroupPanel> groups(4);
  for (int i = 0; i < 4; ++i) {
    groups[i].Tag = i;
    groups[i].Data.Title = "G" + std::to_string(i);
    groups[i].Data.PanelStyle = static_cast<std::uint16_t>(i % 3);
  }
  CollapsedPanel empty = RebuildCollapsedPanel(groups, PanelAlign::alBottom);
  EXPECT_TRUE(empty.Buttons.empty());
  EXPECT_EQ(empty.Thickness, 3);

  groups[1].Data.ShowAsButton = true;
  groups[2].Data.ShowAsButton = true;
  groups[3].Data.ShowAsButton = true;
  groups[3].Data.Visible = false;  // hidden groups are not offered
  CollapsedPanel right = RebuildCollapsedPanel(groups, PanelAlign::alRight);
  ASSERT_EQ(right.Buttons.size(), 2u);
  EXPECT_EQ(right.Thickness, 53);
  EXPECT_EQ(right.Buttons[0].Tag, 4001);
  EXPECT_EQ(right.Buttons[1].Bounds, MakeRect(26, 1, 25, 25));
  EXPECT_EQ(right.Buttons[0].Caption, "G1");
  EXPECT_EQ(right.Buttons[0].ImageIndex, 0);
  EXPECT_EQ(right.Buttons[1].ImageIndex, 8);
  EXPECT_FALSE(right.Buttons[0].Flat);
  PanelBtnResize(right, Size{53, 40});
  EXPECT_EQ(right.Buttons[1].Bounds, MakeRect(26, 1, 25, 38));
  CollapsedPanel bottom = RebuildCollapsedPanel(groups, PanelAlign::alBottom);
  PanelBtnResize(bottom, Size{86, 53});
  EXPECT_EQ(bottom.Buttons[1].Bounds, MakeRect(1, 26, 84, 25));

  // Appearance: gradient stops, its direction by edge, a missing picture hides the
  // background, band icon and text by the record's flags.
  GroupPanel& g = groups[0];
  g.Height = 100;
  g.Data.DrawStyle = 1;
  g.Data.FromColor = 0x00FFFFFF;
  g.Data.ToColor = 0x00FF0000;
  g.Data.ShowTitleIcon = true;
  g.Data.ShowTitle = false;
  GroupAppearance a = ApplyGroupAppearance(g, abeLeft, Size{86, 400}, false, {});
  EXPECT_EQ(g.Width, 85);
  EXPECT_EQ(g.Height, 100);
  EXPECT_TRUE(g.Visible);
  EXPECT_EQ(g.Band.ImageIndex, 9);
  EXPECT_EQ(g.Band.Text, "");
  EXPECT_FALSE(g.Band.BorderSingle);
  EXPECT_EQ(a.Background.Shown, GroupBackground::Kind::kGradient);
  EXPECT_EQ(a.Background.Gradient.Colors[1], 0x00FF0A0Au);
  EXPECT_EQ(a.Background.Gradient.ColorCount, 2);
  EXPECT_EQ(a.Background.Gradient.LineDirection, TDirection::diVertical);
  EXPECT_EQ(a.Background.Bounds, MakeRect(1, 1, 84, 398));
  EXPECT_EQ(ApplyGroupAppearance(g, abeBottom, Size{800, 60}, false, {}).Background.Gradient.LineDirection,
            TDirection::diHorizonal);
  EXPECT_EQ(g.Height, 59);
  g.Data.DrawStyle = 2;
  EXPECT_EQ(ApplyGroupAppearance(g, abeTop, Size{800, 60}, false, {}).Background.Shown,
            GroupBackground::Kind::kHidden);
  EXPECT_EQ(ApplyGroupAppearance(groups[1], abeTop, Size{800, 60}, false, {}).Background.Shown,
            GroupBackground::Kind::kNone);
  EXPECT_FALSE(groups[1].Visible);  // collapsed into PanelBtn
}

}  // namespace
}  // namespace wendlix
