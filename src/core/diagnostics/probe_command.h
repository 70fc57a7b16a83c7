// The requests a test run may send a bar started with its test switches on: one of the bar's own
// code paths, repeated COUNT times, as "NAME COUNT [ARG]" ("slides 10000 1", "editor 100").
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

enum class ProbeKind {
  kSlides,    // auto-hide slides, alternately in and out; ARG: the slide interval to use meanwhile
  kMainMenu,  // the bar settings menu opened and dismissed
  kSysMenu,   // the system tweaks menu
  kBtnMenu,   // the buttons menu over the first group
  kRebuild,   // every shown group filled again from file and folder, laid out and painted
  kCollapse,  // a group collapsed into a button and shown again from the groups menu
  kDisplay,   // WM_DISPLAYCHANGE notices
  kTaskbar,   // "TaskbarCreated" notices
  kEditor,    // the group editor opened and cancelled
};

struct ProbeCommand {
  ProbeKind Kind = ProbeKind::kSlides;
  int Count = 0;
  std::optional<int> Arg;
};

inline constexpr int kMaxProbeCount = 100000;
inline constexpr int kMaxProbeArg = 1000;

// Nothing for an unknown name, a count outside 1..kMaxProbeCount, an argument where the request
// takes none or outside 0..kMaxProbeArg, or anything more on the line.
std::optional<ProbeCommand> ParseProbeCommand(std::string_view text);
std::string_view ProbeName(ProbeKind kind);

}  // namespace wendlix
