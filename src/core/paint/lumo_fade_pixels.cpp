#include "core/paint/lumo_fade_pixels.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <utility>

namespace wendlix {

int ClampBlendRate(int rate) { return std::clamp(rate, 1, 255); }

int ClampDisolvRate(int rate, int width, int height) {
  const std::int64_t area = static_cast<std::int64_t>(std::max(width, 0)) * std::max(height, 0);
  const std::int64_t top = std::clamp<std::int64_t>(area, 1, INT32_MAX);
  return static_cast<int>(std::clamp<std::int64_t>(rate, 1, top));
}

int BlendLevel(int step, int blendRate) {
  if (blendRate < 1) return kBlendLevels;
  return static_cast<int>(static_cast<std::int64_t>(step) * kBlendLevels / blendRate);
}

void BlendPixels(const Pixel* source, const Pixel* to, Pixel* from, std::size_t count, int level) {
  level = std::clamp(level, 0, kBlendLevels);
  for (std::size_t i = 0; i < count; ++i) from[i] = BlendWord(source[i], to[i], level);
}

LcgRandom::LcgRandom()
    : state_(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

std::uint32_t LcgRandom::Below(std::uint32_t bound) {
  state_ = state_ * 1664525u + 1013904223u;
  // The high bits of the state are the random ones: scale rather than take a remainder.
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * bound) >> 32);
}

std::vector<std::uint32_t> BuildDissolveOrder(int width, int height, RandomSource& random) {
  if (width <= 0 || height <= 0) return {};
  const std::uint64_t n = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (n > UINT32_MAX) throw std::length_error("dissolve area too large");
  std::vector<std::uint32_t> order(n);
  for (std::uint32_t i = 0; i < n; ++i) order[i] = i;
  const auto count = static_cast<std::uint32_t>(n);
  for (std::uint32_t i = 0; i < count; ++i) {
    // A faulty source must not index outside the order.
    const std::uint32_t j = std::min(random.Below(count), count - 1);
    std::swap(order[i], order[j]);
  }
  return order;
}

std::optional<DissolvePlan> MakeDissolvePlan(std::int64_t pixels, int rate) {
  if (rate < 1 || pixels < 1) return std::nullopt;
  DissolvePlan plan;
  plan.pixels = pixels;
  plan.perStep = pixels / rate;
  if (plan.perStep < 1) return std::nullopt;
  plan.steps = pixels / plan.perStep;
  plan.remainder = pixels - plan.steps * plan.perStep;
  return plan;
}

void CopyDissolvePixels(const PixelBuffer& to, PixelBuffer& from, std::span<const std::uint32_t> order,
                        std::size_t begin, std::size_t end) {
  const std::size_t size = std::min(PixelCount(to), PixelCount(from));
  end = std::min(end, order.size());
  const Pixel* src = to.Data();
  Pixel* dst = from.Data();
  for (std::size_t i = begin; i < end; ++i) {
    const std::uint32_t p = order[i];
    if (p < size) dst[p] = src[p];
  }
}

}  // namespace wendlix
