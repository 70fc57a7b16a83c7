#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/paint/lumo_fade_pixels.h"

namespace wendlix {
namespace {

class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<std::uint32_t> values) : values_(std::move(values)) {}
  std::uint32_t Below(std::uint32_t) override { return values_[next_++ % values_.size()]; }

 private:
  std::vector<std::uint32_t> values_;
  std::size_t next_ = 0;
};

bool IsPermutation(std::vector<std::uint32_t> order, std::size_t n) {
  std::vector<std::uint32_t> all(n);
  std::iota(all.begin(), all.end(), 0u);
  std::sort(order.begin(), order.end());
  return order == all;
}

TEST(DissolveOrder, ShufflesEveryPositionOnce) {
  for (auto [w, h] : {std::pair{1, 1}, {1, 7}, {75, 75}, {399, 250}, {0, 10}, {10, -1}}) {
    LcgRandom random(12345);
    EXPECT_TRUE(IsPermutation(BuildDissolveOrder(w, h, random), std::max(w, 0) * std::max(h, 0)))
        << w << "x" << h;
  }
  // Entry i is exchanged with the source's j, for i = 0..N-1: a fixed source, a fixed order.
  ScriptedRandom script({11, 0, 5, 5, 2, 9, 3, 0, 7, 1, 10, 4});
  EXPECT_EQ(BuildDissolveOrder(4, 3, script),
            (std::vector<std::uint32_t>{7, 3, 4, 6, 0, 9, 2, 8, 1, 11, 10, 5}));
  LcgRandom a(99), b(99), c(98);
  EXPECT_EQ(BuildDissolveOrder(40, 30, a), BuildDissolveOrder(40, 30, b));
  EXPECT_NE(BuildDissolveOrder(40, 30, a), BuildDissolveOrder(40, 30, c));
  ScriptedRandom wild({1000, 0xFFFFFFFF, 3});  // answers out of range stay inside the order
  EXPECT_TRUE(IsPermutation(BuildDissolveOrder(5, 2, wild), 10));
}

TEST(DissolvePlan, StepsAndRemainder) {
  struct Case {
    std::int64_t pixels;
    int rate;
    std::int64_t perStep, steps, remainder;
  } cases[] = {
      {75 * 75, 125, 45, 125, 0},
      {399 * 250, 80, 1246, 80, 70},
      {1, 1, 1, 1, 0},
      {100, 30, 3, 33, 1},
      {10'000'000'000, 3, 3'333'333'333, 3, 1},
  };
  for (const Case& c : cases) {
    const auto plan = MakeDissolvePlan(c.pixels, c.rate);
    ASSERT_TRUE(plan) << c.pixels;
    EXPECT_EQ(plan->perStep, c.perStep);
    EXPECT_EQ(plan->steps, c.steps);
    EXPECT_EQ(plan->remainder, c.remainder);
  }
  EXPECT_FALSE(MakeDissolvePlan(50 * 50, 5625));  // rate set at 75 x 75, control shrunk since
  EXPECT_FALSE(MakeDissolvePlan(0, 1));
  EXPECT_FALSE(MakeDissolvePlan(10, 0));

  // After step k exactly k x P pixels come from the final image; at the end all of them.
  PixelBuffer to(399, 250), from(399, 250, 0xFF000000);  // the top byte marks original pixels
  for (std::size_t i = 0; i < PixelCount(to); ++i)
    to.Data()[i] = static_cast<Pixel>(i * 2654435761u) & 0xFFFFFF;
  LcgRandom random(7);
  const auto order = BuildDissolveOrder(399, 250, random);
  for (std::size_t s = 0; s < 80; ++s) {
    CopyDissolvePixels(to, from, order, s * 1246, (s + 1) * 1246);
    ASSERT_EQ(
        std::count_if(from.Data(), from.Data() + PixelCount(from), [](Pixel p) { return p <= 0xFFFFFF; }),
        static_cast<std::ptrdiff_t>((s + 1) * 1246));
  }
  CopyDissolvePixels(to, from, order, 80 * 1246, order.size() + 10);
  EXPECT_EQ(from, to);
  PixelBuffer small(2, 2, 5);  // an order that does not fit the images copies nothing wrong
  CopyDissolvePixels(to, small, order, 0, order.size());
}

TEST(Rates, ClampedIntoRange) {
  EXPECT_EQ(ClampBlendRate(0), 1);
  EXPECT_EQ(ClampBlendRate(300), 255);
  EXPECT_EQ(ClampDisolvRate(125, 75, 75), 125);
  EXPECT_EQ(ClampDisolvRate(9999, 75, 75), 5625);
  EXPECT_EQ(ClampDisolvRate(0, 75, 75), 1);
  EXPECT_EQ(ClampDisolvRate(125, 0, 75), 1);  // an empty area still leaves a divisor
  EXPECT_EQ(ClampDisolvRate(2'000'000'000, 100000, 100000), 2'000'000'000);

  std::vector<int> levels, each(33);
  std::iota(each.begin(), each.end(), 0);
  for (int i = 0; i <= 32; ++i) levels.push_back(BlendLevel(i, 32));
  EXPECT_EQ(levels, each);  // 32: every level once
  levels.clear();
  for (int i = 0; i <= 80; ++i) levels.push_back(BlendLevel(i, 80));
  EXPECT_EQ(std::find(levels.begin(), levels.end(), 1) - levels.begin(), 3);  // 80: level 1 first at 3
  EXPECT_EQ(levels.back(), 32);
  EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
}

TEST(Blend, WordParallelEqualsPerByteForEveryInput) {
  // Every source byte, target byte and level in every lane, beside equal and differing
  // neighbours, where a carry between lanes or a high-lane overflow would show.
  int mismatches = 0;
  for (std::uint32_t s = 0; s < 256; ++s)
    for (std::uint32_t t = 0; t < 256; ++t)
      for (int l = 0; l <= 32; ++l) {
        const std::uint32_t want = (s * (32 - l) + t * l) / 32;
        if (BlendWord(s * 0x01010101u, t * 0x01010101u, l) != want * 0x01010101u) ++mismatches;
        const std::uint32_t mixS = s | (255 - s) << 8 | t << 16 | (s ^ 0x5A) << 24;
        const std::uint32_t mixT = t | (255 - t) << 8 | s << 16 | (t ^ 0xA5) << 24;
        const std::uint32_t mixed = BlendWord(mixS, mixT, l);
        for (int shift = 0; shift < 32; shift += 8) {
          const std::uint32_t a = (mixS >> shift) & 0xFF, b = (mixT >> shift) & 0xFF;
          if (((mixed >> shift) & 0xFF) != (a * (32 - l) + b * l) / 32) ++mismatches;
        }
      }
  EXPECT_EQ(mismatches, 0);

  const std::vector<Pixel> black(64, 0), white(64, 0xFFFFFF);
  std::vector<Pixel> out(64);
  BlendPixels(black.data(), white.data(), out.data(), 64, 16);
  EXPECT_EQ(out, std::vector<Pixel>(64, 0x7F7F7F));
  BlendPixels(white.data(), black.data(), out.data(), 64, 7);
  EXPECT_EQ(out, std::vector<Pixel>(64, 0xC7C7C7));  // 255 * 25 / 32
}

}  // namespace
}  // namespace wendlix
