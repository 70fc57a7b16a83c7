// Pixel buffers over memory the platform made (a DIB section's bits): changed in place,
// copied out into memory of their own, and assignment keeping the memory the screen uses.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/paint/lumo_fade.h"
#include "core/paint/pixel_buffer.h"

namespace wendlix {
namespace {

TEST(PixelBufferExternal, WritesLandInTheGivenMemoryAndCopiesOwnTheirs) {
  auto memory = std::make_shared<std::vector<std::uint32_t>>(6, 7u);
  PixelBuffer view(3, 2, memory->data(), memory);
  view.FillRect(1, 0, 3, 1, 0xABCDEF);
  EXPECT_EQ((*memory)[1], 0xABCDEFu);
  EXPECT_EQ((*memory)[3], 7u);

  PixelBuffer copy = view;  // a copy is its own
  copy.FillRect(0, 0, 3, 2, 1);
  EXPECT_EQ((*memory)[0], 7u);
  EXPECT_NE(copy.Data(), view.Data());

  // Same size: assignment writes into the view's memory; another size makes a new buffer.
  view = copy;
  EXPECT_EQ((*memory)[5], 1u);
  EXPECT_EQ(view.Data(), memory->data());
  view = PixelBuffer(1, 1, 9u);
  EXPECT_EQ(view.At(0, 0), 9u);
  EXPECT_EQ((*memory)[0], 1u);

  // Moving hands the memory over and leaves an empty buffer.
  PixelBuffer second(3, 2, memory->data(), memory);
  PixelBuffer moved = std::move(second);
  EXPECT_EQ(moved.Data(), memory->data());
  EXPECT_EQ(second.Width(), 0);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(second.Data(), nullptr);
  // No memory or no area: an empty buffer.
  EXPECT_EQ(PixelBuffer(3, 2, nullptr, nullptr).Width(), 0);
  EXPECT_EQ(PixelBuffer(0, 2, memory->data(), memory).Height(), 0);
}

// A host that hands out memory of its own, as the window system's side hands out DIBs.
struct ExternalHost : FadeHost {
  std::vector<std::shared_ptr<std::vector<std::uint32_t>>> made;
  int repaints = 0;
  PixelBuffer MakeImage(int w, int h) override {
    made.push_back(std::make_shared<std::vector<std::uint32_t>>(static_cast<std::size_t>(w) * h));
    return PixelBuffer(w, h, made.back()->data(), made.back());
  }
  void Repaint(const PixelBuffer&) override { ++repaints; }
  void Wait(std::int64_t) override {}
};

TEST(PixelBufferExternal, TheFadeChangesTheHostsImagesInPlace) {
  ExternalHost host;
  TLumoFade fade(host);
  fade.SetColorFrom(0x000000);
  fade.SetColorTo(0x0000FF);  // red
  const std::uint32_t* shown = fade.FromImage().Data();
  EXPECT_EQ(shown, host.made[host.made.size() - 2]->data());
  fade.SetBlendRate(80);
  fade.Blend();
  // The blend runs on the image the host made: its memory holds the final picture.
  EXPECT_EQ(host.repaints, 81);
  EXPECT_EQ(fade.FromImage(), fade.ToImage());
  EXPECT_EQ(fade.FromImage().At(10, 10), 0xFF0000u);
  bool inHostMemory = false;
  for (const auto& m : host.made) inHostMemory |= m->data() == fade.FromImage().Data();
  EXPECT_TRUE(inHostMemory);
}

}  // namespace
}  // namespace wendlix
