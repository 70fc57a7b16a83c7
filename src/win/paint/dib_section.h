// A top-down 32-bit DIB section: memory the core's pixel buffers paint into and GDI
// copies to the screen.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "core/paint/pixel_buffer.h"
#include "win/common/unique_handle.h"

namespace wendlix {

// Pixels 0x00RRGGBB, rows top-down without padding.
struct DibSection {
  unique_hbitmap bitmap;
  std::uint32_t* bits = nullptr;
  int width = 0, height = 0;
};
std::shared_ptr<DibSection> MakeDibSection(int width, int height);
// A pixel buffer whose memory is `dib`'s bits (kept alive by the buffer).
PixelBuffer PixelBufferOver(const std::shared_ptr<DibSection>& dib);

// Copies `pixels` to `dc` with its top-left corner at (x, y), clipped to `clip` (in the
// DC's coordinates).
void DrawPixels(HDC dc, const PixelBuffer& pixels, int x, int y, const RECT& clip);

}  // namespace wendlix
