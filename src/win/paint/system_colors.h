// The running system's colours for painting: the look-up the core's painters take, and a
// colour as the settings store it (0x00BBGGRR, or 0x80000000 + a system colour index)
// resolved for GDI. Every colour that is shifted, blended or drawn is resolved through here
// first, so a stored system colour never reaches arithmetic as a code.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/paint/color_resolve.h"

namespace wendlix {

inline ColorRef SystemColor(int index) { return GetSysColor(index); }

inline COLORREF ResolveStoredColor(std::int32_t color) {
  return ResolveColor(static_cast<ColorRef>(color), SystemColor);
}

}  // namespace wendlix
