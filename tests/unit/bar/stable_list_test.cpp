// The list a group keeps its buttons in: vector-like, deep copies, and moves that shift only
// pointers, so references to the elements stay valid across a move.
#include "core/bar/stable_list.h"

#include <gtest/gtest.h>

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
  list.emplace_back(2, 'e');
  list.insert(list.begin() + 1, "X");
  list.erase(list.begin() + 2);
  list.insert(list.begin() + 2, "b");
  list.insert(list.begin() + 4, "e");
  list.erase(list.begin() + 4);
  EXPECT_EQ(Joined(list), "aXbcee");
  EXPECT_EQ(list.end() - list.begin(), 5);

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
