// Gradients on a device context: the core's painting, blitted.
#pragma once
#include <windows.h>

#include <cstdint>

namespace wendlix {

// Colours as the settings store them: 0x00BBGGRR, or 0x80000000 + a system colour index.
// Paints gradient `style` (0 to 5; others paint nothing) over `rect` of `dc`. Pixels the
// style does not cover keep what the DC held.
void FillGradient(const RECT& rect, HDC dc, std::uint32_t fromColor, std::uint8_t style,
                  std::uint32_t toColor);

}  // namespace wendlix
