// The order of the find list: matches of the whole name first, then those of its beginning,
// then the rest; within each, the buttons started most often from the bar, then bar order.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/find/find_match.h"

namespace wendlix {

struct FindCandidate {
  std::string Name;
  std::string GroupTitle;         // shown beside the name; two groups may hold the same name
  std::uint64_t BarOrder = 0;     // groups in band order, then their buttons in order
  std::uint32_t LaunchCount = 0;  // starts from the bar so far
};

// Sorts `hits` (Name indexes `candidates`) best first.
void RankFindHits(std::span<const FindCandidate> candidates, std::vector<FindHit>& hits);

// The index of the candidates' names, in their order; build it again when the buttons
// change, not when a launch count does.
FindIndex MakeFindIndex(std::span<const FindCandidate> candidates);

// One keystroke: the candidates `query` finds, best first, into `hits` (cleared first, so
// that its storage is reused from one keystroke to the next).
void FindCandidates(const FindIndex& index, std::span<const FindCandidate> candidates, std::string_view query,
                    std::vector<FindHit>& hits);

}  // namespace wendlix
