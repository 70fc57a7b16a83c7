// What the user is told after a launch: nothing when it started or when the shell showed
// its own message, else the bar's error box naming what could not be opened and why.
#pragma once
#include <optional>
#include <string>

#include "core/launch/launch_decision.h"

namespace wendlix {

inline constexpr char kLaunchFailedCaption[] = "无法打开";

// How the shell call of an open request ended.
struct LaunchResult {
  bool Started = false;
  int ShellCode = 0;                // ShellExecute's result (an SE_ERR_ value) when it failed
  bool ShellShowedMessage = false;  // the shell put up a window of its own during the call
  bool operator==(const LaunchResult&) const = default;
};

// The text of the bar's box after `request` ended as `result` (a refusal never reaches the
// shell); nullopt when nothing is to be shown.
std::optional<std::string> LaunchReportText(const LaunchRequest& request, const LaunchResult& result);

}  // namespace wendlix
