// The screen facts the desktop-edge toolbar reads, converted to core geometry.
#pragma once
#include <windows.h>

#include "core/common/geometry.h"

namespace wendlix {

inline Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

inline Rect WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The pointer position of the message being handled; GetMessagePos packs 16-bit signed
// coordinates.
inline Point MessagePos() {
  const DWORD pos = GetMessagePos();
  return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace wendlix
