#include "core/accessible/bar_accessible.h"

#include <gtest/gtest.h>

#include "core/keyboard/keyboard_focus.h"
#include "support/filled_group.h"

namespace wendlix {
namespace {

using K = BarHit::Kind;
using R = AccessibleRole;

struct Bar {
  std::vector<GroupPanel> Groups;
  BarView View;
};

// Groups 甲 (two buttons, the second a folder), 乙 collapsed into PanelBtn, 丙 with 30 buttons
// of which only some fit.
Bar ThreeGroups() {
  Bar bar;
  bar.Groups.push_back(testing_support::FilledGroup("甲", 2, 150, 0));
  bar.Groups[0].Children[1].IsDirectory = true;
  bar.Groups[0].Children[1].FileName = "C:\\文件夹";
  bar.Groups.push_back(testing_support::FilledGroup("乙", 1, 150, 1));
  bar.Groups[1].Data.ShowAsButton = true;
  bar.Groups.push_back(testing_support::FilledGroup("丙", 30, 60, 2));
  bar.View = ArrangeBar(bar.Groups, abeRight, Size{86, 600}, true);
  return bar;
}

TEST(BarAccessible, ItemsInKeyboardOrderWithRolesParentsAndActions) {
  Bar bar = ThreeGroups();
  const std::vector<BarAccessibleItem> items = BarAccessibleItems(bar.View, bar.Groups, {});
  struct Expected {
    R Role;
    std::string Name;
    int Parent;
    std::string Action;
    BarHit Hit;
  };
  std::vector<Expected> expected = {
      {R::kButtonMenu, "工具栏菜单", -1, "打开", {K::kBtnTitle}},
      {R::kButtonMenu, "系统菜单", -1, "打开", {K::kBtnSys}},
      {R::kGrouping, "甲", -1, "", {K::kGroup, 0}},
      {R::kPushButton, "甲0", 2, "启动", {K::kGroupButton, 0, 0}},
      {R::kButtonMenu, "甲1", 2, "打开", {K::kGroupButton, 0, 1}},
      {R::kButtonMenu, "更多按钮", 2, "打开", {K::kGroupButton, 0, 2}},
      {R::kGrouping, "丙", -1, "", {K::kGroup, 2}},
  };
  for (int i = 0; i < 30; ++i)
    expected.push_back({R::kPushButton, "丙" + std::to_string(i), 6, "启动", {K::kGroupButton, 2, i}});
  expected.push_back({R::kButtonMenu, "更多按钮", 6, "打开", {K::kGroupButton, 2, 30}});
  expected.push_back({R::kButtonMenu, "乙", -1, "打开", {K::kCollapsedGroup, 1, 0}});
  ASSERT_EQ(items.size(), expected.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const AccessibleItem& got = items[i].Item;
    EXPECT_EQ(got.Role, expected[i].Role) << i;
    EXPECT_EQ(got.Name, expected[i].Name) << i;
    EXPECT_EQ(got.Parent, expected[i].Parent) << i;
    EXPECT_EQ(got.DefaultAction, expected[i].Action) << i;
    EXPECT_EQ(items[i].Hit, expected[i].Hit) << i;
    // The counted index of each element is its place in the list; its bounds are where a click hits it.
    EXPECT_EQ(BarAccessibleIndex(bar.View, bar.Groups, items[i].Hit), static_cast<int>(i));
    if (got.Role != R::kGrouping && !(got.State & kAccOffscreen)) {
      const Point mid{(got.Bounds.left + got.Bounds.right) / 2, (got.Bounds.top + got.Bounds.bottom) / 2};
      EXPECT_EQ(HitTestBar(bar.View, bar.Groups, mid), items[i].Hit) << i;
    }
  }
  EXPECT_EQ(items[3].Item.Description, "C:\\x.lnk");
  EXPECT_EQ(items[4].Item.Description, "C:\\文件夹");
  // Of the 30 buttons of 丙 some do not fit: off screen, without a place.
  const AccessibleItem& last = items[36].Item;
  EXPECT_EQ(last.State & kAccOffscreen, kAccOffscreen);
  EXPECT_EQ(last.Bounds, Rect{});
  EXPECT_EQ(items[7].Item.State & kAccOffscreen, 0u);
  EXPECT_EQ(BarAccessibleIndex(bar.View, bar.Groups, {K::kBackground}), -1);
  // The buttons on screen are the keyboard's stops, in its order.
  std::vector<BarHit> onScreen, stops;
  for (const BarAccessibleItem& i : items) {
    if (i.Hit.What != K::kBtnTitle && i.Hit.What != K::kBtnSys && i.Item.Role != R::kGrouping &&
        !(i.Item.State & kAccOffscreen))
      onScreen.push_back(i.Hit);
  }
  for (const FocusGroup& g : FocusableButtons(bar.View, bar.Groups))
    for (const FocusButton& b : g.Buttons) stops.push_back(FocusHit(b.Focus));
  EXPECT_EQ(onScreen, stops);
}

TEST(BarAccessible, StatesFollowFocusPointerSlideAndBoxes) {
  Bar bar = ThreeGroups();
  BarAccessibleInput input;
  input.Focus = {K::kGroupButton, 0, 0};
  input.Hot = {K::kGroupButton, 0, 1};
  input.Pressed = {K::kBtnSys};
  input.Caption = "Wendlix V2.0";
  input.HotKey = "Win+Alt+W";
  AccessibleTree tree = BarAccessibleTree(bar.View, bar.Groups, input);
  EXPECT_EQ(tree.Self.Name, "Wendlix V2.0");
  EXPECT_EQ(tree.Self.Shortcut, "Win+Alt+W");
  EXPECT_EQ(tree.Items[3].State, kAccFocusable | kAccFocused);
  EXPECT_EQ(tree.Items[4].State, kAccFocusable | kAccHot | kAccHasPopup);
  EXPECT_EQ(tree.Items[1].State, kAccFocusable | kAccPressed | kAccHasPopup);
  EXPECT_EQ(tree.Items[2].State, 0u);  // a grouping is not focused itself

  input.Hidden = true;
  input.Disabled = true;
  tree = BarAccessibleTree(bar.View, bar.Groups, input);
  EXPECT_EQ(tree.Self.State, kAccOffscreen);
  for (const AccessibleItem& item : tree.Items) {
    EXPECT_TRUE(item.State & kAccOffscreen) << item.Name;
    if (item.Role != R::kGrouping) {
      EXPECT_TRUE(item.State & kAccUnavailable) << item.Name;
    }
  }
}

TEST(BarAccessible, ChangesNameTheRenamedTheAddedAndTheGone) {
  using C = AccessibleChange::Kind;
  EXPECT_EQ(AccessibleChanges({"甲", "乙"}, {"甲", "乙"}), std::vector<AccessibleChange>{});
  EXPECT_EQ(AccessibleChanges({"甲", "乙"}, {"丙", "乙", "丁", "戊"}),
            (std::vector<AccessibleChange>{{C::kNameChange, 0}, {C::kCreate, 2}, {C::kCreate, 3}}));
  EXPECT_EQ(AccessibleChanges({"甲", "乙", "丙"}, {"乙"}),
            (std::vector<AccessibleChange>{{C::kNameChange, 0}, {C::kDestroy, 1}, {C::kDestroy, 2}}));
}

}  // namespace
}  // namespace wendlix
