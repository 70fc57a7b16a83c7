// Which of the system's dark-mode calls a Windows build offers. The uxtheme ones are exported by
// ordinal only and their numbers mean other functions elsewhere (Wine's ordinal 104 is not the
// colour policy refresh), so they are called only on the builds that are known to carry them.
#pragma once
#include <cstdint>

namespace wendlix {

struct DarkModeCalls {
  // uxtheme #133 AllowDarkModeForWindow, #136 FlushMenuThemes, #104 RefreshImmersiveColorPolicyState.
  bool WindowOptIn = false;
  // uxtheme #135 as SetPreferredAppMode (on 17763 the same ordinal takes a different argument).
  bool PreferredAppMode = false;
  // The attribute DwmSetWindowAttribute takes for a dark title bar; 0 where there is none.
  std::uint32_t TitleBarAttribute = 0;
};

// `build` as RtlGetVersion reports it; under Wine nothing is called.
DarkModeCalls DarkModeCallsFor(std::uint32_t build, bool wine);

}  // namespace wendlix
