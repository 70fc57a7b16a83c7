#include "core/accessible/bar_accessible.h"

#include <algorithm>

#include "core/bar/bar_texts.h"
#include "core/bar/group_construction.h"
#include "core/keyboard/keyboard_focus.h"

namespace wendlix {
namespace {

constexpr char kTitleButtonName[] = "工具栏菜单";
constexpr char kSysButtonName[] = "系统菜单";
constexpr char kCollapseButtonName[] = "更多按钮";

int ShownGroupCount(const BarView& view, const std::vector<GroupPanel>& groups) {
  return static_cast<int>(std::min(view.Bands.size(), groups.size()));
}

class Builder {
 public:
  Builder(const BarView& view, const std::vector<GroupPanel>& groups, const BarAccessibleInput& input)
      : view_(view), groups_(groups), input_(input) {}

  // A button; `shown` is false for one that did not fit.
  void Button(const BarHit& hit, AccessibleItem item, bool shown, int parent) {
    item.Parent = parent;
    item.State |= kAccFocusable;
    if (hit == input_.Focus) item.State |= kAccFocused;
    if (hit == input_.Hot) item.State |= kAccHot;
    if (hit == input_.Pressed) item.State |= kAccPressed;
    if (input_.Disabled) item.State |= kAccUnavailable;
    if (shown) item.Bounds = HitBounds(view_, groups_, hit);
    Add(hit, std::move(item), shown);
  }

  void Add(const BarHit& hit, AccessibleItem item, bool shown) {
    if (input_.Hidden || !shown) item.State |= kAccOffscreen;
    out_.push_back({std::move(item), hit});
  }

  int Count() const { return static_cast<int>(out_.size()); }
  std::vector<BarAccessibleItem> Take() { return std::move(out_); }

 private:
  const BarView& view_;
  const std::vector<GroupPanel>& groups_;
  const BarAccessibleInput& input_;
  std::vector<BarAccessibleItem> out_;
};

AccessibleItem MenuButton(std::string name, std::string description) {
  AccessibleItem item;
  item.Role = AccessibleRole::kButtonMenu;
  item.Name = std::move(name);
  item.Description = std::move(description);
  item.DefaultAction = kAccActionOpen;
  item.State = kAccHasPopup;
  return item;
}

AccessibleItem LaunchButton(const BarButton& b) {
  if (b.IsCollapse()) return MenuButton(kCollapseButtonName, b.Hint);
  // A button's caption may be hidden by its group's display flags; its hint always names it.
  const std::string& name = b.Caption.empty() ? b.Hint : b.Caption;
  if (b.IsDirectory) return MenuButton(name, b.FileName);
  AccessibleItem item;
  item.Role = AccessibleRole::kPushButton;
  item.Name = name;
  item.Description = b.FileName;
  item.DefaultAction = kAccActionStart;
  return item;
}

}  // namespace

std::vector<BarAccessibleItem> BarAccessibleItems(const BarView& view, const std::vector<GroupPanel>& groups,
                                                  const BarAccessibleInput& input) {
  using K = BarHit::Kind;
  Builder out(view, groups, input);
  out.Button({K::kBtnTitle}, MenuButton(kTitleButtonName, kBtnTitleHint), true, -1);
  out.Button({K::kBtnSys}, MenuButton(kSysButtonName, {}), true, -1);
  for (int g = 0; g < ShownGroupCount(view, groups); ++g) {
    if (!view.Bands[g].Visible) continue;
    AccessibleItem group;
    group.Role = AccessibleRole::kGrouping;
    group.Name = groups[g].Data.Title;
    group.Bounds = view.Bands[g].Band;
    const int parent = out.Count();
    out.Add({K::kGroup, g}, std::move(group), true);
    const auto& children = groups[g].Children;
    for (const int i : ChildrenInKeyboardOrder(children)) {
      const BarHit hit{K::kGroupButton, g, i};
      const Rect r = HitBounds(view, groups, hit);
      out.Button(hit, LaunchButton(children[i]), children[i].Visible && r.Width() > 0 && r.Height() > 0,
                 parent);
    }
  }
  if (view.Collapsed.Visible) {
    for (int i = 0; i < static_cast<int>(view.Collapsed.Buttons.size()); ++i) {
      const BarButton& b = view.Collapsed.Buttons[i];
      out.Button({K::kCollapsedGroup, b.Tag - kCollapsedGroupTagBase, i}, MenuButton(b.Caption, {}),
                 b.Visible, -1);
    }
  }
  return out.Take();
}

AccessibleTree BarAccessibleTree(const BarView& view, const std::vector<GroupPanel>& groups,
                                 const BarAccessibleInput& input) {
  AccessibleTree tree;
  tree.Self.Role = AccessibleRole::kToolBar;
  tree.Self.Name = input.Caption;
  tree.Self.Shortcut = input.HotKey;
  tree.Self.Bounds = MakeRect(0, 0, view.Client.cx, view.Client.cy);
  if (input.Hidden) tree.Self.State |= kAccOffscreen;
  for (BarAccessibleItem& i : BarAccessibleItems(view, groups, input))
    tree.Items.push_back(std::move(i.Item));
  return tree;
}

int BarAccessibleIndex(const BarView& view, const std::vector<GroupPanel>& groups, const BarHit& hit) {
  using K = BarHit::Kind;
  if (hit.What == K::kBtnTitle) return 0;
  if (hit.What == K::kBtnSys) return 1;
  int index = 2;
  for (int g = 0; g < ShownGroupCount(view, groups); ++g) {
    if (!view.Bands[g].Visible) continue;
    const int children = static_cast<int>(groups[g].Children.size());
    if (g == hit.Group && hit.What == K::kGroup) return index;
    if (g == hit.Group && hit.What == K::kGroupButton) {
      const std::vector<int> order = ChildrenInKeyboardOrder(groups[g].Children);
      const auto at = std::find(order.begin(), order.end(), hit.Button);
      return at == order.end() ? -1 : index + 1 + static_cast<int>(at - order.begin());
    }
    index += 1 + children;
  }
  if (hit.What == K::kCollapsedGroup && view.Collapsed.Visible && hit.Button >= 0 &&
      hit.Button < static_cast<int>(view.Collapsed.Buttons.size())) {
    return index + hit.Button;
  }
  return -1;
}

std::vector<AccessibleChange> AccessibleChanges(const std::vector<std::string>& before,
                                                const std::vector<std::string>& after) {
  using K = AccessibleChange::Kind;
  std::vector<AccessibleChange> out;
  const int kept = static_cast<int>(std::min(before.size(), after.size()));
  for (int i = 0; i < kept; ++i) {
    if (before[i] != after[i]) out.push_back({K::kNameChange, i});
  }
  for (int i = kept; i < static_cast<int>(after.size()); ++i) out.push_back({K::kCreate, i});
  for (int i = kept; i < static_cast<int>(before.size()); ++i) out.push_back({K::kDestroy, i});
  return out;
}

}  // namespace wendlix
