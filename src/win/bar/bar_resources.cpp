#include "win/bar/bar_resources.h"

#include <shellapi.h>

#include "win/bar/bar_pictures.h"
#include "win/common/wide.h"
#include "win/ui/chinese_font.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

HIMAGELIST BarResources::ImageList1() {
  if (!imageList1Tried_) {
    imageList1Tried_ = true;
    imageList1_ = LoadImageList1(instance_);
  }
  return imageList1_.get();
}

void BarResources::DrawImage1(HDC dc, int index, int x, int y) {
  DrawStripImage(dc, NamedBitmap("IMAGELIST1"), index, x, y, PictureDc());
}

HDC BarResources::PictureDc() {
  if (!pictureDc_) pictureDc_.reset(CreateCompatibleDC(nullptr));
  return pictureDc_.get();
}

HIMAGELIST BarResources::SystemImages(bool large) {
  // The shell answers with the same process-wide list every time, but slowly (milliseconds
  // under Wine): kept once had, not asked at every icon drawn, and taken from the icon resolver
  // when it has it. A failed answer is asked again next time.
  HIMAGELIST& list = systemLists_[large ? 1 : 0];
  if (!list) list = icons_.ImageList(large);
  if (!list) list = AskSystemImageList(large);
  return list;
}

HIMAGELIST BarResources::LargerSystemImages(bool jumbo) {
  constexpr GUID kIidImageList{0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
  HIMAGELIST& list = systemLists_[jumbo ? 3 : 2];
  if (!largerListsAsked_[jumbo ? 1 : 0]) {
    largerListsAsked_[jumbo ? 1 : 0] = true;
    void* found = nullptr;
    if (SUCCEEDED(SHGetImageList(jumbo ? SHIL_JUMBO : SHIL_EXTRALARGE, kIidImageList, &found)))
      list = static_cast<HIMAGELIST>(found);
  }
  return list;
}

HBITMAP BarResources::NamedBitmap(const std::string& name) {
  auto it = bitmaps_.find(name);
  if (it == bitmaps_.end()) {
    it = bitmaps_.emplace(name, LoadNamedBitmap(instance_, ToWide(name).c_str())).first;
  }
  return it->second.get();
}

HFONT BarResources::Font(const GroupFont& font, bool underline) {
  const auto key = std::make_tuple(font.Name, font.Size, underline);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    const int size = font.Size > 0 && font.Size < 200 ? font.Size : 9;
    lf.lfHeight = dpi_ > 0 ? FontHeightForPoints(size, dpi_) : FontHeightForPoints(size);
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = GB2312_CHARSET;
    const std::wstring face = ToWide(font.Name.empty() ? "宋体" : font.Name);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    it = fonts_.emplace(key, unique_hfont(CreateFontIndirectW(&lf))).first;
  }
  return it->second.get();
}

HFONT BarResources::UiFont() { return Font(GroupFont{}); }

HFONT BarResources::TitleFont() {
  if (!titleFont_) {
    LOGFONTW lf{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) {
      // The system sizes it for its own DPI; the bar stands on its monitor's.
      if (dpi_ > 0) lf.lfHeight = MulDiv(lf.lfHeight, dpi_, SystemDpi());
      titleFont_.reset(CreateChineseCapableFont(lf));
    }
  }
  return titleFont_ ? titleFont_.get() : UiFont();
}

void BarResources::SystemFontsChanged() { titleFont_.reset(); }

HICON BarResources::ProgramIcon(int size) {
  unique_hicon& icon = programIcons_[size];
  // LoadImage picks the icon resource's image nearest the size asked.
  if (!icon)
    icon.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)));
  return icon.get();
}

void BarResources::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  fonts_.clear();
  titleFont_.reset();
  programIcons_.clear();
  sizedIcons_.clear();
}

void BarResources::DrawSystemIcon(HDC dc, int index, int x, int y, int size) {
  if (index < 0 || size <= 0) return;
  // The lists the shell keeps: the small and large ones first (the ones a 96-DPI bar
  // always drew from), then the extra-large and jumbo ones, asked for only when needed.
  const auto listAt = [this](int i) { return i < 2 ? SystemImages(i == 1) : LargerSystemImages(i == 3); };
  HIMAGELIST best = nullptr;
  int bestSize = 0;
  for (int i = 0; i < 4; ++i) {
    const HIMAGELIST list = listAt(i);
    int cx = 0, cy = 0;
    if (!list || !ImageList_GetIconSize(list, &cx, &cy) || cx <= 0) continue;
    if (cx == size) {
      ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
      return;
    }
    // The smallest list larger than asked; the largest when none is.
    const bool better = best == nullptr || (cx > size ? (bestSize < size || cx < bestSize) : cx > bestSize);
    if (better) {
      best = list;
      bestSize = cx;
    }
  }
  if (!best) return;
  unique_hicon& icon = sizedIcons_[{index, bestSize}];
  if (!icon) icon.reset(ImageList_GetIcon(best, index, ILD_TRANSPARENT));
  if (icon) DrawIconEx(dc, x, y, icon.get(), size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace wendlix
