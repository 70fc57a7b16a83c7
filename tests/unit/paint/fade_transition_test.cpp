#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/paint/lumo_fade.h"

namespace wendlix {
namespace {

constexpr Pixel kBlack = 0, kWhite = 0xFFFFFF, kClear = 0xFF000000;  // kClear: transparent in a test picture

// Drawn by nearest-pixel stretching, skipping transparent pixels.
class TestGraphic final : public FadeGraphic {
 public:
  TestGraphic(PictureKind kind, PixelBuffer pixels) : kind_(kind), pixels_(std::move(pixels)) {}
  PictureKind Kind() const override { return kind_; }
  int Width() const override { return pixels_.Width(); }
  int Height() const override { return pixels_.Height(); }
  void Draw(PixelBuffer& target, Rect d) const override {
    for (int y = d.top; y < d.bottom; ++y)
      for (int x = d.left; x < d.right; ++x) {
        const Pixel p = pixels_.At((x - d.left) * Width() / d.Width(), (y - d.top) * Height() / d.Height());
        if (p != kClear) target.FillRect(x, y, x + 1, y + 1, p);
      }
  }

 private:
  PictureKind kind_;
  PixelBuffer pixels_;
};

FadePicture Bitmap(int w, int h, Pixel fill) {
  return std::make_shared<TestGraphic>(PictureKind::kBitmap, PixelBuffer(w, h, fill));
}

using Log = std::vector<std::string>;

// Records events, repaints and waits in one log; runs of repaints are counted ("repaint x126").
struct Fixture : FadeHost {
  Log log;
  std::vector<PixelBuffer> frames;
  std::vector<std::int64_t> waits;
  std::function<void()> onWait, onMessages;
  TLumoFade fade{*this};

