#include "core/paint/theme.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace wendlix {
namespace {

// Each system colour comes back as its own index, so a palette shows which index each surface took.
ColorRef IndexAsColor(int index) { return 0x00100000u + static_cast<ColorRef>(index); }
constexpr ColorRef S(int index) { return 0x00100000u + static_cast<ColorRef>(index); }

TEST(Theme, ModeFollowsChoiceSystemAndHighContrast) {
  using A = AppearanceChoice;
  using M = ThemeMode;
  const std::optional<bool> absent, light = true, dark = false;
  const std::vector<std::tuple<A, std::optional<bool>, bool, M>> cases = {
      {A::kFollowSystem, absent, false, M::kLight}, {A::kFollowSystem, light, false, M::kLight},
      {A::kFollowSystem, dark, false, M::kDark},    {A::kLight, dark, false, M::kLight},
      {A::kDark, light, false, M::kDark},           {A::kDark, absent, true, M::kHighContrast},
      {A::kLight, light, true, M::kHighContrast},   {A::kFollowSystem, dark, true, M::kHighContrast},
  };
  for (const auto& [choice, apps, hc, want] : cases) EXPECT_EQ(ResolveThemeMode(choice, apps, hc), want);
  const std::vector<std::pair<int, A>> stored = {
      {0, A::kFollowSystem}, {1, A::kLight}, {2, A::kDark}, {3, A::kFollowSystem}, {-1, A::kFollowSystem}};
  for (const auto& [value, want] : stored) EXPECT_EQ(AppearanceChoiceFromStored(value), want) << value;
}

TEST(Theme, EachSurfaceTakesItsColourInEachMode) {
  ThemePalette light;
  light.bar = {S(15), S(18), S(20), S(16), S(21), S(22), 0x0062D3F9, 0x000076FF, 0x00FFFFFF, 0x00FF0000};
  light.menu = {S(4), S(7), S(17), S(13), S(14), 0x00C08040, 0x00400000};
  light.findBox = {S(4), S(5), S(8), S(17), S(13), S(14), S(16)};
  light.messageBox = {S(15), S(8), S(5), S(8), S(6), S(20), S(16)};
  light.tooltip = {S(24), S(23)};
  EXPECT_EQ(MakePalette(ThemeMode::kLight, IndexAsColor), light);

  ThemePalette hc{ThemeMode::kHighContrast};
  hc.bar = {S(15), S(18), S(18), S(18), S(18), S(18), S(15), S(15), S(15), S(26)};
  hc.menu = {S(5), S(8), S(17), S(13), S(14), S(13), S(13)};
  hc.findBox = {S(5), S(5), S(8), S(17), S(13), S(14), S(8)};
  hc.messageBox = {S(15), S(18), S(5), S(8), S(18), S(18), S(18)};
  hc.tooltip = {S(5), S(8)};
  EXPECT_EQ(MakePalette(ThemeMode::kHighContrast, IndexAsColor), hc);

  // The dark look is fixed: the system's colours do not reach it.
  const ThemePalette dark = MakePalette(ThemeMode::kDark, IndexAsColor);
  EXPECT_EQ(dark, MakePalette(ThemeMode::kDark, {}));
  EXPECT_EQ(dark.bar.face, DarkSystemColor(kSysBtnFace));
  EXPECT_EQ(ThemedSystemColors(ThemeMode::kDark, IndexAsColor)(kSysWindow), DarkSystemColor(kSysWindow));
  EXPECT_EQ(ThemedSystemColors(ThemeMode::kLight, IndexAsColor)(kSysWindow), S(kSysWindow));
  EXPECT_EQ(DarkSystemColor(99), DarkSystemColor(kSysBtnFace));
}

TEST(Theme, EveryDarkTextIsReadableOnItsGround) {
  const ThemePalette p = MakePalette(ThemeMode::kDark, {});
  const std::vector<std::pair<ColorRef, ColorRef>> pairs = {
      {p.bar.text, p.bar.face},
      {p.bar.text, p.bar.titleFrom},
      {p.bar.text, p.bar.titleTo},
      {p.bar.link, p.bar.face},
      {p.menu.text, p.menu.background},
      {p.menu.grayText, p.menu.background},
      {kLightText, p.menu.stripTop},
      {p.menu.highlightText, p.menu.highlight},
      {p.findBox.text, p.findBox.field},
      {p.findBox.grayText, p.findBox.background},
      {p.findBox.highlightText, p.findBox.highlight},
      {p.messageBox.text, p.messageBox.face},
      {p.messageBox.fieldText, p.messageBox.field},
      {p.tooltip.text, p.tooltip.background},
  };
  for (const auto& [text, ground] : pairs) EXPECT_GE(ContrastRatio(text, ground), kReadableContrast) << text;
}

TEST(Theme, LuminanceContrastAndTextOnUserColours) {
  EXPECT_EQ(RelativeLuminance(0x00FFFFFF), 1.0);
  EXPECT_EQ(RelativeLuminance(0), 0.0);
  EXPECT_NEAR(RelativeLuminance(ColorRefFromRgb(255, 0, 0)), 0.2126, 1e-12);
  EXPECT_NEAR(RelativeLuminance(ColorRefFromRgb(0, 0, 255)), 0.0722, 1e-12);
  EXPECT_EQ(ContrastRatio(0, 0x00FFFFFF), 21.0);
  EXPECT_EQ(ContrastRatio(0x00FFFFFF, 0), 21.0);
  EXPECT_NEAR(ContrastRatio(0x00777777, 0x00FFFFFF), 4.478, 1e-3);
  // Mid grey 0x777777 is the classic case where black stands out (4.69) more than white (4.48).
  EXPECT_EQ(TextColorOn(0x00777777), kDarkText);
  EXPECT_EQ(TextColorOn(0x006E6E6E), kLightText);
  EXPECT_EQ(TextColorOn(0x0000FFFF), kDarkText);   // yellow
  EXPECT_EQ(TextColorOn(0x00800000), kLightText);  // navy

  const ColorRef red = ColorRefFromRgb(200, 0, 0), pale = 0x00E5E5E5, navy = 0x00800000;
  const std::vector<std::tuple<ColorRef, std::vector<ColorRef>, ColorRef>> cases = {
      {red, {pale}, red},                                 // the user's pair reads: kept
      {DarkSystemColor(kSysBtnText), {pale}, kDarkText},  // light text on the default pale group
      {kDarkText, {navy}, kLightText},
      {kDarkText, {pale, navy}, kDarkText},  // a gradient neither reads on fully: the better worst case
      {kLightText, {}, kLightText},
  };
  for (const auto& [preferred, ground, want] : cases) EXPECT_EQ(ReadableTextColor(preferred, ground), want);
}

}  // namespace
}  // namespace wendlix
