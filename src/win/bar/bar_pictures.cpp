#include "win/bar/bar_pictures.h"

namespace wendlix {
namespace {

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return false;
  width = bm.bmWidth;
  height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  return width > 0 && height > 0;
}

}  // namespace

unique_hbitmap LoadNamedBitmap(HINSTANCE instance, const wchar_t* name) {
  if (!name) return {};
  // A DIB section keeps the resource's exact colours whatever the screen depth.
  return unique_hbitmap(
      static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

unique_himagelist LoadImageList1(HINSTANCE instance) {
  unique_hbitmap strip = LoadNamedBitmap(instance, L"IMAGELIST1");
  int width = 0, height = 0;
  if (!BitmapSize(strip.get(), width, height)) return {};
  if (height != kImageList1Size || width % kImageList1Size != 0) return {};
  const int count = width / kImageList1Size;
  unique_himagelist list(
      ImageList_Create(kImageList1Size, kImageList1Size, ILC_COLOR24 | ILC_MASK, count, 4));
  if (!list) return {};
  // AddMasked copies the strip (and blackens its key pixels, which is why the strip is our own copy).
  if (ImageList_AddMasked(list.get(), strip.get(), kPictureKey) < 0) return {};
  if (ImageList_GetImageCount(list.get()) != count) return {};
  return list;
}

namespace {

// Copies `width` x `height` pixels of `bitmap` from (sourceX, 0) to (x, y), but those of colour
// `transparent`. Gdi32's own call, so the bar needs no msimg32 to paint.
void CopyKeyed(HDC dc, HDC source, HBITMAP bitmap, int sourceX, int width, int height, int x, int y,
               COLORREF transparent) {
  unique_memory_dc made;
  if (!source) {
    made.reset(CreateCompatibleDC(dc));
    source = made.get();
  }
  if (!source) return;
  SelectObjectScope select(source, bitmap);
  GdiTransparentBlt(dc, x, y, width, height, source, sourceX, 0, width, height, transparent);
}

}  // namespace

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent, HDC source) {
  int width = 0, height = 0;
  if (!dc || !BitmapSize(bitmap, width, height)) return;
  CopyKeyed(dc, source, bitmap, 0, width, height, x, y, transparent);
}

void DrawStripImage(HDC dc, HBITMAP strip, int index, int x, int y, HDC source) {
  int width = 0, height = 0;
  if (!dc || !BitmapSize(strip, width, height) || height != kImageList1Size) return;
  if (index < 0 || index >= width / kImageList1Size) return;
  CopyKeyed(dc, source, strip, index * kImageList1Size, kImageList1Size, kImageList1Size, x, y, kPictureKey);
}

void DrawListImageKeyed(HDC dc, HIMAGELIST list, int index, int x, int y, COLORREF transparent) {
  int width = 0, height = 0;
  if (!dc || !list || index < 0 || index >= ImageList_GetImageCount(list)) return;
  if (!ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0) return;
  unique_memory_dc work(CreateCompatibleDC(dc));
  unique_hbitmap picture(CreateCompatibleBitmap(dc, width, height));
  if (!work || !picture) return;
  {
    // The list's masked pixels come out in the key colour, so one keyed copy drops both.
    SelectObjectScope select(work.get(), picture.get());
    unique_hbrush key(CreateSolidBrush(transparent));
    const RECT all{0, 0, width, height};
    FillRect(work.get(), &all, key.get());
    ImageList_Draw(list, index, work.get(), 0, 0, ILD_NORMAL);
  }
  DrawTransparentBitmap(dc, picture.get(), x, y, transparent);
}

}  // namespace wendlix
