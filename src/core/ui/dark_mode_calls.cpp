#include "core/ui/dark_mode_calls.h"

namespace wendlix {
namespace {

constexpr std::uint32_t kFirstDarkBuild = 17763;     // 1809
constexpr std::uint32_t kFirstAppModeBuild = 18362;  // 1903
constexpr std::uint32_t kDocumentedAttributeBuild = 18985;
constexpr std::uint32_t kOldTitleBarAttribute = 19;
constexpr std::uint32_t kTitleBarAttribute = 20;

}  // namespace

DarkModeCalls DarkModeCallsFor(std::uint32_t build, bool wine) {
  DarkModeCalls calls;
  if (wine || build < kFirstDarkBuild) return calls;
  calls.WindowOptIn = true;
  calls.PreferredAppMode = build >= kFirstAppModeBuild;
  calls.TitleBarAttribute = build >= kDocumentedAttributeBuild ? kTitleBarAttribute : kOldTitleBarAttribute;
  return calls;
}

}  // namespace wendlix
