#include <gtest/gtest.h>

#include "core/paint/about_window.h"
#include "core/paint/lumo_fade_geometry.h"

namespace wendlix {
namespace {

using K = PictureKind;
using D = PictureDraw;

TEST(FadeReset, ImagesFromPicturesStretchedOrNot) {
  const PictureInfo none{}, bmp{K::kBitmap, 40, 30}, emf{K::kMetafile, 50, 20}, ico{K::kIcon, 32, 32};
  // Both images take the control's size; each is cleared to the colour (or not) and drawn so.
  const auto plan = [](int w, int h, bool fromClear, D fromDraw, bool toClear, D toDraw) {
    return ResetLayout{w, h, {w, h, fromClear, fromDraw}, {w, h, toClear, toDraw}};
  };
  struct Case {
    const char* name;
    bool stretch;
    PictureInfo from, to;
    ResetLayout want;
  } cases[] = {
      // Stretched: the control keeps its size; transparent kinds show the colour.
      {"stretch bmp/none", true, bmp, none, plan(75, 60, false, D::kStretched, true, D::kNone)},
      {"stretch emf/ico", true, emf, ico, plan(75, 60, true, D::kStretched, false, D::kIconRule)},
      {"stretch none/none", true, none, none, plan(75, 60, true, D::kNone, true, D::kNone)},
      // Unstretched: the one picture sizes the control and is drawn at the origin.
      {"only to (bmp)", false, none, bmp, plan(40, 30, true, D::kNone, false, D::kAtOrigin)},
      {"only to (ico)", false, none, ico, plan(32, 32, true, D::kNone, true, D::kAtOrigin)},
      {"only from (emf)", false, emf, none, plan(50, 20, true, D::kAtOrigin, true, D::kNone)},
      {"neither", false, none, none, plan(75, 60, true, D::kNone, true, D::kNone)},
      // Both: the starting picture sizes the control, the final one is stretched to it.
      {"both bmp/emf", false, bmp, emf, plan(40, 30, false, D::kAtOrigin, true, D::kStretched)},
      {"both ico/ico", false, ico, ico, plan(32, 32, true, D::kAtOrigin, false, D::kIconRule)},
      {"both emf/bmp", false, emf, bmp, plan(50, 20, true, D::kAtOrigin, false, D::kStretched)},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanReset(75, 60, c.stretch, c.from, c.to), c.want) << c.name;

  // Negative sizes never reach an image.
  const ResetLayout odd = PlanReset(-4, 10, false, {K::kBitmap, -1, -1}, {});
  EXPECT_EQ(odd.controlWidth, 0);
  EXPECT_EQ(odd.from.width, 0);
  EXPECT_EQ(PlanReset(-4, 10, true, {}, {}).from.width, 0);
}

TEST(AboutWindow, CentredRectangleAndPictureDrag) {
  EXPECT_EQ(AboutWindowRect(1024, 768, 399, 250), (Rect{312, 259, 711, 509}));
  EXPECT_EQ(AboutWindowRect(1920, 1080, 399, 250), (Rect{760, 415, 1159, 665}));
  EXPECT_EQ(AboutWindowRect(300, 200, 399, 250).Width(), 399);

  struct Case {
    int dx, dy;
    bool moves;
  } cases[] = {
      {10, 0, true}, {0, 10, true},  {-10, 3, true}, {2, -12, true},
      {9, 0, false}, {0, -9, false}, {9, 9, false},  {0, 0, false},
  };
  for (const Case& c : cases) {
    PictureDrag drag;
    drag.Press(100, 50);
    EXPECT_EQ(drag.Move(100 + c.dx, 50 + c.dy, true), c.moves) << c.dx << "," << c.dy;
  }

  PictureDrag drag;
  EXPECT_FALSE(drag.Move(200, 200, false));  // passing over without a press
  EXPECT_FALSE(drag.Move(200, 200, true));   // button held, but pressed elsewhere
  drag.Press(5, 5);
  EXPECT_FALSE(drag.Move(50, 50, false));  // button already released
  EXPECT_FALSE(drag.Move(60, 60, true));
  drag.Press(5, 5);
  drag.Release();
  EXPECT_FALSE(drag.Move(60, 60, true));
  drag.Press(5, 5);
  EXPECT_TRUE(drag.Move(20, 5, true));
  EXPECT_FALSE(drag.Move(40, 5, true));  // one move per press
}

}  // namespace
}  // namespace wendlix
