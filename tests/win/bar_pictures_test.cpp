// The bar's pictures as Wendlix.exe carries them: loaded from the exe's resources (as a data file),
// checked for size, and drawn onto a coloured ground to see that exactly the key pixels let it through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/pictures_support.h"
#include "support/win_test_support.h"
#include "win/bar/bar_pictures.h"

namespace wendlix {
namespace {

using testing_support::Canvas;
using testing_support::ExeResources;

// A colour none of the pictures uses: what shows through a transparent pixel.
constexpr COLORREF kGround = RGB(1, 2, 3);

// The resource's own pixels, copied unchanged.
void CopyPixels(HBITMAP bitmap, const Canvas& into, SIZE size) {
  unique_memory_dc source(CreateCompatibleDC(nullptr));
  SelectObjectScope select(source.get(), bitmap);
  BitBlt(into.Dc(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

// Compares a drawing over kGround with the raw picture: key pixels show the ground, every other
// pixel keeps its colour. Returns the number of key pixels; records a failure per wrong pixel (once).
int ExpectKeyedDrawing(const Canvas& drawn, int dx, const Canvas& raw, int rx, int width, int height,
                       COLORREF key, const std::string& what) {
  int keyed = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF want = raw.At(rx + x, y) == key ? kGround : raw.At(rx + x, y);
      keyed += want == kGround;
      if (drawn.At(dx + x, y) != want) {
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is 0x" << std::hex << drawn.At(dx + x, y)
                      << ", want 0x" << want;
        return keyed;
      }
    }
  }
  return keyed;
}

TEST(BarPictures, ImageList1HoldsTwentyFourKeyedImages) {
  const HINSTANCE exe = ExeResources();
  ASSERT_NE(exe, nullptr) << "cannot open Wendlix.exe for its resources (set WENDLIX_EXE)";
  unique_himagelist list = LoadImageList1(exe);
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list.get()), image1::kCount);
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list.get(), &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);

  unique_hbitmap strip = LoadNamedBitmap(exe, L"IMAGELIST1");
  const SIZE size = BitmapSize(strip.get());
  ASSERT_EQ(size.cx, 16 * image1::kCount);
  ASSERT_EQ(size.cy, 16);
  const Canvas raw(size.cx, size.cy);
  CopyPixels(strip.get(), raw, size);

  Canvas drawn(16 * image1::kCount, 16);
  drawn.Fill(kGround);
  for (int i = 0; i < image1::kCount; ++i) ImageList_Draw(list.get(), i, drawn.Dc(), 16 * i, 0, ILD_NORMAL);
  for (int i = 0; i < image1::kCount; ++i) {
    const std::string what = "image " + std::to_string(i);
    // Every image is keyed on magenta but the logo; the logo shows its white ground in the list.
    const int keyed = ExpectKeyedDrawing(drawn, 16 * i, raw, 16 * i, 16, 16, kPictureKey, what);
    if (i == image1::kEditorLogo) {
      EXPECT_EQ(keyed, 0) << what << " holds magenta";
    } else {
      EXPECT_GT(keyed, 0) << what << " has no transparent pixel";
      EXPECT_LT(keyed, 16 * 16 - 16) << what << " is (nearly) empty";
    }
  }

  // The first paint draws them from the strip through a kept DC, without the list: as the list draws.
  Canvas fromList(16 * image1::kCount, 16), fromStrip(16 * image1::kCount, 16);
  fromList.Fill(kGround);
  fromStrip.Fill(kGround);
  const unique_memory_dc kept(CreateCompatibleDC(nullptr));
  for (int i = 0; i < image1::kCount; ++i) {
    ImageList_Draw(list.get(), i, fromList.Dc(), 16 * i, 0, ILD_TRANSPARENT);
    DrawStripImage(fromStrip.Dc(), strip.get(), i, 16 * i, 0, i % 2 ? kept.get() : nullptr);
  }
  for (const int outside : {-1, image1::kCount}) DrawStripImage(fromStrip.Dc(), strip.get(), outside, 0, 0);
  EXPECT_TRUE(fromStrip.Pixels() == fromList.Pixels());

