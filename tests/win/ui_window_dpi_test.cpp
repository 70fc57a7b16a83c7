// The DPI adapter against the real API: the window's DPI, metrics at a DPI, and system icons
// drawn at the size asked, not at the image list's.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/paint/pixel_buffer.h"
#include "core/ui/dpi_scale.h"
#include "support/win_test_support.h"
#include "win/bar/bar_resources.h"
#include "win/bar/icon_resolver.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

using testing_support::Canvas;

TEST(WindowDpi, AnswersTheMonitorsDpiAndScalesMetrics) {
  const int system = SystemDpi();
  EXPECT_GE(system, kMinDpi);
  EXPECT_LE(system, kMaxDpi);
  EXPECT_EQ(WindowDpi(nullptr), system);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  // One monitor: the window's DPI is the system's.
  EXPECT_EQ(WindowDpi(window), system);
  // At the system DPI a metric is the system's own; at twice the DPI about twice as large.
  const int scroll = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(MetricForDpi(SM_CXVSCROLL, system), scroll);
  EXPECT_NEAR(MetricForDpi(SM_CXVSCROLL, 2 * system), 2 * scroll, 2);
  EXPECT_EQ(MetricPairForWindow(window, SM_CXDOUBLECLK, SM_CYDOUBLECLK).cx,
            MetricForDpi(SM_CXDOUBLECLK, system));
  const Size border = SliverBorderForWindow(window);
  EXPECT_GE(border.cx, ScalePx(1, system));
  EXPECT_GE(border.cy, ScalePx(1, system));
  DestroyWindow(window);
}

// The bounding box of the pixels that are not white.
Rect Drawn(const PixelBuffer& px) {
  Rect box{px.Width(), px.Height(), 0, 0};
  for (int y = 0; y < px.Height(); ++y) {
    for (int x = 0; x < px.Width(); ++x) {
      if ((px.At(x, y) & 0xFFFFFF) == 0xFFFFFF) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box;
}

TEST(WindowDpi, SystemIconsAreDrawnAtTheSizeAsked) {
  const int index = AskSystemIconIndex("C:\\windows\\notepad.exe");
  ASSERT_GE(index, 0);
  BarResources resources(GetModuleHandleW(nullptr));
  for (int size : {16, 24, 32, 40, 48, 64}) {
    SCOPED_TRACE(size);
    Canvas canvas(100, 100);
    canvas.Fill(RGB(255, 255, 255));
    resources.DrawSystemIcon(canvas.Dc(), index, 10, 10, size);
    const Rect box = Drawn(canvas.Pixels());
    // Inside the square asked for, and filling most of it (an icon has a margin of its own).
    EXPECT_GE(box.left, 10);
    EXPECT_GE(box.top, 10);
    EXPECT_LE(box.right, 10 + size);
    EXPECT_LE(box.bottom, 10 + size);
    EXPECT_GE(box.Width(), size / 2);
  }
  // Nothing to draw: no index, no size.
  const Canvas canvas(8, 8);
  resources.DrawSystemIcon(canvas.Dc(), -1, 0, 0, 8);
  resources.DrawSystemIcon(canvas.Dc(), index, 0, 0, 0);
}

}  // namespace
}  // namespace wendlix
