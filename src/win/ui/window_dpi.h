// The one place that asks the system for a DPI: the screen's, a window's monitor's, and system
// metrics and font heights at a DPI. The per-monitor functions
// are looked up in user32 at run time (older Windows and Wine lack some of them); without
// them the answer is the system DPI, which a system-aware bar uses everywhere.
#pragma once
#include <windows.h>

#include "core/common/geometry.h"

namespace wendlix {

// WM_DPICHANGED, which the headers only define for newer Windows targets.
constexpr UINT kWmDpiChanged = 0x02E0;

// The system DPI: the screen's LOGPIXELSX, read once.
int SystemDpi();

// The LOGFONT height (negative: the character height, without internal leading) of a font of
// `points` points at `dpi`.
int FontHeightForPoints(int points, int dpi);
inline int FontHeightForPoints(int points) { return FontHeightForPoints(points, SystemDpi()); }

// GetDpiForWindow when user32 has it and answers, else the system DPI.
int WindowDpi(HWND hwnd);

// GetSystemMetricsForDpi when user32 has it, else the system's metric scaled from the
// system DPI to `dpi`.
int MetricForDpi(int index, int dpi);

// A pair of metrics (SM_CX..., SM_CY...) at the DPI of `hwnd`'s monitor.
Size MetricPairForWindow(HWND hwnd, int cxIndex, int cyIndex);

// The border a hidden bar leaves two of on screen: the system's border at the window's DPI,
// and never thinner than one 96-DPI pixel scaled, so the sliver grows with the DPI.
Size SliverBorderForWindow(HWND hwnd);

}  // namespace wendlix