  // The logo drawn with white as its key: white shows the ground, the rest its colours.
  Canvas logo(16, 16);
  logo.Fill(kGround);
  DrawListImageKeyed(logo.Dc(), list.get(), image1::kEditorLogo, 0, 0, kEditorLogoKey);
  const int whites =
      ExpectKeyedDrawing(logo, 0, raw, 16 * image1::kEditorLogo, 16, 16, kEditorLogoKey, "logo");
  EXPECT_GT(whites, 0);
  EXPECT_LT(whites, 16 * 16 - 16);
  // A magenta-keyed image drawn the same way loses its magenta (the mask) and nothing else.
  Canvas web(16, 16);
  web.Fill(kGround);
  DrawListImageKeyed(web.Dc(), list.get(), image1::kWeb, 0, 0, kPictureKey);
  ExpectKeyedDrawing(web, 0, raw, 0, 16, 16, kPictureKey, "web, keyed draw");
}

TEST(BarPictures, NamedBitmapsHaveTheirSizesAndMagentaKey) {
  const HINSTANCE exe = ExeResources();
  ASSERT_NE(exe, nullptr) << "cannot open Wendlix.exe for its resources (set WENDLIX_EXE)";
  struct Case {
    const wchar_t* name;
    int minSide, maxSide;
  };
  // The arrows must fit a vertical bar's 12-pixel collapse button and a horizontal bar's 15-pixel one.
  const Case cases[] = {
      {kIeIconLarge, 32, 32}, {kMailIconLarge, 32, 32}, {kArrowIconLeft, 7, 9}, {kArrowIconUp, 7, 9}};
  for (const Case& c : cases) {
    const std::string what(c.name, c.name + wcslen(c.name));
    unique_hbitmap bitmap = LoadNamedBitmap(exe, c.name);
    ASSERT_TRUE(bitmap) << what;
    const SIZE size = BitmapSize(bitmap.get());
    for (const LONG side : {size.cx, size.cy}) {
      EXPECT_GE(side, c.minSide) << what;
      EXPECT_LE(side, c.maxSide) << what;
    }
    BITMAP bm{};
    GetObjectW(bitmap.get(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 24) << what;

    const Canvas raw(size.cx, size.cy);
    CopyPixels(bitmap.get(), raw, size);
    // Glyph drawing takes the bottom-left pixel as the key colour.
    EXPECT_EQ(raw.At(0, size.cy - 1), kPictureKey) << what << ": bottom-left pixel not transparent";
    // Drawn at an offset onto the ground: only the key pixels let it through.
    Canvas drawn(size.cx + 3, size.cy);
    drawn.Fill(kGround);
    DrawTransparentBitmap(drawn.Dc(), bitmap.get(), 3, 0, kPictureKey);
    const int keyed = ExpectKeyedDrawing(drawn, 3, raw, 0, size.cx, size.cy, kPictureKey, what);
    EXPECT_GT(keyed, 0) << what;
    EXPECT_LT(keyed, size.cx * size.cy * 5 / 6) << what << " is (nearly) empty";
    for (int y = 0; y < size.cy; ++y) EXPECT_EQ(drawn.At(0, y), kGround) << what << ": drew left of x";
  }
}

TEST(BarPictures, MissingResourcesAndNullHandlesAreHarmless) {
  // This test exe has none of the program's pictures.
  const HINSTANCE self = GetModuleHandleW(nullptr);
  EXPECT_FALSE(LoadImageList1(self));
  EXPECT_FALSE(LoadNamedBitmap(self, kIeIconLarge));
  EXPECT_FALSE(LoadNamedBitmap(self, nullptr));

  Canvas canvas(8, 8);
  canvas.Fill(kGround);
  DrawTransparentBitmap(canvas.Dc(), nullptr, 0, 0, kPictureKey);
  DrawListImageKeyed(canvas.Dc(), nullptr, 0, 0, 0, kPictureKey);
  const HINSTANCE exe = ExeResources();
  ASSERT_NE(exe, nullptr);
  unique_himagelist list = LoadImageList1(exe);
  ASSERT_TRUE(list);
  DrawListImageKeyed(canvas.Dc(), list.get(), image1::kCount, 0, 0, kPictureKey);
  DrawListImageKeyed(canvas.Dc(), list.get(), -1, 0, 0, kPictureKey);
  EXPECT_EQ(canvas.CountIn(RECT{0, 0, 8, 8}, kGround), 64);
}

}  // namespace
}  // namespace wendlix
