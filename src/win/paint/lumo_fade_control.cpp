#include "win/paint/lumo_fade_control.h"

#include <algorithm>

#include "core/paint/pixel_copy.h"
#include "win/paint/system_colors.h"

namespace wendlix {
namespace {

// Draws one GDI object onto a scratch DIB that holds the target's pixels under `dest`, so
// that what the object leaves transparent keeps them, then copies the result back.
class GdiGraphic : public FadeGraphic {
 public:
  GdiGraphic(PictureKind kind, int width, int height) : kind_(kind), width_(width), height_(height) {}
  PictureKind Kind() const override { return kind_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(PixelBuffer& target, Rect dest) const override {
    const int w = dest.Width(), h = dest.Height();
    if (w <= 0 || h <= 0) return;
    const auto dib = MakeDibSection(w, h);
    unique_memory_dc dc(CreateCompatibleDC(nullptr));
    if (!dib || !dc) return;
    PixelBuffer scratch = PixelBufferOver(dib);
    CopyPixels(scratch, 0, 0, target, dest.left, dest.top, w, h);
    {
      SelectObjectScope select(dc.get(), dib->bitmap.get());
      DrawOn(dc.get(), w, h);
      GdiFlush();
    }
    // GDI may set the fourth byte (icons with alpha); the core's pixels keep it zero.
    for (std::size_t i = 0, n = static_cast<std::size_t>(w) * h; i < n; ++i) scratch.Data()[i] &= 0xFFFFFFu;
    CopyPixels(target, dest.left, dest.top, scratch, 0, 0, w, h);
  }

 protected:
  virtual void DrawOn(HDC dc, int w, int h) const = 0;

 private:
  PictureKind kind_;
  int width_, height_;
};

class BitmapGraphic final : public GdiGraphic {
 public:
  BitmapGraphic(unique_hbitmap bitmap, int w, int h)
      : GdiGraphic(PictureKind::kBitmap, w, h), bitmap_(std::move(bitmap)) {}

 protected:
  void DrawOn(HDC dc, int w, int h) const override {
    unique_memory_dc source(CreateCompatibleDC(nullptr));
    if (!source) return;
    SelectObjectScope select(source.get(), bitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, w, h, source.get(), 0, 0, Width(), Height(), SRCCOPY);
  }

 private:
  unique_hbitmap bitmap_;
};

struct EnhMetafileTraits {
  using pointer = HENHMETAFILE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DeleteEnhMetaFile(h); }
};

class MetafileGraphic final : public GdiGraphic {
 public:
  MetafileGraphic(HENHMETAFILE metafile, int w, int h)
      : GdiGraphic(PictureKind::kMetafile, w, h), metafile_(metafile) {}

 protected:
  void DrawOn(HDC dc, int w, int h) const override {
    const RECT frame{0, 0, w, h};
    PlayEnhMetaFile(dc, metafile_.get(), &frame);
  }

 private:
  unique_handle<EnhMetafileTraits> metafile_;
};

class IconGraphic final : public GdiGraphic {
 public:
  IconGraphic(unique_hicon icon, int w, int h)
      : GdiGraphic(PictureKind::kIcon, w, h), icon_(std::move(icon)) {}

 protected:
  void DrawOn(HDC dc, int w, int h) const override {
    DrawIconEx(dc, 0, 0, icon_.get(), w, h, 0, nullptr, DI_NORMAL);
  }

 private:
  unique_hicon icon_;
};

}  // namespace

FadePicture FadePictureFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0)
    return {};
  const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  unique_hbitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!copy) return {};
  return std::make_shared<BitmapGraphic>(std::move(copy), w, h);
}

FadePicture FadePictureFromEnhMetafile(HENHMETAFILE metafile) {
  ENHMETAHEADER header{};
  if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof(header), &header)) return {};
  HENHMETAFILE copy = CopyEnhMetaFileW(metafile, nullptr);
  if (!copy) return {};
  // The picture frame (0.01 mm) in pixels of the device the metafile was made for.
  const auto pixels = [](LONG frame, LONG device, LONG mm) {
    return mm > 0 ? MulDiv(frame, device, mm * 100) : 0;
  };
  const int w =
      pixels(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx, header.szlMillimeters.cx);
  const int h =
      pixels(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy, header.szlMillimeters.cy);
  return std::make_shared<MetafileGraphic>(copy, std::max(w, 0), std::max(h, 0));
}

FadePicture FadePictureFromIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  unique_hbitmap mask(info.hbmMask), color(info.hbmColor);
  BITMAP bm{};
  if (!GetObjectW(info.hbmMask, sizeof(bm), &bm)) return {};
  const int w = bm.bmWidth, h = color ? bm.bmHeight : bm.bmHeight / 2;  // a mono icon stacks two masks
  unique_hicon copy(CopyIcon(icon));
  if (!copy) return {};
  return std::make_shared<IconGraphic>(std::move(copy), w, h);
}

LumoFadeControl::LumoFadeControl(HWND parent)
    : parent_(parent), memoryDc_(CreateCompatibleDC(nullptr)), fade_(*this, SystemColor) {}

LumoFadeControl::~LumoFadeControl() = default;

void LumoFadeControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  const RECT r = BoundsRect();
  if (parent_) InvalidateRect(parent_, &r, FALSE);
}

RECT LumoFadeControl::BoundsRect() const {
  const Rect b = fade_.Bounds();
  return {b.left, b.top, b.right, b.bottom};
}

void LumoFadeControl::Paint(HDC dc) const {
  if (visible_) Blit(dc, fade_.FromImage());
}

void LumoFadeControl::Blit(HDC dc, const PixelBuffer& image) const {
  const Rect b = fade_.Bounds();
  const int w = std::min(b.Width(), image.Width()), h = std::min(b.Height(), image.Height());
  if (!dc || w <= 0 || h <= 0) return;
  for (const auto& weak : dibs_) {
    const auto dib = weak.lock();
    if (dib && dib->bits == image.Data()) {
      SelectObjectScope select(memoryDc_.get(), dib->bitmap.get());
      BitBlt(dc, b.left, b.top, w, h, memoryDc_.get(), 0, 0, SRCCOPY);
      return;
    }
  }
  // An image in the buffer's own memory (no DIB could be made): one copy all the same.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), image.Width(), -image.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, b.left, b.top, w, h, 0, 0, 0, image.Height(), image.Data(), &info, DIB_RGB_COLORS);
}

void LumoFadeControl::Invalidate() {
  const RECT r = BoundsRect();
  if (parent_ && visible_) InvalidateRect(parent_, &r, FALSE);
}

PixelBuffer LumoFadeControl::MakeImage(int width, int height) {
  std::erase_if(dibs_, [](const std::weak_ptr<DibSection>& d) { return d.expired(); });
  auto dib = MakeDibSection(width, height);
  if (!dib) return PixelBuffer(width, height);
  dibs_.push_back(dib);
  return PixelBufferOver(dib);
}

void LumoFadeControl::Repaint(const PixelBuffer& image) {
  ++repaints_;
  if (!visible_ || !parent_) return;
  WindowDc dc(parent_);
  Blit(dc.get(), image);
}

void LumoFadeControl::Wait(std::int64_t milliseconds) {
  waits.push_back(milliseconds);
  if (sleepOnWait && milliseconds > 0)
    Sleep(static_cast<DWORD>(std::min<std::int64_t>(milliseconds, 60'000)));
}

void LumoFadeControl::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns it
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace wendlix
