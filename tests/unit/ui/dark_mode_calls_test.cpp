#include <gtest/gtest.h>

#include "core/ui/dark_mode_calls.h"

namespace wendlix {
namespace {

TEST(DarkModeCalls, OnlyTheBuildsThatCarryEachCallAndNeverUnderWine) {
  struct Case {
    std::uint32_t build;
    bool wine;
    bool optIn, appMode;
    std::uint32_t attribute;
  };
  const Case cases[] = {
      {7601, false, false, false, 0},  {17134, false, false, false, 0}, {17763, false, true, false, 19},
      {18361, false, true, false, 19}, {18362, false, true, true, 19},  {18984, false, true, true, 19},
      {18985, false, true, true, 20},  {22631, false, true, true, 20},  {19045, true, false, false, 0},
      {22631, true, false, false, 0},
  };
  for (const Case& c : cases) {
    const DarkModeCalls calls = DarkModeCallsFor(c.build, c.wine);
    EXPECT_EQ(calls.WindowOptIn, c.optIn) << c.build << " wine " << c.wine;
    EXPECT_EQ(calls.PreferredAppMode, c.appMode) << c.build << " wine " << c.wine;
    EXPECT_EQ(calls.TitleBarAttribute, c.attribute) << c.build << " wine " << c.wine;
  }
}

}  // namespace
}  // namespace wendlix
