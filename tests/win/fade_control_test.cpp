// The fade control on real GDI: pictures of each kind drawn into its DIB sections, and
// transitions whose last frame, read back from the window, is the final picture.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/win_test_support.h"
#include "win/common/base_window.h"
#include "win/common/unique_handle.h"
#include "win/paint/lumo_fade_control.h"

namespace wendlix {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
constexpr ColorRef kFromColor = RGB(10, 20, 30), kToColor = RGB(200, 210, 220);

// A parent window hosting one fade control, as the About window does.
class HostWindow final : public BaseWindow<HostWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixFadeTestHost";
  HostWindow() {
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    RegisterClassOnce(wc);
    CreateHandle(WS_EX_TOPMOST, L"fade", WS_POPUP | WS_VISIBLE, 40, 40, 200, 200, nullptr, wc.hInstance);
    control = std::make_unique<LumoFadeControl>(Handle());
    control->sleepOnWait = false;
    UpdateWindow(Handle());
  }
  // The window's pixels under the control, read back with BitBlt.
  PixelBuffer ReadBack() const {
    UpdateWindow(Handle());
    const RECT r = control->BoundsRect();
    const testing_support::Canvas shot(r.right - r.left, r.bottom - r.top);
    BitBlt(shot.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, WindowDc(Handle()).get(), r.left, r.top,
           SRCCOPY);
    PixelBuffer out = shot.Pixels();  // alpha cleared below
    for (int i = 0; i < out.Width() * out.Height(); ++i) out.Data()[i] &= 0xFFFFFF;
    return out;
  }
  std::unique_ptr<LumoFadeControl> control;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (control) control->Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    return Default(msg, wp, lp);
  }
};

unique_hbitmap SolidBitmap(int w, int h, COLORREF color) {
  const auto dib = MakeDibSection(w, h);
  std::fill(dib->bits, dib->bits + w * h, ColorRefToPixel(color));
  return unique_hbitmap(
      static_cast<HBITMAP>(CopyImage(dib->bitmap.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A 16 x 16 icon whose left half is transparent and right half blue.
unique_hicon HalfIcon() {
  const auto color = MakeDibSection(16, 16);
  for (int i = 0; i < 256; ++i) color->bits[i] = i % 16 < 8 ? 0 : ColorRefToPixel(kBlue);  // black: no XOR
  std::vector<BYTE> maskBits(16 * 2);
  for (int y = 0; y < 16; ++y) maskBits[y * 2] = 0xFF;  // 1: transparent, columns 0..7
  unique_hbitmap mask(CreateBitmap(16, 16, 1, 1, maskBits.data()));
  ICONINFO info{TRUE, 0, 0, mask.get(), color->bitmap.get()};
  return unique_hicon(CreateIconIndirect(&info));
}

struct EnhMetafileCloser {
  void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
// A metafile whose frame holds a green square in its middle and nothing else.
std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileCloser> SquareMetafile() {
  WindowDc screen(nullptr);
  const int pxW = GetDeviceCaps(screen.get(), HORZRES), mmW = GetDeviceCaps(screen.get(), HORZSIZE);
  const int pxH = GetDeviceCaps(screen.get(), VERTRES), mmH = GetDeviceCaps(screen.get(), VERTSIZE);
  const RECT frame{0, 0, MulDiv(30, mmW * 100, pxW), MulDiv(30, mmH * 100, pxH)};  // 30 x 30 pixels
  HDC dc = CreateEnhMetaFileW(screen.get(), nullptr, &frame, nullptr);
  unique_hbrush brush(CreateSolidBrush(kGreen));
  const RECT square{10, 10, 20, 20};
  FillRect(dc, &square, brush.get());
  return {CloseEnhMetaFile(dc), {}};
}

Pixel At(const PixelBuffer& b, int x, int y) { return b.At(x, y) & 0xFFFFFF; }

TEST(FadeControl, ResetDrawsEachKindOfPictureStretchedAndNot) {
  HostWindow host;
  TLumoFade& fade = host.control->Fade();
  fade.SetColorFrom(kFromColor);
  fade.SetColorTo(kToColor);
  const unique_hbitmap red = SolidBitmap(10, 5, kRed);
  const unique_hicon icon = HalfIcon();
  const auto metafile = SquareMetafile();

  // Which size each image takes and how each kind is placed is the core's (fade_geometry_test);
  // here each kind is drawn by GDI. Stretched (the default): the 75 x 75 control is covered.
  fade.SetPicFrom(FadePictureFromBitmap(red.get()));
  fade.SetPicTo(FadePictureFromIcon(icon.get()));
  EXPECT_EQ(At(fade.FromImage(), 74, 74), ColorRefToPixel(kRed));
  // Icon rule: the transparent half shows ColorTo, stretched with the rest.
  EXPECT_EQ(At(fade.ToImage(), 5, 40), ColorRefToPixel(kToColor));
  EXPECT_EQ(At(fade.ToImage(), 70, 40), ColorRefToPixel(kBlue));
  fade.SetPicFrom(FadePictureFromEnhMetafile(metafile.get()));
  EXPECT_EQ(At(fade.FromImage(), 2, 2), ColorRefToPixel(kFromColor));  // outside the square: the colour
  EXPECT_EQ(At(fade.FromImage(), 37, 37), ColorRefToPixel(kGreen));    // the square, scaled 2.5 times

  // Not stretched: the metafile drawn unscaled, the icon stretched to its 30 x 30.
  fade.SetStretchToFit(false);
  EXPECT_EQ(At(fade.FromImage(), 15, 15), ColorRefToPixel(kGreen));
  EXPECT_EQ(At(fade.FromImage(), 2, 2), ColorRefToPixel(kFromColor));
  EXPECT_EQ(At(fade.ToImage(), 2, 15), ColorRefToPixel(kToColor));
  EXPECT_EQ(At(fade.ToImage(), 28, 15), ColorRefToPixel(kBlue));
}

TEST(FadeControl, TransitionsEndWithTheFinalPictureOnScreen) {
  HostWindow host;
  TLumoFade& fade = host.control->Fade();
  const unique_hbitmap red = SolidBitmap(75, 75, kRed);
  const unique_hicon icon = HalfIcon();
  fade.SetPicFrom(FadePictureFromBitmap(red.get()));
  fade.SetPicTo(FadePictureFromIcon(icon.get()));
  fade.SetColorTo(kToColor);
  const PixelBuffer to = fade.ToImage();

  EXPECT_EQ(At(host.ReadBack(), 40, 40), ColorRefToPixel(kRed)) << "before: the starting picture";
  fade.Dissolve();
  EXPECT_EQ(host.ReadBack(), to);
  fade.SetBlendRate(80);
  fade.Blend();  // the dissolve's end is not kept: Blend starts again from PicFrom
  EXPECT_EQ(host.ReadBack(), to);
  // With the way back, the start returns to the screen.
  fade.AutoReverse = true;
  fade.Dissolve();
  EXPECT_EQ(At(host.ReadBack(), 40, 40), ColorRefToPixel(kRed));
}

// Rates that no longer fit and changes during a transition are the core's (fade_transition_test);
// an empty control's window still paints.
TEST(FadeControl, AnEmptyControlPaintsNothingAndSurvives) {
  HostWindow host;
  TLumoFade& fade = host.control->Fade();
  fade.SetBounds(0, 0, 0, 0);
  EXPECT_THROW(fade.Dissolve(), ELumoFade);
  EXPECT_NO_THROW(fade.Blend());
  host.control->Paint(nullptr);
  UpdateWindow(host.Handle());
}

}  // namespace
}  // namespace wendlix
