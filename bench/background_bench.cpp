// A group background painted into its buffer once and then only copied, against painting
// the description again for every repaint; and the line gradient at screen size.
#include <benchmark/benchmark.h>

#include "core/paint/background.h"
#include "core/paint/pixel_copy.h"

namespace wendlix {
namespace {

TBackgndObj TiledDescription() {
  TBackgndObj back;
  back.BackStyle = TBackStyle::bgTileBitmap;
  back.Picture = PixelBuffer(37, 23, 0x336699);
  return back;
}

void BM_BackgroundRepaintFromBuffer(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBackground bg;
  bg.SetSize(w, h);
  bg.SetBackObj(TiledDescription());
  PixelBuffer screen(w, h);
  for (auto _ : state) {
    CopyPixels(screen, 0, 0, bg.Buffer(), 0, 0, w, h);  // what a repaint does
    benchmark::DoNotOptimize(screen.Data());
  }
}

void BM_BackgroundRepaintFromDescription(benchmark::State& state) {
  const TBackgndObj back = TiledDescription();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  PixelBuffer canvas(w, h);
  for (auto _ : state) {
    PaintBackground(canvas, {0, 0, w, h}, back);
    benchmark::DoNotOptimize(canvas.Data());
  }
}

void BM_LineGradient(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TGradient g;
  g.LineSize = 1;
  g.ColorCount = 2;
  PixelBuffer canvas(w, h);
  for (auto _ : state) {
    DrawGradient(canvas, {0, 0, w, h}, g);
    benchmark::DoNotOptimize(canvas.Data());
  }
}

BENCHMARK(BM_BackgroundRepaintFromBuffer)->Args({300, 120})->Args({1920, 1080});
BENCHMARK(BM_BackgroundRepaintFromDescription)->Args({300, 120})->Args({1920, 1080});
BENCHMARK(BM_LineGradient)->Args({300, 120})->Args({1920, 1080});

}  // namespace
}  // namespace wendlix
