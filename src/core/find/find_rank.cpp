#include "core/find/find_rank.h"

#include <algorithm>
#include <tuple>

namespace wendlix {
namespace {

// Exact and prefix matches each form a tier; other matches are all alike.
int Tier(FindMatch m) { return m == FindMatch::kExact ? 0 : m == FindMatch::kPrefix ? 1 : 2; }

}  // namespace

void RankFindHits(std::span<const FindCandidate> candidates, std::vector<FindHit>& hits) {
  const auto key = [candidates](const FindHit& h) {
    const FindCandidate& c = candidates[h.Name];
    return std::make_tuple(Tier(h.Match), ~c.LaunchCount, c.BarOrder, h.Name);
  };
  std::sort(hits.begin(), hits.end(), [&key](const FindHit& a, const FindHit& b) { return key(a) < key(b); });
}

FindIndex MakeFindIndex(std::span<const FindCandidate> candidates) {
  std::size_t chars = 0;
  for (const FindCandidate& c : candidates) chars += c.Name.size();
  FindIndex index;
  index.Reserve(candidates.size(), chars);
  for (const FindCandidate& c : candidates) index.Add(c.Name);
  return index;
}

void FindCandidates(const FindIndex& index, std::span<const FindCandidate> candidates, std::string_view query,
                    std::vector<FindHit>& hits) {
  hits.clear();
  index.MatchAll(FindQuery(query), hits);
  RankFindHits(candidates, hits);
}

}  // namespace wendlix
