// The hint's colours in each look (Wine paints a hint only while a real hover shows it: no pixels).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "support/look_support.h"
#include "win/bar/bar_tooltip.h"

namespace wendlix {
namespace {

using namespace testing_support;

TEST(BarTooltip, TakesEachLooksColoursAndTheSystemsBackInTheLight) {
  const unique_hwnd owner(MakeWindow(L"WendlixTestHintOwner", nullptr, WS_VISIBLE, RECT{0, 0, 200, 60}));
  BarTooltip hint;
  hint.Create(owner.get());
  const auto colours = [&] {
    return std::pair(SendMessageW(hint.Window(), TTM_GETTIPBKCOLOR, 0, 0),
                     SendMessageW(hint.Window(), TTM_GETTIPTEXTCOLOR, 0, 0));
  };
  const auto system = colours();
  for (ThemeMode mode : {ThemeMode::kDark, ThemeMode::kHighContrast, ThemeMode::kLight}) {
    LookScope look(mode);
    SendMessageW(hint.Window(), ThemeChangedMessage(), 0, 0);
    const TooltipPalette& c = CurrentPalette().tooltip;
    const std::pair<LRESULT, LRESULT> expected(c.background, c.text);
    EXPECT_EQ(colours(), mode == ThemeMode::kLight ? system : expected) << LookName(mode);
  }
}

}  // namespace
}  // namespace wendlix
