#include "core/accessible/find_box_accessible.h"

#include "core/find/find_texts.h"

namespace wendlix {

AccessibleTree FindBoxAccessibleTree(const FindBoxModel& model, const FindBoxLayout& layout) {
  AccessibleTree tree;
  tree.Self.Role = AccessibleRole::kDialog;
  tree.Self.Name = kFindBoxTitle;
  tree.Self.Bounds = MakeRect(0, 0, layout.Box.cx, layout.Box.cy);
  AccessibleItem query;
  query.Role = AccessibleRole::kEditableText;
  query.Name = kFindBoxTitle;
  query.Value = model.Query();
  query.State = kAccFocusable;
  query.Bounds = layout.Query;
  tree.Items.push_back(std::move(query));
  AccessibleItem list;
  list.Role = AccessibleRole::kList;
  list.Name = kFindBoxTitle;
  list.Bounds = layout.List;
  tree.Items.push_back(std::move(list));
  if (model.Status() != FindBoxStatus::kRows) {
    AccessibleItem status;
    status.Role = AccessibleRole::kStaticText;
    status.Name = std::string(FindBoxStatusText(model.Status()));
    status.State = kAccReadOnly;
    status.Bounds = layout.List;
    status.Parent = 1;
    tree.Items.push_back(std::move(status));
    return tree;
  }
  for (std::size_t row = 0; row < model.RowCount(); ++row) {
    const FindCandidate& c = model.Candidates()[model.CandidateAt(row)];
    AccessibleItem item;
    item.Role = AccessibleRole::kListItem;
    item.Name = c.Name + ", " + c.GroupTitle;
    item.Parent = 1;
    item.State = kAccFocusable | kAccSelectable;
    if (model.Selected() == row) item.State |= kAccFocused | kAccSelected;
    // Rows above and below the page shown have no place on the screen.
    const std::size_t shown = row - model.Top();
    if (row >= model.Top() && shown < static_cast<std::size_t>(model.VisibleRows())) {
      const int top = layout.List.top + static_cast<int>(shown) * layout.RowHeight;
      item.Bounds = Rect{layout.List.left, top, layout.List.right, top + layout.RowHeight};
    } else {
      item.State |= kAccOffscreen;
    }
    tree.Items.push_back(std::move(item));
  }
  return tree;
}

}  // namespace wendlix
