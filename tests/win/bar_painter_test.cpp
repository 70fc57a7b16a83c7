// The bar painted into a real device context: colours where the layout puts them (when a
// background is painted again is the core's), the title in the system's icon-title font.
#include <gtest/gtest.h>

#include "core/bar/bar_view.h"
#include "support/look_support.h"
#include "support/win_test_support.h"
#include "win/bar/bar_painter.h"
#include "win/common/wide.h"
#include "win/paint/system_colors.h"
#include "win/ui/window_dpi.h"

namespace wendlix {
namespace {

class PaintedBar : public ::testing::Test {
 protected:
  PaintedBar() {
    for (int g = 0; g < 2; ++g) {
      GroupPanel p;
      p.Tag = g;
      p.Data.Title = g == 0 ? "Plain" : "Gradient";
      p.Data.Color = 0x00336699;
      p.Data.DrawStyle = static_cast<std::uint8_t>(g);
      p.Data.FromColor = 0x00FFFFFF;
      p.Data.ToColor = 0x00000000;
      p.Height = 150;
      AddGroupButton(p, "One", false, "C:\\windows\\notepad.exe");
      AddCollapseButton(p);
      groups_.push_back(p);
    }
  }

  // Lays the bar out at `size` and paints it; returns the pixels (0x00RRGGBB).
  PixelBuffer Paint(Size size) {
    view_ = ArrangeBar(groups_, abeRight, size, true, {}, {}, SystemColor);
    for (int g = 0; g < 2; ++g) backgrounds_.Update(g, view_.Appearances[g].Background);
    const testing_support::Canvas canvas(size.cx, size.cy);
    painter_.Paint(canvas.Dc(), view_, groups_, {});
    return canvas.Pixels();
  }

