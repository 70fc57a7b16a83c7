#include "core/accessible/find_box_accessible.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

std::vector<std::string> Lines(const AccessibleTree& tree) {
  std::vector<std::string> out;
  for (const AccessibleItem& i : tree.Items) {
    out.push_back(std::to_string(static_cast<int>(i.Role)) + " " + i.Name + " " + i.Value + " " +
                  std::to_string(i.State) + " " + std::to_string(i.Parent) + " " +
                  std::to_string(i.Bounds.top));
  }
  return out;
}

TEST(FindBoxAccessible, QueryRowsOnePageShownAndTheStatusLines) {
  FindBoxLayout layout;
  layout.Query = Rect{20, 4, 200, 24};
  layout.List = Rect{20, 30, 200, 70};
  layout.RowHeight = 20;
  FindBoxModel model({{"记事本", "工具", 0, 0},
                      {"计算器", "工具/资料", 1, 0},
                      {"截图", "工具", 2, 0},
                      {"画图", "工具", 3, 0}},
                     2);
  model.Type("j");
  model.Key(FindBoxKey::kDown);
  const int focusable = kAccFocusable | kAccSelectable, chosen = focusable | kAccFocused | kAccSelected;
  const int off = focusable | kAccOffscreen;
  // 2 list items, 5 edit, 6 list, 7 static text (the roles' order).
  EXPECT_EQ(Lines(FindBoxAccessibleTree(model, layout)),
            (std::vector<std::string>{"7 查找按钮 j 2 -1 4", "4 查找按钮  0 -1 30",
                                      "5 记事本, 工具  " + std::to_string(focusable) + " 1 30",
                                      "5 计算器, 工具/资料  " + std::to_string(chosen) + " 1 50",
                                      "5 截图, 工具  " + std::to_string(off) + " 1 0"}));
  EXPECT_EQ(FindBoxRowItem(*model.Selected()), 3);
  EXPECT_EQ(FindBoxAccessibleTree(model, layout).Self.Role, AccessibleRole::kDialog);

  model.Type("zz");
  EXPECT_EQ(Lines(FindBoxAccessibleTree(model, layout)).back(), "6 没有找到匹配的按钮  1024 1 30");
  EXPECT_EQ(Lines(FindBoxAccessibleTree(FindBoxModel({}, 2), layout)).back(),
            "6 工具栏上还没有按钮  1024 1 30");
}

}  // namespace
}  // namespace wendlix
