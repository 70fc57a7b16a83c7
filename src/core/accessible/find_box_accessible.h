// The find box for a screen reader: the query as an editable text, then the list of what it
// finds, each row named "name, group" and the chosen one focused and selected; a list showing no
// row holds its status line ("no match", "the bar has no buttons") as a static text.
#pragma once
#include "core/accessible/accessible_tree.h"
#include "core/find/find_box_layout.h"
#include "core/find/find_box_model.h"

namespace wendlix {

AccessibleTree FindBoxAccessibleTree(const FindBoxModel& model, const FindBoxLayout& layout);

// The item of list row `row` (the focus event's).
constexpr int FindBoxRowItem(std::size_t row) { return 2 + static_cast<int>(row); }

}  // namespace wendlix