  Fixture() {
    fade.OnBegin = [this] { Note("begin"); };
    fade.OnEnd = [this] { Note("end"); };
    fade.OnReset = [this] { Note("reset"); };
    fade.SetRandomSource(std::make_unique<LcgRandom>(42));
  }
  void Note(const std::string& what) {
    int n = 0;
    if (what == "repaint" && !log.empty() && std::sscanf(log.back().c_str(), "repaint x%d", &n) == 1) {
      log.back() = "repaint x" + std::to_string(n + 1);
    } else {
      log.push_back(what == "repaint" ? "repaint x1" : what);
    }
  }
  void Repaint(const PixelBuffer& image) override {
    Note("repaint");
    frames.push_back(image);
  }
  void Wait(std::int64_t ms) override {
    Note("wait");
    waits.push_back(ms);
    if (onWait) onWait();
  }
  void ProcessMessages() override {
    if (onMessages) onMessages();
  }
};

TEST(LumoFade, ForwardTransitionsFromColourToColour) {
  Fixture f;
  f.fade.Dissolve();  // 75 x 75 at 125: 45 pixels in each of 125 steps, and the final repaint
  EXPECT_EQ(f.log, (Log{"reset", "begin", "repaint x126", "end"}));
  EXPECT_EQ(std::count(f.frames[0].Data(), f.frames[0].Data() + 75 * 75, kWhite), 45);
  EXPECT_EQ(f.fade.FromImage(), PixelBuffer(75, 75, kWhite));

  Fixture odd;  // 10 x 10 at 30: 3 pixels a step, then the last one
  odd.fade.SetBounds(0, 0, 10, 10);
  odd.fade.SetDisolvRate(30);
  odd.log.clear();
  odd.fade.Dissolve();
  EXPECT_EQ(odd.log, (Log{"reset", "begin", "repaint x34", "end"}));
  EXPECT_EQ(odd.fade.FromImage(), PixelBuffer(10, 10, kWhite));

  Fixture b;
  b.fade.SetBlendRate(80);
  b.fade.Blend();
  EXPECT_EQ(b.log, (Log{"reset", "begin", "repaint x81", "end"}));
  EXPECT_EQ(b.frames[0], PixelBuffer(75, 75, kBlack));    // level 0 is painted too
  EXPECT_EQ(b.frames[3], PixelBuffer(75, 75, 0x070707));  // level 1 first at step 3
  EXPECT_EQ(b.frames[80], PixelBuffer(75, 75, kWhite));
}

TEST(LumoFade, OnlyRealChangesRebuildTheImages) {
  Fixture f;
  const FadePicture pic = Bitmap(10, 10, 0x112233);
  f.fade.SetColorFrom(0);
  f.fade.SetColorTo(0xFFFFFF);
  f.fade.SetStretchToFit(true);
  f.fade.SetBounds(0, 0, 75, 75);
  EXPECT_TRUE(f.log.empty());
  f.fade.SetColorFrom(0x0000FF);
  f.fade.SetPicTo(pic);
  f.fade.SetPicTo(pic);
  f.fade.SetBounds(3, 4, 75, 75);  // moving counts
  f.fade.SetBounds(3, 4, 20, 30);
  f.fade.SetStretchToFit(false);  // the control takes the picture's size
  EXPECT_EQ(f.log, Log(5, "reset"));
  EXPECT_EQ(f.fade.Bounds(), (Rect{3, 4, 13, 14}));
  EXPECT_EQ(f.fade.FromImage(), PixelBuffer(10, 10, 0xFF0000));
  EXPECT_EQ(f.fade.ToImage(), PixelBuffer(10, 10, 0x112233));
  f.fade.SetDisolvRate(1000);
  EXPECT_EQ(f.fade.DisolvRate(), 100);

  // An icon shows the colour through its transparent parts, stretched with it; a
  // metafile is drawn over the colour.
  PixelBuffer icon(2, 2, kClear);
  icon.FillRect(0, 0, 1, 1, 0x00FF00);
  f.fade.SetStretchToFit(true);
  f.fade.SetBounds(0, 0, 4, 4);
  f.fade.SetPicTo(std::make_shared<TestGraphic>(PictureKind::kIcon, icon));
  f.fade.SetPicFrom(std::make_shared<TestGraphic>(PictureKind::kMetafile, icon));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(f.fade.ToImage().At(x, y), x < 2 && y < 2 ? 0x00FF00u : kWhite);
      EXPECT_EQ(f.fade.FromImage().At(x, y), x < 2 && y < 2 ? 0x00FF00u : 0xFF0000u);
    }
}

TEST(LumoFade, AutoReverseRunsBackAndRestoresEverything) {
  Fixture f;
  const FadePicture from = Bitmap(30, 20, 0x101010), to = Bitmap(30, 20, 0x808080);
  f.fade.SetPicFrom(from);
  f.fade.SetPicTo(to);
  f.fade.SetColorTo(0x00FF00);
  f.fade.SetStretchToFit(false);
  f.fade.AutoReverse = true;
  f.fade.SwapDelay = 3;
  const PixelBuffer start = f.fade.FromImage();
  f.log.clear();
  f.fade.Dissolve();
  // 600 pixels at 125: 150 steps of 4; the way back is a blend at 32 between the rebuild
  // with the roles exchanged and the one that restores them.
  EXPECT_EQ(f.log, (Log{"reset", "begin", "repaint x151", "wait", "reset", "repaint x33", "reset", "end"}));
  EXPECT_EQ(f.waits, (std::vector<std::int64_t>{3000}));
  EXPECT_EQ(f.frames[150], PixelBuffer(30, 20, 0x808080));
  EXPECT_EQ(f.frames.back(), start);
  EXPECT_EQ(f.fade.PicFrom(), from);
  EXPECT_EQ(f.fade.PicTo(), to);
  EXPECT_EQ(f.fade.ColorTo(), 0x00FF00u);
  EXPECT_FALSE(f.fade.StretchToFit());
  EXPECT_EQ(f.fade.FromImage(), start);

  // Colours alone run back from the final colour; without the swap, by the same effect.
  Fixture c;
  c.fade.AutoReverse = true;
  c.fade.SwapOnReverse = false;
  c.fade.SwapDelay = -2;
  c.fade.Blend();
  EXPECT_EQ(c.log, (Log{"reset", "begin", "repaint x33", "wait", "reset", "repaint x33", "reset", "end"}));
  EXPECT_EQ(c.waits, (std::vector<std::int64_t>{0}));
  EXPECT_EQ(c.frames[33], PixelBuffer(75, 75, kWhite));
  EXPECT_EQ(c.frames.back(), PixelBuffer(75, 75, kBlack));
}

TEST(LumoFade, ChangesDuringATransitionWaitForItsEnd) {
  Fixture f;
  const FadePicture newer = Bitmap(5, 5, 0x445566);
  f.fade.AutoReverse = true;
  f.fade.ProcessMsgs = true;
  f.onMessages = [&] {
    if (f.waits.empty() || f.fade.PicFrom() == newer) return;
    // In the way back: a new starting picture, a resize, a second start.
    f.fade.SetPicFrom(newer);
    f.fade.SetBounds(0, 0, 10, 10);
    f.fade.Dissolve();
    f.fade.Reset();
  };
  f.fade.Dissolve();
  EXPECT_EQ(f.log,
            (Log{"reset", "begin", "repaint x126", "wait", "reset", "repaint x33", "reset", "end", "reset"}));
  EXPECT_EQ(f.fade.PicFrom(), newer);  // not exchanged into PicTo by the way back
  EXPECT_EQ(f.fade.PicTo(), nullptr);
  EXPECT_EQ(f.fade.FromImage(), PixelBuffer(10, 10, 0x445566));

  // OnBegin may resize too: the running dissolve keeps its images.
  Fixture g;
  g.fade.OnBegin = [&] {
    g.fade.SetBounds(0, 0, 20, 20);
    g.fade.Blend();
  };
  g.fade.Dissolve();
  EXPECT_EQ(g.frames.size(), 126u);
  EXPECT_EQ(g.frames.back(), PixelBuffer(75, 75, kWhite));
  EXPECT_EQ(g.fade.FromImage(), PixelBuffer(20, 20, kBlack));
}

TEST(LumoFade, RatesThatNoLongerFitRaise) {
  Fixture f;
  f.fade.SetDisolvRate(5625);
  f.fade.SetBounds(0, 0, 50, 50);
  f.log.clear();
  try {
    f.fade.Dissolve();
    ADD_FAILURE() << "no ELumoFade";
  } catch (const ELumoFade& e) {
    EXPECT_STREQ(e.what(), "DisolvRate cannot be > Width * Height!");
  }
  EXPECT_EQ(f.log, Log{"reset"});

  // A zero-area control: the rate stays a divisor, the dissolve reports, the blend (and
  // a dissolve back without the rate check) paint nothing.
  Fixture z;
  z.fade.SetBounds(0, 0, 0, 0);
  z.fade.SetDisolvRate(125);
  EXPECT_EQ(z.fade.DisolvRate(), 1);
  EXPECT_THROW(z.fade.Dissolve(), ELumoFade);
  z.fade.AutoReverse = true;
  z.log.clear();
  z.fade.Blend();
  EXPECT_EQ(z.log, (Log{"reset", "begin", "repaint x33", "wait", "reset", "repaint x1", "reset", "end"}));
}

TEST(LumoFade, AFailingHostLeavesTheControlUsable) {
  struct Boom {};
  Fixture f;
  const FadePicture from = Bitmap(75, 75, 0x010203);
  f.fade.SetPicFrom(from);
  f.fade.AutoReverse = true;
  f.fade.SwapOnReverse = false;
  f.fade.ProcessMsgs = true;
  int calls = 0;
  f.onMessages = [&] {
    if (++calls == 40) throw Boom{};  // in the way back, after 33 forward steps
  };
  EXPECT_THROW(f.fade.Blend(), Boom);
  EXPECT_FALSE(f.fade.Busy());
  EXPECT_EQ(f.fade.PicFrom(), from);
  EXPECT_EQ(f.fade.FromImage(), PixelBuffer(75, 75, 0x010203));  // rebuilt from the real roles
  f.log.clear();
  f.onMessages = nullptr;
  f.fade.Blend();
  EXPECT_EQ(f.log.back(), "end");
}

}  // namespace
}  // namespace wendlix
