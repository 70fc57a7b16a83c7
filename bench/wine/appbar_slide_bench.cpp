// How long the auto-hide slide takes with the real window manager underneath: the default
// bar (86 pixels wide at the right edge, 40 frames to hide, 13 to show). Frames are not
// paced, so this is the cost of moving and repainting the window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/appbar/auto_hide.h"
#include "win/appbar/app_tool_bar.h"

namespace {

class SlideBenchBar : public wendlix::TAppToolBar<SlideBenchBar> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixSlideBench";
};

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Report(const char* what, std::vector<double> ms, int frames) {
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  std::printf("%-6s %3d frames: median %7.2f ms (%.3f ms/frame), min %7.2f ms, max %7.2f ms, %zu runs\n",
              what, frames, median, frames ? median / frames : 0.0, ms.front(), ms.back(), ms.size());
}

}  // namespace

int main() {
  SlideBenchBar bar;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!bar.CreateBar(instance, L"slide", WS_POPUP | WS_THICKFRAME, 0, {0, 0, 86, 400})) return 1;
  ShowWindow(bar.Handle(), SW_SHOWNOACTIVATE);
  Pump();
  for (auto e : {wendlix::abeLeft, wendlix::abeTop, wendlix::abeRight, wendlix::abeBottom})
    bar.SetDockSize(e, 86);
  bar.SetAutoHide(true);
  bar.SetEdge(wendlix::abeRight);
  bar.SlideAutoHide(true);
  Pump();
  bar.AutoHideTimer().SetEnabled(false);

  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  std::vector<double> hide, show;
  for (int i = 0; i < 25; ++i) {
    QueryPerformanceCounter(&t0);
    bar.SlideAutoHide(false);
    QueryPerformanceCounter(&t1);
    hide.push_back(Millis(t0, t1, freq));
    Pump();
    QueryPerformanceCounter(&t0);
    bar.SlideAutoHide(true);
    QueryPerformanceCounter(&t1);
    show.push_back(Millis(t0, t1, freq));
    Pump();
  }
  Report("hide", hide, bar.AutoHideInterval());
  Report("show", show, wendlix::ShowSlideInterval(bar.AutoHideInterval()));
  return 0;
}
