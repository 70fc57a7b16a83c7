// The dark and high-contrast look of the bar's own windows, painted and measured from the pixels,
// and the system's dark calls kept away from systems that lack them.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "support/look_support.h"
#include "support/win_test_support.h"
#include "win/bar/bar_tooltip.h"
#include "win/ui/system_dark_mode.h"

namespace wendlix {
namespace {

using namespace testing_support;

// Wine's ordinals are other functions: whatever version a prefix claims, none is called there.
TEST(SystemDarkMode, WineGetsNoneOfTheCalls) {
  ASSERT_TRUE(RunningUnderWine());
  const DarkModeCalls& calls = SystemDarkModeCalls();
  EXPECT_FALSE(calls.WindowOptIn);
  EXPECT_FALSE(calls.PreferredAppMode);
  EXPECT_EQ(calls.TitleBarAttribute, 0u);
  const unique_hwnd window(MakeWindow(L"WendlixTestCaptioned", nullptr, WS_CAPTION, RECT{0, 0, 200, 100}));
  SetProcessDarkMode(true);
  SetDarkTitleBar(window.get(), true);
  SetProcessDarkMode(false);
  SetDarkTitleBar(window.get(), false);
  EXPECT_EQ(GetModuleHandleW(L"dwmapi.dll"), nullptr);
}

// The hint takes each look's colours, changing with the look while it exists; the light look leaves
// the system's tooltip as it is. (Wine paints a hint only while a real hover shows it: no pixels.)
TEST(BarTooltip, TakesEachLooksColoursAndTheSystemsBackInTheLight) {
  const unique_hwnd owner(MakeWindow(L"WendlixTestHintOwner", nullptr, WS_VISIBLE, RECT{100, 100, 300, 160}));
  BarTooltip hint;
  hint.Create(owner.get());
  const HWND tip = hint.Window();
  ASSERT_TRUE(tip);
  const auto colour = [&](UINT message) { return static_cast<COLORREF>(SendMessageW(tip, message, 0, 0)); };
  const COLORREF systemBack = colour(TTM_GETTIPBKCOLOR), systemText = colour(TTM_GETTIPTEXTCOLOR);
  for (ThemeMode mode : {ThemeMode::kDark, ThemeMode::kHighContrast, ThemeMode::kLight}) {
    SCOPED_TRACE(LookName(mode));
    LookScope look(mode);
    SendMessageW(tip, ThemeChangedMessage(), 0, 0);
    const TooltipPalette& colors = CurrentPalette().tooltip;
    const bool light = mode == ThemeMode::kLight;
    EXPECT_EQ(colour(TTM_GETTIPBKCOLOR), light ? systemBack : colors.background);
    EXPECT_EQ(colour(TTM_GETTIPTEXTCOLOR), light ? systemText : colors.text);
  }
}

}  // namespace
}  // namespace wendlix
