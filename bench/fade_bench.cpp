// The blend step per byte against two bytes per multiplication, beside a plain copy of the
// same memory (the bandwidth a step cannot beat), and the dissolve order at screen size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/paint/lumo_fade_pixels.h"

namespace wendlix {
namespace {

struct Images {
  std::vector<Pixel> source, to, from;
  explicit Images(std::size_t n) : source(n), to(n), from(n) {
    for (std::size_t i = 0; i < n; ++i) {
      source[i] = static_cast<Pixel>(i * 0x9E3779B9u) & 0xFFFFFF;
      to[i] = static_cast<Pixel>(i * 0x85EBCA6Bu) & 0xFFFFFF;
    }
  }
};

std::size_t Pixels(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * static_cast<std::size_t>(state.range(1));
}

void SetBytes(benchmark::State& state, std::size_t n) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n * sizeof(Pixel)));
}

// The blend one byte at a time: what two bytes per multiplication are measured against.
void BlendPixelsPerByte(const Pixel* source, const Pixel* to, Pixel* from, std::size_t count, int level) {
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const std::uint32_t s = (source[i] >> shift) & 0xFF, t = (to[i] >> shift) & 0xFF;
      out |= ((s * (kBlendLevels - level) + t * level) / kBlendLevels) << shift;
    }
    from[i] = out;
  }
}

void BM_BlendStepPerByte(benchmark::State& state) {
  const std::size_t n = Pixels(state);
  Images im(n);
  int level = 0;
  for (auto _ : state) {
    BlendPixelsPerByte(im.source.data(), im.to.data(), im.from.data(), n, level = (level + 1) % 33);
    benchmark::ClobberMemory();
  }
  SetBytes(state, n);
}

void BM_BlendStepWordParallel(benchmark::State& state) {
  const std::size_t n = Pixels(state);
  Images im(n);
  int level = 0;
  for (auto _ : state) {
    BlendPixels(im.source.data(), im.to.data(), im.from.data(), n, level = (level + 1) % 33);
    benchmark::ClobberMemory();
  }
  SetBytes(state, n);
}

// Reads two images and writes one, as a blend step does, without any arithmetic.
void BM_BandwidthLine(benchmark::State& state) {
  const std::size_t n = Pixels(state);
  Images im(n);
  for (auto _ : state) {
    std::memcpy(im.from.data(), im.source.data(), n * sizeof(Pixel));
    benchmark::DoNotOptimize(im.to.data());
    std::memcpy(im.source.data(), im.to.data(), n * sizeof(Pixel));
    benchmark::ClobberMemory();
  }
  SetBytes(state, n);
}

void BM_BuildDissolveOrder(benchmark::State& state) {
  LcgRandom random(1);
  for (auto _ : state) {
    auto order =
        BuildDissolveOrder(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), random);
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Pixels(state)));
}

BENCHMARK(BM_BlendStepPerByte)->Args({399, 250})->Args({1920, 1080});
BENCHMARK(BM_BlendStepWordParallel)->Args({399, 250})->Args({1920, 1080});
BENCHMARK(BM_BandwidthLine)->Args({399, 250})->Args({1920, 1080});
BENCHMARK(BM_BuildDissolveOrder)->Args({399, 250})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendlix
