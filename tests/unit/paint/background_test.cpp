#include <gtest/gtest.h>

#include "core/paint/background.h"
#include "core/paint/pixel_copy.h"

namespace wendlix {
namespace {

constexpr Pixel kUntouched = 0x00ABCDEF;

PixelBuffer Numbered(int w, int h) {
  PixelBuffer b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Data()[y * w + x] = static_cast<Pixel>(1000 + y * 100 + x);
  return b;
}

TEST(PixelCopy, ClipsAgainstBothBuffers) {
  const PixelBuffer src = Numbered(7, 5);
  struct Case {
    int dx, dy, sx, sy, w, h;
  } cases[] = {
      {0, 0, 0, 0, 7, 5},   {2, 1, 0, 0, 7, 5},           {-3, -2, 0, 0, 7, 5}, {0, 0, -3, -1, 7, 5},
      {4, 3, 5, 4, 9, 9},   {-10, 0, 0, 0, 5, 5},         {0, 0, 7, 0, 3, 3},   {1, 1, 1, 1, -4, 2},
      {5, 2, -2, -2, 4, 4}, {0, 0, 0, 0, 100000, 100000},
  };
  for (const Case& c : cases) {
    PixelBuffer got(6, 4, kUntouched), want(6, 4, kUntouched);
    CopyPixels(got, c.dx, c.dy, src, c.sx, c.sy, c.w, c.h);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) {
        const int bx = x - c.dx, by = y - c.dy;  // position inside the block
        const int sx = c.sx + bx, sy = c.sy + by;
        if (bx >= 0 && by >= 0 && bx < c.w && by < c.h && sx >= 0 && sy >= 0 && sx < src.Width() &&
            sy < src.Height())
          want.Data()[y * want.Width() + x] = src.At(sx, sy);
      }
    EXPECT_EQ(got, want) << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy << " " << c.w << "x"
                         << c.h;
  }
}

TEST(PaintBackground, TilesFollowTheCanvasOriginAcrossNeighbours) {
  TBackgndObj back;
  back.BackStyle = TBackStyle::bgTileBitmap;
  back.Picture = Numbered(3, 2);
  PixelBuffer whole(20, 9, kUntouched), split(20, 9, kUntouched), clipped(20, 9, kUntouched);
  PaintBackground(whole, {0, 0, 20, 9}, back);
  for (Rect r : {Rect{0, 0, 7, 9}, Rect{7, 0, 20, 4}, Rect{7, 4, 20, 9}}) PaintBackground(split, r, back);
  PaintBackground(clipped, {-4, -3, 25, 12}, back);
  EXPECT_EQ(split, whole);
  EXPECT_EQ(clipped, whole);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(whole.At(x, y), back.Picture.At(x % 3, y % 2));

  back.Picture = PixelBuffer();  // an empty picture paints nothing
  PaintBackground(whole, {0, 0, 5, 5}, back);
  EXPECT_EQ(whole.At(0, 0), 1000u);
}

TEST(PaintBackground, ColourGradientAndSinglePicture) {
  TBackgndObj back;
  back.Color = 0x80000005;
  PixelBuffer canvas(10, 10, kUntouched);
  PaintBackground(canvas, {2, 2, 5, 5}, back, [](int index) { return index == 5 ? 0x030201u : 0u; });
  EXPECT_TRUE(canvas.At(2, 2) == 0x010203u && canvas.At(4, 4) == 0x010203u && canvas.At(5, 5) == kUntouched);

  // A gradient is laid out over the rectangle itself, wherever it sits.
  back.BackStyle = TBackStyle::bgGradient;
  back.Gradient.LineSize = 1;
  PixelBuffer offset(30, 30, kUntouched), atOrigin(12, 20);
  PaintBackground(offset, {9, 5, 21, 25}, back);
  DrawGradient(atOrigin, {0, 0, 12, 20}, back.Gradient);
  PixelBuffer cut(12, 20);
  CopyPixels(cut, 0, 0, offset, 9, 5, 12, 20);
  EXPECT_EQ(cut, atOrigin);
  EXPECT_EQ(offset.At(8, 5), kUntouched);

  // The single picture is anchored at the canvas origin; beyond it nothing is painted.
  back.BackStyle = TBackStyle::bgSingleBitmap;
  back.Picture = Numbered(6, 6);
  PixelBuffer single(10, 10, kUntouched);
  PaintBackground(single, {3, 4, 10, 10}, back);
  EXPECT_EQ(single.At(5, 5), back.Picture.At(5, 5));
  EXPECT_EQ(single.At(6, 5), kUntouched);
  EXPECT_EQ(single.At(2, 4), kUntouched);
}

TEST(TBackground, RepaintsOnlyWhenSizeOrDescriptionChanges) {
  TBackground bg;
  EXPECT_EQ(bg.Buffer().Width(), 144);
  bg.Buffer();
  bg.SetSize(144, 144);
  bg.Buffer();
  EXPECT_EQ(bg.PaintCount(), 1);  // painting again only copies

  bg.SetSize(50, 30);
  EXPECT_EQ(bg.PaintCount(), 1);  // picked up by the next paint
  EXPECT_EQ(bg.Buffer().Height(), 30);
  EXPECT_EQ(bg.PaintCount(), 2);

  TBackgndObj back = bg.BackObj();
  EXPECT_FALSE(bg.SetBackObj(back));
  back.Color = 0x0000FF;
  EXPECT_TRUE(bg.SetBackObj(back));  // painted at once
  EXPECT_EQ(bg.PaintCount(), 3);
  EXPECT_EQ(bg.Buffer().At(49, 29), 0xFF0000u);
  back.Gradient.Colors[4] = 1;  // any part of the description counts
  EXPECT_TRUE(bg.SetBackObj(back));
  bg.SystemColorsChanged();
  bg.Buffer();
  EXPECT_EQ(bg.PaintCount(), 5);
}

}  // namespace
}  // namespace wendlix
