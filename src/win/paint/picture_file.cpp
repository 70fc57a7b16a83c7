#include "win/paint/picture_file.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/paint/dib_section.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

PixelBuffer FromBitmap(HBITMAP bitmap, int width, int height) {
  auto dib = MakeDibSection(width, height);
  unique_memory_dc src(CreateCompatibleDC(nullptr)), dst(CreateCompatibleDC(nullptr));
  if (!dib || !src || !dst) return {};
  SelectObjectScope selectSrc(src.get(), bitmap);
  SelectObjectScope selectDst(dst.get(), dib->bitmap.get());
  BitBlt(dst.get(), 0, 0, width, height, src.get(), 0, 0, SRCCOPY);
  GdiFlush();
  return PixelBuffer(PixelBufferOver(dib));  // a copy in the buffer's own memory
}

PixelBuffer FromOlePicture(const std::wstring& path) {
  Microsoft::WRL::ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicturePath(const_cast<LPOLESTR>(path.c_str()), nullptr, 0, 0, IID_IPicture,
                                reinterpret_cast<void**>(picture.GetAddressOf()))) ||
      !picture) {
    return {};
  }
  OLE_XSIZE_HIMETRIC hw = 0;
  OLE_YSIZE_HIMETRIC hh = 0;
  picture->get_Width(&hw);
  picture->get_Height(&hh);
  // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
  const int w = MulDiv(hw, SystemDpi(), 2540);
  const int h = MulDiv(hh, SystemDpi(), 2540);
  auto dib = MakeDibSection(w, h);
  unique_memory_dc dc(CreateCompatibleDC(nullptr));
  if (!dib || !dc) return {};
  SelectObjectScope select(dc.get(), dib->bitmap.get());
  // Pictures are rendered bottom-up in HIMETRIC: start at the bottom, go up.
  picture->Render(dc.get(), 0, 0, w, h, 0, hh, hw, -hh, nullptr);
  GdiFlush();
  return PixelBuffer(PixelBufferOver(dib));
}

}  // namespace

PixelBuffer LoadPicturePixels(const std::string& path) {
  if (path.empty()) return {};
  const std::wstring wide = ToWide(path);
  unique_hbitmap bitmap(
      static_cast<HBITMAP>(LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap.get(), sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight != 0) {
      return FromBitmap(bitmap.get(), info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    }
  }
  return FromOlePicture(wide);
}

}  // namespace wendlix
