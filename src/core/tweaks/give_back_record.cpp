#include "core/tweaks/give_back_record.h"

#include <algorithm>
#include <charconv>

#include "core/shell/command_line.h"

namespace wendlix {
namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  if (text.empty() || text.size() > 20) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The next blank-separated field; `text` keeps the rest after one blank.
std::string_view TakeField(std::string_view& text) {
  const std::size_t blank = text.find(' ');
  const std::string_view field = text.substr(0, blank);
  text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
  return field;
}

}  // namespace

std::string FormatGiveBackRecord(const GiveBackRecord& r) {
  return std::to_string(r.OwnerPid) + ' ' + std::to_string(r.OwnerStarted) + ' ' + r.Owed.ToRecord();
}

std::optional<GiveBackRecord> ParseGiveBackRecord(std::string_view text) {
  // Exactly three fields, the last one possibly empty.
  if (std::count(text.begin(), text.end(), ' ') != 2) return std::nullopt;
  GiveBackRecord r;
  if (!ParseNumber(TakeField(text), r.OwnerPid) || !ParseNumber(TakeField(text), r.OwnerStarted))
    return std::nullopt;
  std::optional<GiveBackSet> owed = GiveBackSet::Parse(text);
  if (!owed) return std::nullopt;
  r.Owed = std::move(*owed);
  return r;
}

std::string GuardArguments(std::uint32_t pid, std::uint64_t started) {
  return std::string(kGuardSwitch) + ' ' + std::to_string(pid) + ' ' + std::to_string(started);
}

std::string GuardCommandLine(std::string_view exePath, std::uint32_t pid, std::uint64_t started) {
  return QuoteCommandLineArgument(exePath) + ' ' + GuardArguments(pid, started);
}

std::optional<GuardTarget> ParseGuardArguments(std::string_view arguments) {
  while (!arguments.empty() && arguments.front() == ' ') arguments.remove_prefix(1);
  while (!arguments.empty() && arguments.back() == ' ') arguments.remove_suffix(1);
  if (TakeField(arguments) != kGuardSwitch) return std::nullopt;
  GuardTarget t;
  if (!ParseNumber(TakeField(arguments), t.Pid) || !ParseNumber(TakeField(arguments), t.Started) ||
      !arguments.empty() || t.Pid == 0) {
    return std::nullopt;
  }
  return t;
}

}  // namespace wendlix
