#include <gtest/gtest.h>

#include "core/ui/dark_mode_calls.h"

namespace wendlix {
namespace {

TEST(DarkModeCalls, OnlyTheBuildsThatCarryEachCallAndNeverUnderWine) {
  // build, wine -> window opt-in, preferred app mode, title bar attribute
  const std::tuple<std::uint32_t, bool, bool, bool, std::uint32_t> cases[] = {
      {17134, false, false, false, 0}, {17763, false, true, false, 19}, {18362, false, true, true, 19},
      {18984, false, true, true, 19},  {18985, false, true, true, 20},  {22631, true, false, false, 0}};
  for (const auto& [build, wine, optIn, appMode, attribute] : cases) {
    const DarkModeCalls calls = DarkModeCallsFor(build, wine);
    EXPECT_EQ(std::tuple(calls.WindowOptIn, calls.PreferredAppMode, calls.TitleBarAttribute),
              std::tuple(optIn, appMode, attribute))
        << build << " wine " << wine;
  }
}

}  // namespace
}  // namespace wendlix
