#include "win/paint/fill_gradient.h"

#include <algorithm>

#include "core/paint/gradient.h"
#include "win/common/unique_handle.h"
#include "win/paint/system_colors.h"

namespace wendlix {

void FillGradient(const RECT& rect, HDC dc, std::uint32_t fromColor, std::uint8_t style,
                  std::uint32_t toColor) {
  if (!dc || style > gsVertFromEdges) return;
  // The styles paint from the canvas origin; only the visible part needs a buffer.
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  const int width = std::min<LONG>(rect.right, clip.right), height = std::min<LONG>(rect.bottom, clip.bottom);
  if (width <= 0 || height <= 0) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as PixelBuffer
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  unique_hbitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  unique_memory_dc memoryDc(CreateCompatibleDC(dc));
  if (!bitmap || !memoryDc || !bits) return;
  SelectObjectScope select(memoryDc.get(), bitmap.get());

  BitBlt(memoryDc.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  GdiFlush();
  PixelBuffer buffer(width, height);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::copy(pixels, pixels + static_cast<std::size_t>(width) * height, buffer.Data());
  FillGradient(buffer, Rect{rect.left, rect.top, rect.right, rect.bottom},
               ResolveColor(fromColor, SystemColor), style, ResolveColor(toColor, SystemColor));
  std::copy(buffer.Data(), buffer.Data() + static_cast<std::size_t>(width) * height, pixels);
  BitBlt(dc, 0, 0, width, height, memoryDc.get(), 0, 0, SRCCOPY);
}

}  // namespace wendlix
