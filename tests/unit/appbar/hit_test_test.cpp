#include <gtest/gtest.h>

#include "core/appbar/app_bar_hit_test.h"

namespace wendlix {
namespace {

int Shown(int ht, TAppToolBarEdge edge, int h, int v, Point pt = {}, bool down = false) {
  return ShownBarHitTest({ht, down, edge, h, v, {100, 0, 180, 768}, pt});
}

TEST(AppBarHitTest, FloatingBordersSizeOnlyWhereThereIsAnIncrement) {
  // Columns: neither increment, vertical only, horizontal only, both.
  struct Row {
    int ht;
    int none, vOnly, hOnly;
  };
  const Row rows[] = {
      {kHtLeft, kHtBorder, kHtBorder, kHtLeft},       {kHtRight, kHtBorder, kHtBorder, kHtRight},
      {kHtTop, kHtBorder, kHtTop, kHtBorder},         {kHtBottom, kHtBorder, kHtBottom, kHtBorder},
      {kHtTopLeft, kHtBorder, kHtTop, kHtLeft},       {kHtTopRight, kHtBorder, kHtTop, kHtRight},
      {kHtBottomLeft, kHtBorder, kHtBottom, kHtLeft}, {kHtBottomRight, kHtBorder, kHtBottom, kHtRight},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Shown(r.ht, abeFloat, 0, 0), r.none) << r.ht;
    EXPECT_EQ(Shown(r.ht, abeFloat, 0, 3), r.vOnly) << r.ht;
    EXPECT_EQ(Shown(r.ht, abeFloat, 3, 0), r.hOnly) << r.ht;
    EXPECT_EQ(Shown(r.ht, abeFloat, 3, 3), r.ht) << r.ht;
  }
  EXPECT_EQ(Shown(kHtCaption, abeFloat, 0, 0), kHtCaption);
  EXPECT_EQ(Shown(kHtClient, abeFloat, 0, 0, {}, true), kHtCaption);  // press on the background drags
  EXPECT_EQ(Shown(kHtClient, abeRight, 1, 1, {}, true), kHtCaption);
  EXPECT_EQ(Shown(kHtClient, abeRight, 1, 1), kHtClient);
}

TEST(AppBarHitTest, DockedBarSizesOnlyFromItsInnerBorder) {
  // Client (100, 0)-(180, 768) on screen.
  struct Case {
    TAppToolBarEdge edge;
    int ht;
    int h, v;
    Point pt;
    int expected;
  };
  const Case cases[] = {
      {abeLeft, kHtRight, 1, 1, {185, 10}, kHtRight},
      {abeLeft, kHtTopRight, 1, 1, {185, 10}, kHtRight},
      {abeLeft, kHtLeft, 1, 1, {95, 10}, kHtBorder},
      {abeLeft, kHtRight, 0, 1, {185, 10}, kHtBorder},  // no horizontal increment
      {abeRight, kHtLeft, 1, 1, {95, 10}, kHtLeft},
      {abeRight, kHtBottomLeft, 1, 0, {95, 10}, kHtLeft},
      {abeRight, kHtRight, 1, 1, {185, 10}, kHtBorder},
      {abeTop, kHtBottom, 1, 1, {120, 770}, kHtBottom},
      {abeTop, kHtBottom, 1, 0, {120, 770}, kHtBorder},  // no vertical increment
      {abeTop, kHtTop, 1, 1, {120, -2}, kHtBorder},
      {abeBottom, kHtTop, 1, 1, {120, -2}, kHtTop},
      {abeBottom, kHtTop, 0, 1, {120, -2}, kHtTop},
      {abeBottom, kHtBottom, 1, 1, {120, 770}, kHtBorder},
      {abeUnknown, kHtLeft, 1, 1, {95, 10}, kHtLeft},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Shown(c.ht, c.edge, c.h, c.v, c.pt), c.expected) << c.edge << "/" << c.ht;
}

TEST(AppBarHitTest, HiddenBarIsClientWithAnEdgeCursorAndComesOutWhenPressed) {
  struct Case {
    TAppToolBarEdge edge;
    BarCursor cursor;
  };
  const Case cases[] = {
      {abeLeft, BarCursor::SizeWestEast},     {abeRight, BarCursor::SizeWestEast},
      {abeBottom, BarCursor::SizeNorthSouth}, {abeTop, BarCursor::Hand},
      {abeFloat, BarCursor::Unchanged},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HiddenBarHitTest(c.edge, false), (HiddenHitTest{kHtClient, c.cursor, false}));
    EXPECT_EQ(HiddenBarHitTest(c.edge, true), (HiddenHitTest{kHtClient, c.cursor, true}));
  }
}

}  // namespace
}  // namespace wendlix
