// Colours as stored: 0x00BBGGRR, or a system colour 0x80000000 + index whose value only
// the running system knows. Painting resolves them through an injected look-up, so the
// core stays free of Windows calls (the Win32 side passes GetSysColor).
#pragma once
#include <cstdint>
#include <functional>

#include "core/paint/paint_types.h"

namespace wendlix {

constexpr ColorRef kSysColorFlag = 0x80000000u;

// Index -> 0x00BBGGRR. An empty function resolves every system colour to black.
using SysColorFunc = std::function<ColorRef(int index)>;

constexpr bool IsSysColor(ColorRef c) { return (c & kSysColorFlag) != 0; }

inline ColorRef ResolveColor(ColorRef c, const SysColorFunc& sysColor) {
  if (!IsSysColor(c)) return c & 0xFFFFFFu;
  return sysColor ? (sysColor(static_cast<int>(c & 0xFFu)) & 0xFFFFFFu) : 0u;
}

inline Pixel ResolvePixel(ColorRef c, const SysColorFunc& sysColor) {
  return ColorRefToPixel(ResolveColor(c, sysColor));
}

}  // namespace wendlix
