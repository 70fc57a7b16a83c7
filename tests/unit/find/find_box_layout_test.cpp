#include "core/find/find_box_layout.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

TEST(FindBoxLayout, PartsScaleWithTheDpiAndTheFont) {
  FindBoxLayout at96;
  at96.Box = {300, 198};
  at96.Frame = 2;
  at96.Strip = {2, 2, 23, 196};
  at96.Query = {27, 6, 294, 28};
  at96.List = {27, 32, 294, 192};
  at96.RowHeight = 20;
  at96.VisibleRows = 8;
  at96.IconSize = 16;
  at96.Gap = 6;
  EXPECT_EQ(LayoutFindBox(DpiScale(96), 12, {1024, 768}), at96);

  // At 150 % every part is half as large again.
  const FindBoxLayout at144 = LayoutFindBox(DpiScale(144), 18, {2048, 1536});
  EXPECT_EQ(at144.Box, (Size{450, 297}));
  EXPECT_EQ(at144.List, (Rect{41, 48, 441, 288}));
  EXPECT_EQ(at144.IconSize, 24);

  // A font taller than designed: rows and the query line make room for it.
  const FindBoxLayout tall = LayoutFindBox(DpiScale(96), 20, {1024, 768});
  EXPECT_EQ(tall.RowHeight, 26);
  EXPECT_EQ(tall.Query.Height(), 30);
  EXPECT_EQ(tall.Box.cy, 4 + 12 + 30 + 8 * 26);

  // A small work area: fewer rows, then a box cut to it.
  const FindBoxLayout low = LayoutFindBox(DpiScale(96), 12, {1024, 150});
  EXPECT_EQ(low.VisibleRows, 5);
  EXPECT_EQ(low.Box, (Size{300, 138}));
  const FindBoxLayout tiny = LayoutFindBox(DpiScale(96), 12, {200, 40});
  EXPECT_EQ(tiny.VisibleRows, 1);
  EXPECT_EQ(tiny.Box, (Size{200, 40}));
}

struct PlaceCase {
  const char* what;
  Rect bar;
  TAppToolBarEdge edge;
  Rect work;
  Rect want;
};

TEST(FindBoxLayout, StandsBesideTheBarInsideTheWorkArea) {
  constexpr Size box{300, 198};
  constexpr Rect screen{0, 0, 1024, 768};
  // A second monitor left of the first and raised: all coordinates negative or crossing zero.
  constexpr Rect second{-1280, -200, 0, 824};
  const PlaceCase cases[] = {
      {"left", {0, 0, 60, 768}, abeLeft, screen, {60, 0, 360, 198}},
      {"right", {964, 0, 1024, 768}, abeRight, screen, {664, 0, 964, 198}},
      {"top", {0, 0, 1024, 40}, abeTop, screen, {0, 40, 300, 238}},
      {"bottom", {0, 728, 1024, 768}, abeBottom, screen, {0, 530, 300, 728}},
      {"bottom, bar starting near the right end",
       {900, 728, 1024, 768},
       abeBottom,
       screen,
       {724, 530, 1024, 728}},
      {"right, bar starting near the bottom", {964, 700, 1024, 768}, abeRight, screen, {664, 570, 964, 768}},
      {"left, above a taskbar", {0, 600, 60, 728}, abeLeft, {0, 0, 1024, 728}, {60, 530, 360, 728}},
      {"second monitor, left", {-1280, -200, -1220, 824}, abeLeft, second, {-1220, -200, -920, -2}},
      {"second monitor, bottom", {-1280, 784, 0, 824}, abeBottom, second, {-1280, 586, -980, 784}},
      {"second monitor, a bar hanging off its left",
       {-1300, 700, -1240, 900},
       abeLeft,
       second,
       {-1240, 626, -940, 824}},
      {"floating with room below", {100, 100, 400, 130}, abeFloat, screen, {100, 130, 400, 328}},
      {"floating without room below", {100, 700, 400, 730}, abeFloat, screen, {100, 502, 400, 700}},
      {"a work area smaller than the box", {0, 0, 10, 100}, abeLeft, {0, 0, 200, 100}, {0, 0, 200, 100}},
  };
  for (const PlaceCase& c : cases) EXPECT_EQ(PlaceFindBox(c.bar, c.edge, c.work, box), c.want) << c.what;
}

}  // namespace
}  // namespace wendlix
