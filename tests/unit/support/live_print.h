// Readable failure messages for the live folder types.
#pragma once
#include <ostream>

#include "core/live/live_schedule.h"

namespace wendlix {

inline void PrintTo(const LiveRename& r, std::ostream* os) { *os << r.From << " -> " << r.To; }

}  // namespace wendlix
