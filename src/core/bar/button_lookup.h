// Finding the group a Tag names.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "core/bar/group_construction.h"

namespace wendlix {

// The group whose Tag equals `tag`.
std::optional<std::size_t> GroupByTag(const std::vector<GroupPanel>& groups, int tag);

}  // namespace wendlix
