// The list a group keeps its buttons in: vector-like, deep copies, and moves that shift only
// pointers, so references to the elements stay valid across a move.
#include "core/bar/stable_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace wendlix {
namespace {

std::string Joined(const StableList<std::string>& list) {
  std::string s;
  for (const std::string& item : list) s += item;
  return s;
}

TEST(StableList, BehavesAsASequenceAndMovesWithoutMovingElements) {
  StableList<std::string> list = {"a", "b", "c"};
  list.push_back("d");
  list.emplace_back(2, 'e');
  EXPECT_EQ(Joined(list), "abcdee");
  list.insert(list.begin() + 1, "X");
  list.erase(list.begin() + 4);
  EXPECT_EQ(Joined(list), "aXbcee");
  EXPECT_EQ(list.front(), "a");
  EXPECT_EQ(list.back(), "ee");
  EXPECT_EQ(list.end() - list.begin(), 5);
  EXPECT_EQ(std::find(list.begin(), list.end(), "c") - list.begin(), 3);
  const StableList<std::string>& constant = list;
  EXPECT_EQ(
      std::count_if(constant.begin(), constant.end(), [](const std::string& s) { return s.size() == 1; }), 4);

  // A copy is its own: changing it leaves the original, and equal lists compare equal.
  StableList<std::string> copy = list;
  EXPECT_EQ(copy, list);
  copy[0] = "z";
  EXPECT_EQ(list[0], "a");
  EXPECT_FALSE(copy == list);

  // Moves both ways, to the ends, onto itself and out of range.
  std::string* c = &list[3];
  list.Move(3, 0);
  EXPECT_EQ(Joined(list), "caXbee");
  EXPECT_EQ(&list[0], c);  // the element itself did not move
  list.Move(0, 4);
  EXPECT_EQ(Joined(list), "aXbeec");
  list.Move(1, 2);
  EXPECT_EQ(Joined(list), "abXeec");
  list.Move(2, 2);
  list.Move(5, 0);
  list.Move(0, 5);
  EXPECT_EQ(Joined(list), "abXeec");
  list.clear();
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace wendlix
