// The give-back set kept outside the bar while it owes the shell something, so that a guard
// process or the next start can give it back when the bar was killed or crashed. The owner
// is the bar's process, known by its id and its start time (ids are reused).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/tweaks/give_back.h"

namespace wendlix {

struct GiveBackRecord {
  std::uint32_t OwnerPid = 0;
  std::uint64_t OwnerStarted = 0;  // the process's creation time as the system counts it
  GiveBackSet Owed;
  bool operator==(const GiveBackRecord&) const = default;
};

// "pid started set", e.g. "1234 133497120000000000 E5,V0".
std::string FormatGiveBackRecord(const GiveBackRecord& record);
// Nothing for any text FormatGiveBackRecord cannot have written.
std::optional<GiveBackRecord> ParseGiveBackRecord(std::string_view text);

// The private switch that starts the bar's exe as the guard of process `pid` started at
// `started`: "/wendlix-guard pid started".
inline constexpr std::string_view kGuardSwitch = "/wendlix-guard";
std::string GuardArguments(std::uint32_t pid, std::uint64_t started);
// The guard's whole command line: `exePath` quoted as one argument, then the arguments.
std::string GuardCommandLine(std::string_view exePath, std::uint32_t pid, std::uint64_t started);
struct GuardTarget {
  std::uint32_t Pid = 0;
  std::uint64_t Started = 0;
  bool operator==(const GuardTarget&) const = default;
};
// The guarded process when `arguments` (the command line after the program) is exactly
// the switch with its two numbers; nothing otherwise, and the bar starts as usual.
std::optional<GuardTarget> ParseGuardArguments(std::string_view arguments);

}  // namespace wendlix
