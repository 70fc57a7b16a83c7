#include "core/diagnostics/probe_command.h"

#include <array>
#include <charconv>
#include <utility>
#include <vector>

namespace wendlix {
namespace {

constexpr std::array<std::pair<ProbeKind, std::string_view>, 9> kNames{{
    {ProbeKind::kSlides, "slides"},
    {ProbeKind::kMainMenu, "mainmenu"},
    {ProbeKind::kSysMenu, "sysmenu"},
    {ProbeKind::kBtnMenu, "btnmenu"},
    {ProbeKind::kRebuild, "rebuild"},
    {ProbeKind::kCollapse, "collapse"},
    {ProbeKind::kDisplay, "display"},
    {ProbeKind::kTaskbar, "taskbar"},
    {ProbeKind::kEditor, "editor"},
}};

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::optional<int> Number(std::string_view word, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<ProbeCommand> ParseProbeCommand(std::string_view text) {
  const std::vector<std::string_view> words = Words(text);
  if (words.size() < 2 || words.size() > 3) return std::nullopt;
  ProbeCommand command;
  bool known = false;
  for (const auto& [kind, name] : kNames) {
    if (words[0] == name) {
      command.Kind = kind;
      known = true;
    }
  }
  if (!known) return std::nullopt;
  const std::optional<int> count = Number(words[1], 1, kMaxProbeCount);
  if (!count) return std::nullopt;
  command.Count = *count;
  if (words.size() == 3) {
    if (command.Kind != ProbeKind::kSlides) return std::nullopt;
    command.Arg = Number(words[2], 0, kMaxProbeArg);
    if (!command.Arg) return std::nullopt;
  }
  return command;
}

std::string_view ProbeName(ProbeKind kind) {
  for (const auto& [k, name] : kNames)
    if (k == kind) return name;
  return {};
}

}  // namespace wendlix
