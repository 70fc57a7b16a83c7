// The fade control's model: a transition from one picture (or plain colour) to another,
// as a dissolve (pixels of the final image replace the starting one in random order) or a
// blend (a cross-fade in 33 levels), optionally run back. The platform side supplies the
// graphics and a host that repaints, waits and pumps messages; everything here is pixels.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "core/paint/color_resolve.h"
#include "core/paint/lumo_fade_geometry.h"
#include "core/paint/lumo_fade_pixels.h"
#include "core/paint/paint_types.h"

namespace wendlix {

class ELumoFade : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture's graphic (bitmap, metafile or icon), drawn by whoever made it.
class FadeGraphic {
 public:
  virtual ~FadeGraphic() = default;
  virtual PictureKind Kind() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the graphic scaled into `dest` of `target`; transparent parts are left as they are.
  virtual void Draw(PixelBuffer& target, Rect dest) const = 0;
};
using FadePicture = std::shared_ptr<const FadeGraphic>;  // empty: no picture

// What the control needs from the window system.
class FadeHost {
 public:
  virtual ~FadeHost() = default;
  virtual void Invalidate() {}
  // A black image of this size for the control to draw and change in place; the window
  // system's side gives memory the screen can be painted from in one copy.
  virtual PixelBuffer MakeImage(int width, int height) { return PixelBuffer(width, height); }
  virtual void Repaint(const PixelBuffer& image) = 0;  // paint now, not merely invalidate
  virtual void Wait(std::int64_t milliseconds) = 0;
  virtual void ProcessMessages() {}
};

// Running a transition is not re-entrant: while one runs (events and pumped messages
// included) a second start is ignored and changes to pictures, colours, stretching or
// bounds are held back and applied, with one rebuild of the images, when it ends. The
// owner must not destroy the control while Busy().
class TLumoFade {
 public:
  explicit TLumoFade(FadeHost& host, SysColorFunc sysColor = {});

  std::function<void()> OnBegin, OnEnd, OnReset;

  // Pictures, colours, stretching and bounds: a real change rebuilds the images.
  const FadePicture& PicFrom() const { return Requested().picFrom; }
  const FadePicture& PicTo() const { return Requested().picTo; }
  ColorRef ColorFrom() const { return Requested().colorFrom; }
  ColorRef ColorTo() const { return Requested().colorTo; }
  bool StretchToFit() const { return Requested().stretch; }
  Rect Bounds() const { return Requested().bounds; }
  int Width() const { return Bounds().Width(); }
  int Height() const { return Bounds().Height(); }
  void SetPicFrom(FadePicture pic);
  void SetPicTo(FadePicture pic);
  void SetColorFrom(ColorRef c);
  void SetColorTo(ColorRef c);
  void SetStretchToFit(bool stretch);
  void SetBounds(int left, int top, int width, int height);

  int DisolvRate() const { return disolvRate_; }
  void SetDisolvRate(int rate);  // 1..Width x Height at the current size (at least 1)
  int BlendRate() const { return blendRate_; }
  void SetBlendRate(int rate) { blendRate_ = ClampBlendRate(rate); }
  bool ProcessMsgs = false;
  bool AutoReverse = false;
  bool SwapOnReverse = true;
  int SwapDelay = 1;  // seconds before the way back

  void SetRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

  // Rebuilds the images from pictures, colours and size; held back while Busy().
  void Reset();
  // Forward transitions; throw ELumoFade when the rates do not fit the size.
  void Dissolve();
  void Blend();

  bool Busy() const { return busy_; }
  const PixelBuffer& FromImage() const { return fromImage_; }  // what the control shows
  const PixelBuffer& ToImage() const { return toImage_; }

 private:
  struct Scene {
    FadePicture picFrom, picTo;
    ColorRef colorFrom = 0, colorTo = 0xFFFFFF;
    bool stretch = true;
    Rect bounds{0, 0, 75, 75};
    friend bool operator==(const Scene&, const Scene&) = default;
  };
  enum class Effect { kDissolve, kBlend };

  const Scene& Requested() const { return pending_ ? *pending_ : scene_; }
  void Request(const Scene& next);
  void Run(Effect effect);
  void RunForward(Effect effect);
  void RunBackward(Effect effect);
  void RebuildImages(const Scene& roles);
  void RenderImage(PixelBuffer& image, const ImageRecipe& recipe, const FadePicture& pic,
                   ColorRef color) const;
  void DissolveSteps(const DissolvePlan& plan);
  void BlendSteps();
  void AfterStep();
  void ApplyHeldBack();
  static void Fire(const std::function<void()>& event) {
    if (event) event();
  }

  FadeHost& host_;
  SysColorFunc sysColor_;
  std::unique_ptr<RandomSource> random_;
  Scene scene_;
  std::optional<Scene> pending_;
  bool resetHeldBack_ = false;
  int disolvRate_ = 125, blendRate_ = 32;
  bool busy_ = false;
  PixelBuffer fromImage_, toImage_, sourceImage_;
};

}  // namespace wendlix
