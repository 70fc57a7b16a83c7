// Painting a bar of 20 shortcut groups of 100 buttons on the right edge, its shell icons known:
// the whole bar, as after the icons arrive or a change of look, and one button, as a hover
// repaints it. Target: the whole bar within a frame (16 ms), one button under 1 ms.
#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "core/bar/bar_view.h"
#include "sample_groups.h"
#include "win/bar/bar_painter.h"
#include "win/common/unique_handle.h"
#include "win/paint/dib_section.h"
#include "wine_clock.h"

using namespace wendlix;
using bench::Measure;

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bench::SampleGroups sample("wendlix_paint_bench", 20, 100);
  const Size client{90, 1000};
  const BarView view = ArrangeBar(sample.Groups, abeRight, client, true);
  auto buffer = MakeDibSection(client.cx, client.cy);
  unique_memory_dc dc(CreateCompatibleDC(nullptr));
  if (!buffer || !dc) return 1;
  SelectObject(dc.get(), buffer->bitmap.get());
  const BarPointer pointer;
  GroupBackgrounds backgrounds;
  // The bar's first paint: nothing made yet, the icons asked for off the thread (here never answered).
  double firstMs = 0;
  {
    BarResources fresh(GetModuleHandleW(nullptr));
    fresh.Icons().SetNotify(HWND_MESSAGE, WM_NULL);
    BarPainter painter(fresh, backgrounds);
    const double first = bench::NowMs();
    painter.Paint(dc.get(), view, sample.Groups, pointer);
    firstMs = bench::NowMs() - first;
  }
  BarResources resources(GetModuleHandleW(nullptr));  // no window: each icon is asked at once
  BarPainter painter(resources, backgrounds);
  painter.Paint(dc.get(), view, sample.Groups, pointer);
  const bench::Stats whole = Measure(11, [&] { painter.Paint(dc.get(), view, sample.Groups, pointer); });

  const GroupPanel& group = sample.Groups.front();
  const Rect panel = view.GroupPanelRect(0), at = group.Children.front().Bounds;
  const Rect button{panel.left + at.left, panel.top + at.top, panel.left + at.right, panel.top + at.bottom};
  HRGN clip = CreateRectRgn(button.left, button.top, button.right, button.bottom);
  SelectClipRgn(dc.get(), clip);
  DeleteObject(clip);
  const bench::Stats one = Measure(11, [&] { painter.Paint(dc.get(), view, sample.Groups, pointer); });

  std::printf("painting a bar of 20 groups x 100 shortcuts (%dx%d), icons known:\n", client.cx, client.cy);
  std::printf("  the first paint (before the icons): %8.2f ms\n", firstMs);
  std::printf("  the whole bar:  best %8.2f ms  median %8.2f ms  (target 16 ms)%s\n", whole.best,
              whole.median, whole.median > 16 ? "  NOT MET" : "");
  std::printf("  one button:     best %8.2f ms  median %8.2f ms  (target 1 ms)%s\n", one.best, one.median,
              one.median > 1 ? "  NOT MET" : "");
  CoUninitialize();
  return 0;
}
