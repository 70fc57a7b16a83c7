#include "core/ui/menu_model.h"

#include <gtest/gtest.h>

#include <set>

namespace wendlix {
namespace {

MenuModel SampleMenu() {
  return MenuModel("Title", {MakeItem("a", "&Alpha"), MakeSeparator("s1"),
                             MakeSubMenu("sub", "&Sub", {MakeItem("b", "Beta", 7), MakeSeparator()}),
                             MakeFillOnOpenSubMenu("folder", "Folder", 1000)});
}

void CollectIds(const std::vector<MenuItem>& items, std::vector<std::uint32_t>& ids) {
  for (const MenuItem& i : items) {
    if (i.IsCommand())
      ids.push_back(i.CommandId);
    else
      EXPECT_EQ(i.CommandId, 0u) << i.Name;
    CollectIds(i.Children, ids);
  }
}

TEST(MenuModel, LookupAndCommandIdsSurviveLateFilling) {
  MenuModel menu = SampleMenu();
  ASSERT_NE(menu.Find("b"), nullptr);
  EXPECT_EQ(menu.Find("missing"), nullptr);

  // Not yet filled: one disabled placeholder keeps the sub-menu openable.
  MenuItem& folder = *menu.Find("folder");
  ASSERT_EQ(folder.Children.size(), 1u);
  EXPECT_EQ(folder.Children[0].Caption, kEmptySubMenuCaption);
  EXPECT_FALSE(folder.Children[0].Enabled);

  menu.RenumberCommandIds();
  const std::uint32_t alphaId = menu.Find("a")->CommandId, betaId = menu.Find("b")->CommandId;
  folder.Children = {MakeItem("f1", "One"), MakeItem("f2", "Two")};
  folder.Filled = true;
  menu.AssignCommandIds();  // the late items get ids, the others keep theirs
  EXPECT_EQ(menu.Find("a")->CommandId, alphaId);
  EXPECT_EQ(menu.Find("b")->CommandId, betaId);

  std::vector<std::uint32_t> ids;
  CollectIds(menu.Items, ids);
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(std::set<std::uint32_t>(ids.begin(), ids.end()).size(), ids.size()) << "ids must be unique";
  for (std::uint32_t id : ids) {
    EXPECT_GT(id, 0u);
    ASSERT_NE(menu.FindByCommand(id), nullptr);
    EXPECT_EQ(menu.FindByCommand(id)->CommandId, id);
  }
  EXPECT_EQ(menu.FindByCommand(menu.Find("f2")->CommandId)->Name, "f2");
  EXPECT_EQ(menu.FindByCommand(0), nullptr);  // "nothing chosen" never finds an item

  // A fill that found nothing leaves the placeholder; a reset brings it back.
  folder.Children.clear();
  EnsureNotEmpty(folder);
  EXPECT_EQ(folder.Children.size(), 1u);
  folder.Children = {MakeItem("x", "X")};
  ResetFillOnOpen(folder);
  EXPECT_FALSE(folder.Filled);
  EXPECT_EQ(folder.Children[0].Caption, kEmptySubMenuCaption);
}

TEST(MenuModel, DescribedForTheQueryChannel) {
  MenuModel menu = SampleMenu();
  menu.Find("a")->Checked = true;
  menu.Find("b")->Visible = false;
  menu.Find("b")->RadioItem = true;
  EXPECT_EQ(DescribeMenu(menu),
            "Title\n"
            "  a\t&Alpha\tC\n"
            "  s1\t-\tS\n"
            "  sub\t&Sub\tM\n"
            "    b\tBeta\tHR\n"
            "    \t-\tS\n"
            "  folder\tFolder\tML\n"
            "    \t(空)\tD\n");
}

TEST(MenuModel, AcceleratorsAndShownCaptions) {
  struct Case {
    const char* caption;
    char32_t accelerator;
    const char* shown;
  } cases[] = {
      {"显示在左侧(&L)", U'L', "显示在左侧(L)"},
      {"&quick Launch", U'Q', "quick Launch"},
      {"R&&D &go", U'G', "R&D go"},
      {"a&&b", 0, "a&b"},
      {"trailing&", 0, "trailing"},
      {"&中文", U'中', "中文"},
      {"no accelerator", 0, "no accelerator"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AcceleratorOf(c.caption), c.accelerator) << c.caption;
    EXPECT_EQ(CaptionWithoutAccelerator(c.caption), c.shown) << c.caption;
  }
}

TEST(MenuModel, TypedCharacterRunsTheOnlyMatchOrCyclesThroughSeveral) {
  const std::vector<char32_t> acc = {U'A', 0, U'D', U'B', U'D', U'中'};
  auto check = [&](char32_t typed, int selected, int index, bool execute) {
    const MenuCharResult r = MatchMenuChar(acc, typed, selected);
    EXPECT_EQ(r.Index, index) << static_cast<unsigned>(typed) << " from " << selected;
    EXPECT_EQ(r.Execute, execute) << static_cast<unsigned>(typed) << " from " << selected;
  };
  check(U'b', -1, 3, true);  // lower case matches
  check(U'中', 2, 5, true);
  check(U'D', -1, 2, false);  // two matches: select, do not run
  check(U'D', 2, 4, false);
  check(U'D', 4, 2, false);  // wraps
  check(U'Z', 0, -1, false);
  check(0, 0, -1, false);
  EXPECT_EQ(MatchMenuChar({}, U'A', -1).Index, -1);
}

}  // namespace
}  // namespace wendlix