  std::vector<GroupPanel> groups_;
  BarView view_;
  BarResources resources_{GetModuleHandleW(nullptr)};
  GroupBackgrounds backgrounds_;
  BarPainter painter_{resources_, backgrounds_};
};

TEST_F(PaintedBar, ColoursGoWhereTheLayoutPutsThem) {
  const PixelBuffer px = Paint(Size{100, 400});
  // The plain group's colour below its only button.
  const Rect plain = view_.GroupPanelRect(0);
  EXPECT_EQ(px.At(plain.left + 50, plain.bottom - 20), 0x996633u);
  // The gradient runs from white at the top to black at the bottom of the band bar.
  const Rect gradient = view_.GroupPanelRect(1);
  const std::uint32_t upper = px.At(gradient.left + 50, gradient.top + 40) & 0xFF;
  const std::uint32_t lower = px.At(gradient.left + 50, gradient.bottom - 20) & 0xFF;
  EXPECT_GT(upper, lower);
  // The title strip shows its gradient, not the window's face colour.
  EXPECT_NE(px.At(view_.PanelLogo.left + 3, view_.PanelLogo.top + 5) & 0xFFFFFF,
            ColorRefToPixel(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(PaintedBar, APartPaintedAgainMatchesTheWholePaint) {
  const PixelBuffer whole = Paint(Size{100, 400});
  // A hover repaints one button; a part may also hold a band's header alone.
  const Rect panel = view_.GroupPanelRect(0), at = groups_[0].Children[0].Bounds,
             header = view_.Bands[1].Header;
  for (const Rect part :
       {Rect{panel.left + at.left, panel.top + at.top, panel.left + at.right, panel.top + at.bottom},
        Rect{0, header.top, 60, header.bottom}}) {
    testing_support::Canvas canvas(100, 400);
    canvas.Fill(RGB(255, 0, 255));
    IntersectClipRect(canvas.Dc(), part.left, part.top, part.right, part.bottom);
    painter_.Paint(canvas.Dc(), view_, groups_, {});
    const PixelBuffer px = canvas.Pixels();
    int differ = 0;
    for (int y = part.top; y < part.bottom; ++y)
      for (int x = part.left; x < part.right; ++x) differ += px.At(x, y) != whole.At(x, y);
    EXPECT_EQ(differ, 0) << "part at " << part.top;
  }
}

TEST_F(PaintedBar, AGradientToASystemColourShiftsThatColour) {
  // As quick-created web groups end theirs in the button face colour; the shadow colour is taken
  // here, as the face may be too light to show a lift of 10.
  groups_[1].Data.FromColor = 0;
  groups_[1].Data.ToColor = static_cast<std::int32_t>(0x80000000u | COLOR_BTNSHADOW);
  groups_[1].Height = 700;
  const PixelBuffer px = Paint(Size{100, 800});
  // Half way down the band stands the middle stop: that colour lightened by 10.
  const Rect panel = view_.GroupPanelRect(1);
  const Rect& at = view_.Appearances[1].Background.Bounds;
  const int middle = panel.top + at.top + at.Height() / 2;
  ASSERT_LT(middle, panel.bottom - 2);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  ASSERT_LT(GetRValue(shadow), 245);
  const auto lift = [](int c) { return static_cast<std::uint32_t>(c + 10); };
  EXPECT_EQ(px.At(panel.left + 50, middle),
            lift(GetRValue(shadow)) << 16 | lift(GetGValue(shadow)) << 8 | lift(GetBValue(shadow)));
}

TEST_F(PaintedBar, DarkLookTurnsTheBarsOwnSurfacesAndKeepsEveryTextReadable) {
  groups_[0].Data.Color = kClBtnFace;  // system-coloured: takes the look's face
  groups_[1].Data.DrawStyle = 0;       // the user's pale colour stays, its text turns dark
  groups_[1].Data.Color = 0x00E5E5E5;
  using testing_support::TextContrastIn;
  for (const ThemeMode mode : {ThemeMode::kLight, ThemeMode::kDark}) {
    SCOPED_TRACE(testing_support::LookName(mode));
    const testing_support::LookScope look(mode);
    const PixelBuffer px = Paint(Size{100, 400});
    const ColorRef face =
        mode == ThemeMode::kDark ? DarkSystemColor(kSysBtnFace) : GetSysColor(COLOR_BTNFACE);
    const Rect plain = view_.GroupPanelRect(0), pale = view_.GroupPanelRect(1);
    EXPECT_EQ(px.At(plain.left + 50, plain.bottom - 20), ColorRefToPixel(face));
    EXPECT_EQ(px.At(pale.left + 50, pale.bottom - 20), 0xE5E5E5u);
    const Rect& sys = view_.Title.btnSYS;
    EXPECT_GE(TextContrastIn(px, RECT{view_.PanelLogo.left + sys.left, view_.PanelLogo.top + sys.top,
                                      view_.PanelLogo.left + sys.right, view_.PanelLogo.top + sys.bottom}),
              kReadableContrast);
    for (int g = 0; g < 2; ++g) {
      const Rect& header = view_.Bands[g].Header;
      EXPECT_GE(TextContrastIn(px, RECT{header.left + 26, header.top, header.right, header.bottom}),
                kReadableContrast)
          << g;
      // The caption beside the icon: margin, icon and spacing left out.
      const Rect panel = view_.GroupPanelRect(g), b = groups_[g].Children[0].Bounds;
      EXPECT_GE(TextContrastIn(px, RECT{panel.left + b.left + 26, panel.top + b.top + 1,
                                        panel.left + b.right - 2, panel.top + b.bottom - 1}),
                kReadableContrast)
          << g;
    }
  }
}

TEST_F(PaintedBar, HighContrastDropsAGroupsGradient) {
  testing_support::LookScope look(ThemeMode::kHighContrast);
  const PixelBuffer px = Paint(Size{100, 400});
  EXPECT_FALSE(backgrounds_.Shown(1));
  const Rect gradient = view_.GroupPanelRect(1);
  EXPECT_EQ(px.At(gradient.left + 50, gradient.top + 40), px.At(gradient.left + 50, gradient.bottom - 20));
}

// Sets the process's icon-title font for the test's length, and puts the system's back.
class IconTitleFont {
 public:
  explicit IconTitleFont(const LOGFONTW& font) {
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(saved_), &saved_, 0);
    LOGFONTW copy = font;
    SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(copy), &copy, 0);
  }
  ~IconTitleFont() { SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(saved_), &saved_, 0); }

 private:
  LOGFONTW saved_{};
};

TEST(BarTitleFont, IsTheSystemsIconTitleFontAtTheBarsDpi) {
  LOGFONTW chosen{};
  chosen.lfHeight = -15;
  chosen.lfWeight = FW_BOLD;
  chosen.lfItalic = TRUE;
  chosen.lfCharSet = GB2312_CHARSET;
  lstrcpynW(chosen.lfFaceName, L"宋体", LF_FACESIZE);
  IconTitleFont set(chosen);
  BarResources resources(GetModuleHandleW(nullptr));
  resources.SetDpi(SystemDpi() * 2);
  LOGFONTW made{};
  ASSERT_TRUE(GetObjectW(resources.TitleFont(), sizeof(made), &made));
  EXPECT_EQ(made.lfHeight, -30);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_TRUE(made.lfItalic);
  EXPECT_EQ(FromWide(made.lfFaceName), "宋体");
}

}  // namespace
}  // namespace wendlix
