// The inspection channel's queries about the bar window as a whole: "counts" (the process's
// resources), "layout" (DescribeBar), "timer" (auto-hide), "monitor", "dpi" and "gpfio" (the
// group file's reads and writes). The parts add their own to the same table.
#pragma once
#include "core/inspect/query_table.h"
#include "win/bar/bar_window.h"

namespace wendlix {

void AddBarWindowQueries(QueryTable& table, BarWindow& bar);

}  // namespace wendlix
