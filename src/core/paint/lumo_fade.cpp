#include "core/paint/lumo_fade.h"

#include <algorithm>
#include <utility>

#include "core/paint/pixel_copy.h"

namespace wendlix {
namespace {

PictureInfo InfoOf(const FadePicture& pic) {
  if (!pic) return {};
  return {pic->Kind(), pic->Width(), pic->Height()};
}

// The way back runs without the rate check: when the rate no longer fits the size, one
// pixel per step rather than a division by zero.
DissolvePlan BackwardPlan(std::int64_t pixels, int rate) {
  if (auto plan = MakeDissolvePlan(pixels, rate)) return *plan;
  if (pixels < 1) return {};
  return {pixels, 1, pixels, 0};
}

}  // namespace

TLumoFade::TLumoFade(FadeHost& host, SysColorFunc sysColor)
    : host_(host), sysColor_(std::move(sysColor)), random_(std::make_unique<LcgRandom>()) {
  RebuildImages(scene_);
}

void TLumoFade::SetPicFrom(FadePicture pic) {
  Scene next = Requested();
  next.picFrom = std::move(pic);
  Request(next);
}

void TLumoFade::SetPicTo(FadePicture pic) {
  Scene next = Requested();
  next.picTo = std::move(pic);
  Request(next);
}

void TLumoFade::SetColorFrom(ColorRef c) {
  Scene next = Requested();
  next.colorFrom = c;
  Request(next);
}

void TLumoFade::SetColorTo(ColorRef c) {
  Scene next = Requested();
  next.colorTo = c;
  Request(next);
}

void TLumoFade::SetStretchToFit(bool stretch) {
  Scene next = Requested();
  next.stretch = stretch;
  Request(next);
}

void TLumoFade::SetBounds(int left, int top, int width, int height) {
  Scene next = Requested();
  next.bounds = {left, top, left + std::max(width, 0), top + std::max(height, 0)};
  Request(next);
}

void TLumoFade::SetDisolvRate(int rate) { disolvRate_ = ClampDisolvRate(rate, Width(), Height()); }

void TLumoFade::Request(const Scene& next) {
  if (busy_) {
    pending_ = next;
    return;
  }
  if (next == scene_) return;  // only real changes rebuild
  scene_ = next;
  RebuildImages(scene_);
}

void TLumoFade::Reset() {
  if (busy_) {
    resetHeldBack_ = true;
    return;
  }
  RebuildImages(scene_);
}

void TLumoFade::RebuildImages(const Scene& roles) {
  const ResetLayout layout = PlanReset(scene_.bounds.Width(), scene_.bounds.Height(), roles.stretch,
                                       InfoOf(roles.picFrom), InfoOf(roles.picTo));
  if (!roles.stretch) {
    // Unstretched pictures size the control.
    scene_.bounds.right = scene_.bounds.left + layout.controlWidth;
    scene_.bounds.bottom = scene_.bounds.top + layout.controlHeight;
  }
  fromImage_ = host_.MakeImage(layout.from.width, layout.from.height);
  toImage_ = host_.MakeImage(layout.to.width, layout.to.height);
  RenderImage(fromImage_, layout.from, roles.picFrom, roles.colorFrom);
  RenderImage(toImage_, layout.to, roles.picTo, roles.colorTo);
  sourceImage_ = PixelBuffer(fromImage_.Width(), fromImage_.Height());
  host_.Invalidate();
  Fire(OnReset);
}

void TLumoFade::RenderImage(PixelBuffer& image, const ImageRecipe& recipe, const FadePicture& pic,
                            ColorRef color) const {
  const Pixel fill = ResolvePixel(color, sysColor_);
  const Rect whole{0, 0, image.Width(), image.Height()};
  if (recipe.fillFirst || recipe.draw == PictureDraw::kNone || !pic) FillPixels(image, whole, fill);
  if (!pic) return;
  switch (recipe.draw) {
    case PictureDraw::kNone: break;
    case PictureDraw::kStretched: pic->Draw(image, whole); break;
    case PictureDraw::kAtOrigin: pic->Draw(image, {0, 0, pic->Width(), pic->Height()}); break;
    case PictureDraw::kIconRule: {
      PixelBuffer patch(pic->Width(), pic->Height(), fill);
      pic->Draw(patch, {0, 0, patch.Width(), patch.Height()});
      StretchPixels(image, whole, patch);
      break;
    }
  }
}

void TLumoFade::Dissolve() { Run(Effect::kDissolve); }
void TLumoFade::Blend() { Run(Effect::kBlend); }

void TLumoFade::Run(Effect effect) {
  if (busy_) return;  // a start from inside a running transition
  busy_ = true;
  try {
    RunForward(effect);
  } catch (...) {
    busy_ = false;
    ApplyHeldBack();
    throw;
  }
  busy_ = false;
  ApplyHeldBack();
}

void TLumoFade::RunForward(Effect effect) {
  RebuildImages(scene_);
  if (effect == Effect::kDissolve) {
    const auto plan = MakeDissolvePlan(static_cast<std::int64_t>(PixelCount(fromImage_)), disolvRate_);
    if (!plan) throw ELumoFade("DisolvRate cannot be > Width * Height!");
    Fire(OnBegin);
    DissolveSteps(*plan);
  } else {
    if (blendRate_ < 1) throw ELumoFade("BlendRate must be between 0 and 256");
    Fire(OnBegin);
    BlendSteps();
  }
  if (AutoReverse) {
    host_.Wait(std::max(SwapDelay, 0) * std::int64_t{1000});
    const bool other = SwapOnReverse;
    RunBackward(effect == Effect::kDissolve ? (other ? Effect::kBlend : Effect::kDissolve)
                                            : (other ? Effect::kDissolve : Effect::kBlend));
  }
  Fire(OnEnd);
}

void TLumoFade::RunBackward(Effect effect) {
  // The way back: pictures and colours exchanged, always stretched; the properties
  // themselves stay as they are.
  Scene back = scene_;
  back.stretch = true;
  std::swap(back.picFrom, back.picTo);
  std::swap(back.colorFrom, back.colorTo);
  resetHeldBack_ = true;  // whatever happens, the images are rebuilt from the real roles
  RebuildImages(back);
  if (effect == Effect::kDissolve) {
    DissolveSteps(BackwardPlan(static_cast<std::int64_t>(PixelCount(fromImage_)), disolvRate_));
  } else {
    BlendSteps();
  }
  resetHeldBack_ = false;
  RebuildImages(scene_);
}

void TLumoFade::DissolveSteps(const DissolvePlan& plan) {
  const std::vector<std::uint32_t> order =
      BuildDissolveOrder(fromImage_.Width(), fromImage_.Height(), *random_);
  const auto per = static_cast<std::size_t>(plan.perStep);
  for (std::int64_t s = 0; s < plan.steps; ++s) {
    const std::size_t first = static_cast<std::size_t>(s) * per;
    CopyDissolvePixels(toImage_, fromImage_, order, first, first + per);
    AfterStep();
  }
  CopyDissolvePixels(toImage_, fromImage_, order, static_cast<std::size_t>(plan.steps) * per, order.size());
  host_.Repaint(fromImage_);
}

void TLumoFade::BlendSteps() {
  const int rate = blendRate_;
  sourceImage_ = fromImage_;
  const std::size_t count = std::min(PixelCount(fromImage_), PixelCount(toImage_));
  for (int i = 0; i <= rate; ++i) {
    const int level = BlendLevel(i, rate);
    if (level != 0) BlendPixels(sourceImage_.Data(), toImage_.Data(), fromImage_.Data(), count, level);
    AfterStep();
  }
}

void TLumoFade::AfterStep() {
  host_.Repaint(fromImage_);
  if (ProcessMsgs) host_.ProcessMessages();
}

void TLumoFade::ApplyHeldBack() {
  bool rebuild = std::exchange(resetHeldBack_, false);
  if (pending_) {
    const Scene next = *std::exchange(pending_, std::nullopt);
    if (!(next == scene_)) {
      scene_ = next;
      rebuild = true;
    }
  }
  if (rebuild) RebuildImages(scene_);
}

}  // namespace wendlix
