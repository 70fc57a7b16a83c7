// The pixel work of the fade control: the random order of a dissolve and the copy of its
// steps, and the 33-level cross-fade of a blend, computed two bytes per multiplication.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/paint/paint_types.h"

namespace wendlix {

constexpr int kBlendLevels = 32;  // a blend mixes in levels 0..32

int ClampBlendRate(int rate);  // 1..255
// 1..width x height, and at least 1 when the area is empty, so that a rate can always
// divide the pixel count.
int ClampDisolvRate(int rate, int width, int height);

// The level of blend step `step` (0..rate): step x 32 div rate.
int BlendLevel(int step, int blendRate);

// One 32-bit word of a blend step: each byte becomes (S x (32 - L) + T x L) div 32.
// Two bytes share each multiplication; every lane stays below 2^16, so none carries into
// the next.
constexpr std::uint32_t BlendWord(std::uint32_t s, std::uint32_t t, int level) {
  const std::uint32_t l = static_cast<std::uint32_t>(level), k = kBlendLevels - l;
  const std::uint32_t low = (s & 0x00FF00FFu) * k + (t & 0x00FF00FFu) * l;
  const std::uint32_t high = ((s >> 8) & 0x00FF00FFu) * k + ((t >> 8) & 0x00FF00FFu) * l;
  return ((low >> 5) & 0x00FF00FFu) | ((high << 3) & 0xFF00FF00u);
}

// from[i] := the blend of source[i] and to[i] at `level` (0..32), over `count` pixels.
void BlendPixels(const Pixel* source, const Pixel* to, Pixel* from, std::size_t count, int level);

// A source of random integers below a bound.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual std::uint32_t Below(std::uint32_t bound) = 0;  // 0..bound-1; 0 when bound is 0
};

// A 32-bit linear congruential generator; by default seeded from the clock.
class LcgRandom final : public RandomSource {
 public:
  LcgRandom();
  explicit LcgRandom(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t bound) override;

 private:
  std::uint32_t state_;
};

// Every position (row x width + column) of a width x height image in row-major order,
// then shuffled: for i from 0 to N - 1, entry i is exchanged with entry random.Below(N).
// Empty for an empty area. Throws std::length_error when the area has 2^32 pixels or more.
std::vector<std::uint32_t> BuildDissolveOrder(int width, int height, RandomSource& random);

struct DissolvePlan {
  std::int64_t pixels = 0;     // N
  std::int64_t perStep = 0;    // P = N div rate
  std::int64_t steps = 0;      // N div P
  std::int64_t remainder = 0;  // copied after the last step
};

// nullopt when a step would copy no pixel (the rate exceeds the pixel count).
std::optional<DissolvePlan> MakeDissolvePlan(std::int64_t pixels, int rate);

// Copies the pixels at order[begin..end) from `to` into `from` (same size).
void CopyDissolvePixels(const PixelBuffer& to, PixelBuffer& from, std::span<const std::uint32_t> order,
                        std::size_t begin, std::size_t end);

}  // namespace wendlix
