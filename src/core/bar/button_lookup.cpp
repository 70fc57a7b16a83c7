#include "core/bar/button_lookup.h"

namespace wendlix {

std::optional<std::size_t> GroupByTag(const std::vector<GroupPanel>& groups, int tag) {
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].Tag == tag) return i;
  return std::nullopt;
}

}  // namespace wendlix
