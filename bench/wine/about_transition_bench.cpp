// One About transition under Wine: the 81-step dissolve that opens the window and the
// 81-step blend that closes it, each a core step on a 399 x 250 DIB section and one BitBlt
// to the screen per step. Prints milliseconds per transition and per step.
#include <windows.h>

#include <cstdio>

#include "win/common/unique_handle.h"
#include "win/paint/about_form.h"
#include "win/paint/lumo_fade_control.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

struct Timer : wendlix::AboutObserver {
  double start = 0, opened = 0, closed = 0;
  int openRepaints = 0, closeRepaints = 0;
  void Snapshot(const wendlix::PixelBuffer&) override { start = Now(); }
  void TransitionDone(bool closing, int repaints) override {
    (closing ? closed : opened) = Now();
    (closing ? closeRepaints : openRepaints) = repaints;
  }
};

}  // namespace

int main() {
  using namespace wendlix;
  const auto picture = MakeDibSection(399, 250);
  if (!picture) return 1;
  for (int y = 0; y < 250; ++y)
    for (int x = 0; x < 399; ++x)
      picture->bits[y * 399 + x] = static_cast<std::uint32_t>((x * 255 / 398) << 16 | (y * 255 / 249));
  constexpr int kRuns = 5;
  double dissolve = 0, blend = 0;
  int openRepaints = 0, closeRepaints = 0;
  for (int run = 0; run < kRuns; ++run) {
    Timer timer;
    const HWND about = ShowAboutWindow(nullptr, {}, &timer, picture->bitmap.get());
    if (!about) return 1;
    const double closeStart = Now();
    SendMessageW(about, WM_CLOSE, 0, 0);
    // The opening includes the 300 ms pause before the dissolve.
    dissolve += timer.opened - timer.start - 300.0;
    blend += timer.closed - closeStart;
    openRepaints = timer.openRepaints;
    closeRepaints = timer.closeRepaints;
  }
  std::printf("About dissolve (399x250, DisolvRate 80): %.1f ms for %d repaints, %.3f ms per step\n",
              dissolve / kRuns, openRepaints, dissolve / kRuns / openRepaints);
  std::printf("About blend    (399x250, BlendRate 80):  %.1f ms for %d repaints, %.3f ms per step\n",
              blend / kRuns, closeRepaints, blend / kRuns / closeRepaints);
  return 0;
}
