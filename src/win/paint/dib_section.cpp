#include "win/paint/dib_section.h"

#include <algorithm>

namespace wendlix {

std::shared_ptr<DibSection> MakeDibSection(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the core's buffers
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  unique_hbitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return nullptr;
  auto dib = std::make_shared<DibSection>();
  dib->bitmap = std::move(bitmap);
  dib->bits = static_cast<std::uint32_t*>(bits);
  dib->width = width;
  dib->height = height;
  return dib;
}

PixelBuffer PixelBufferOver(const std::shared_ptr<DibSection>& dib) {
  if (!dib) return {};
  return PixelBuffer(dib->width, dib->height, dib->bits, dib);
}

void DrawPixels(HDC dc, const PixelBuffer& pixels, int x, int y, const RECT& clip) {
  const int left = std::max<int>(x, clip.left), top = std::max<int>(y, clip.top);
  const int right = std::min<int>(x + pixels.Width(), clip.right);
  const int bottom = std::min<int>(y + pixels.Height(), clip.bottom);
  if (right <= left || bottom <= top) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.Width();
  info.bmiHeader.biHeight = -pixels.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // For a top-down DIB the source origin counts from the buffer's top row.
  StretchDIBits(dc, left, top, right - left, bottom - top, left - x, top - y, right - left, bottom - top,
                pixels.Data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace wendlix
