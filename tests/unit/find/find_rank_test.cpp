#include "core/find/find_rank.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wendlix {
namespace {

std::vector<std::string> Found(const std::vector<FindCandidate>& candidates, const std::string& query) {
  std::vector<FindHit> hits;
  FindCandidates(MakeFindIndex(candidates), candidates, query, hits);
  std::vector<std::string> names;
  for (const FindHit& h : hits)
    names.push_back(candidates[h.Name].GroupTitle + "/" + candidates[h.Name].Name);
  return names;
}

// Name, group, bar order, launch count.
const std::vector<FindCandidate> kBar = {{"科学计算器", "工具", 0, 50}, {"计算器 专业版", "工具", 1, 10},
                                         {"计算器", "工具", 5, 1},      {"记事本", "工具", 6, 0},
                                         {"计算器", "旧工具", 9, 3},    {"Notepad", "工具", 7, 90},
                                         {"集市", "网站", 2, 0},        {"几何画板", "教学", 3, 0}};

TEST(FindRank, WholeNameThenBeginningThenLaunchesThenBarOrder) {
  // Exact before prefix before the rest, however often each was started.
  EXPECT_EQ(Found(kBar, "jsq"), (std::vector<std::string>{"旧工具/计算器", "工具/计算器",
                                                          "工具/计算器 专业版", "工具/科学计算器"}));
  // 集市 is "js" whole; among the beginnings equal launch counts go by bar order.
  EXPECT_EQ(Found(kBar, "js"), (std::vector<std::string>{"网站/集市", "工具/计算器 专业版", "旧工具/计算器",
                                                         "工具/计算器", "工具/记事本", "工具/科学计算器"}));
  // Equal launch counts: bar order.
  EXPECT_EQ(Found(kBar, "j"),
            (std::vector<std::string>{"工具/计算器 专业版", "旧工具/计算器", "工具/计算器", "网站/集市",
                                      "教学/几何画板", "工具/记事本", "工具/科学计算器"}));
  EXPECT_EQ(Found(kBar, "pad"), (std::vector<std::string>{"工具/Notepad"}));
  EXPECT_EQ(Found(kBar, ""), (std::vector<std::string>{}));
}

// A launch changes only a count: the index stays, the order follows.
TEST(FindRank, LaunchCountsComeInAsData) {
  std::vector<FindCandidate> bar = {{"记事本", "工具", 0, 0}, {"计算器", "工具", 1, 0}};
  const FindIndex index = MakeFindIndex(bar);
  std::vector<FindHit> hits;
  FindCandidates(index, bar, "j", hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{{0, FindMatch::kPrefix}, {1, FindMatch::kPrefix}}));
  bar[1].LaunchCount = 1;
  FindCandidates(index, bar, "j", hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{{1, FindMatch::kPrefix}, {0, FindMatch::kPrefix}}));
}

}  // namespace
}  // namespace wendlix
