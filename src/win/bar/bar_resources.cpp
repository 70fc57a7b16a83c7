#include "win/bar/bar_resources.h"

#include <shellapi.h>

#include "win/bar/bar_pictures.h"
#include "win/common/wide.h"

namespace wendlix {

HIMAGELIST BarResources::ImageList1() {
  if (!imageList1Tried_) {
    imageList1Tried_ = true;
    imageList1_ = LoadImageList1(instance_);
  }
  return imageList1_.get();
}

HIMAGELIST BarResources::SystemImages(bool large) {
  SHFILEINFOW info{};
  const UINT flags = SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON);
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof(info), flags));
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
    WindowDc screen(nullptr);
    const int size = font.Size > 0 && font.Size < 200 ? font.Size : 9;
    lf.lfHeight = -MulDiv(size, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
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

HICON BarResources::ProgramIcon() {
  if (!programIcon_) {
    programIcon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0)));
  }
  return programIcon_.get();
}

}  // namespace wendlix
