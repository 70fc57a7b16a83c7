// The dark and high-contrast look of the bar's own windows, painted and measured from the pixels,
// and the system's dark calls kept away from systems that lack them.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/win_test_support.h"
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

}  // namespace
}  // namespace wendlix
