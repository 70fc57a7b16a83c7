#include "core/find/find_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bookmark_groups.h"

namespace wendlix {
namespace {

GroupPanel Group(const std::string& title, std::uint16_t kind, bool visible, bool asButton,
                 const std::vector<GroupButton>& buttons) {
  GroupRecord r;
  r.Data.Title = title;
  r.Data.PanelStyle = kind;
  r.Data.Visible = visible;
  r.Data.ShowAsButton = asButton;
  r.Buttons = buttons;
  GroupPanel panel = PanelFromRecord(r, 0);
  // Collapsed and hidden groups come up empty; filled as their menu would fill them.
  if (panel.Children.empty() && !buttons.empty()) {
    for (const GroupButton& b : buttons) AddGroupButton(panel, b.Caption, b.IsDirectory, b.FileName);
    AddCollapseButton(panel);
  }
  return panel;
}

// "name|group|order|count" per candidate, "group,button,path,entry" per target.
std::vector<std::string> Rows(const FindCatalogue& c) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < c.Candidates.size(); ++i) {
    const FindCandidate& f = c.Candidates[i];
    const FindTarget& t = c.Targets[i];
    rows.push_back(f.Name + "|" + f.GroupTitle + "|" + std::to_string(f.BarOrder >> 24) + "." +
                   std::to_string(f.BarOrder & 0xFFFFFF) + "|" + std::to_string(f.LaunchCount) + "  " +
                   std::to_string(t.Group) + "," + std::to_string(t.Button) + "," + t.Path + "," +
                   (t.Entry ? "entry" : "button"));
  }
  return rows;
}

TEST(FindCatalogue, EveryGroupsButtonsAndTheEntriesInsideFolderButtonsInBarOrder) {
  const std::vector<GroupPanel> groups = {
      Group("工具", gkShortcut, true, false,
            {{"记事本", "C:\\T\\记事本.lnk", false},
             {"资料", "C:\\T\\资料", true},
             {"计算器", "C:\\T\\计算器.lnk", false}}),
      Group("网站", gkWeb, true, true, {{"新闻", "http://news.example.org/?a=b", false}}),
      Group("藏起", gkShortcut, false, false, {}),
  };
  EXPECT_FALSE(FindNeedsFill(groups[0]));
  EXPECT_FALSE(FindNeedsFill(groups[1]));  // collapsed, but its menu filled it already
  EXPECT_TRUE(FindNeedsFill(groups[2]));
  EXPECT_TRUE(FindNeedsFill(Group("收起", gkWeb, true, true, {})));

  LaunchCounts counts;
  counts.Count("c:\\t\\计算器.LNK");
  counts.Count("C:\\T\\资料\\报告.lnk");
  counts.Count("C:\\T\\资料\\报告.lnk");
  FindCatalogue c;
  for (std::size_t g = 0; g < groups.size(); ++g) AddFindGroup(groups, g, counts, c);
  EXPECT_EQ(Rows(c), (std::vector<std::string>{
                         "记事本|工具|0.0|0  0,0,C:\\T\\记事本.lnk,button",
                         "资料|工具|1.0|0  0,1,C:\\T\\资料,button",
                         "计算器|工具|2.0|1  0,2,C:\\T\\计算器.lnk,button",
                         "新闻|网站|16777216.0|0  1,0,http://news.example.org/?a=b,button",
                     }));
  ASSERT_EQ(c.Folders, (std::vector<FindFolder>{{0, 1, "C:\\T\\资料", "工具/资料", std::uint64_t{1} << 24}}));

  // The entries come after every button, yet stand right after their folder button in bar order.
  AddFindFolderEntries(c.Folders[0], {"旧版", "报告.lnk", "my.notes.url"}, counts, c);
  const std::vector<std::string> rows = Rows(c);
  EXPECT_EQ(std::vector<std::string>(rows.begin() + 4, rows.end()),
            (std::vector<std::string>{
                "旧版|工具/资料|1.1|0  0,1,C:\\T\\资料\\旧版,entry",
                "报告|工具/资料|1.2|2  0,1,C:\\T\\资料\\报告.lnk,entry",
                "my.notes|工具/资料|1.3|0  0,1,C:\\T\\资料\\my.notes.url,entry",
            }));
  std::vector<FindHit> hits;
  FindCandidates(MakeFindIndex(c.Candidates), c.Candidates, "j", hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{
                      {2, FindMatch::kPrefix}, {0, FindMatch::kPrefix}, {4, FindMatch::kPrefix}}));
}

TEST(FindCatalogue, ABookmarksGroupListsEveryBookmarkWithItsFolderPath) {
  std::vector<GroupPanel> groups = {testing_support::BookmarkGroup("Edge")};
  TakeBookmarkReading(groups[0], ReadChromiumBookmarks(testing_support::kBookmarksJson));
  LaunchCounts counts;
  counts.Count("https://work.example.cn/board");
  FindCatalogue c;
  AddFindGroup(groups, 0, counts, c);
  EXPECT_EQ(Rows(c), (std::vector<std::string>{
                         "新闻|书签栏|0.0|0  0,0,https://news.example.cn/,button",
                         "工作|书签栏|1.0|0  0,1,,button",
                         "周报|书签栏 › 工作|1.1|0  0,1,https://work.example.cn/weekly,entry",
                         "看板|书签栏 › 工作 › 项目|1.2|1  0,1,https://work.example.cn/board,entry",
                     }));
  EXPECT_EQ(c.Folders, std::vector<FindFolder>{}) << "no folder on disk to list";
  std::vector<FindHit> hits;
  FindCandidates(MakeFindIndex(c.Candidates), c.Candidates, "kb", hits);
  EXPECT_EQ(hits, (std::vector<FindHit>{{3, FindMatch::kExact}})) << "by pinyin initials";
}

}  // namespace
}  // namespace wendlix
