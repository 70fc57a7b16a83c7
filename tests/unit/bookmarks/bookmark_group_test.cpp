#include "core/bookmarks/bookmark_group.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bookmark_groups.h"

namespace wendlix {
namespace {

using testing_support::BookmarkGroup;
using testing_support::kBookmarksJson;

// "caption=target" per launch button, "caption/" for a folder button.
std::vector<std::string> Shown(const GroupPanel& g) {
  std::vector<std::string> out;
  for (const BarButton& b : g.Children)
    if (!b.IsCollapse()) out.push_back(b.Hint + (b.IsDirectory ? "/" : "=" + b.FileName));
  return out;
}

TEST(BookmarkGroup, ACleanReadingShowsTheChosenFolderAndADamagedOneKeepsIt) {
  GroupPanel bar = BookmarkGroup("Microsoft Edge");
  EXPECT_EQ(Shown(bar), (std::vector<std::string>{"旧书签=https://old.example.cn/"})) << "the saved buttons";
  ASSERT_TRUE(TakeBookmarkReading(bar, ReadChromiumBookmarks(kBookmarksJson)));
  EXPECT_EQ(Shown(bar), (std::vector<std::string>{"新闻=https://news.example.cn/", "工作/"}));
  EXPECT_EQ(bar.ShownBookmarksPath, "书签栏");

  // Missing, cut short while the browser wrote it, another shape: the group stays as it was.
  const std::string file = R"(C:\Users\u\AppData\Local\Microsoft\Edge\User Data\Default\Bookmarks)";
  for (const auto& [reading, state] :
       {std::pair{BookmarkReadResult{BookmarkReadError::kMissing, {}}, BookmarksState::kMissing},
        std::pair{ReadChromiumBookmarks(kBookmarksJson.substr(0, 200)), BookmarksState::kDamaged},
        std::pair{ReadChromiumBookmarks(R"({"roots": []})"), BookmarksState::kDamaged}}) {
    EXPECT_FALSE(TakeBookmarkReading(bar, reading));
    EXPECT_EQ(bar.BookmarksRead, state);
    EXPECT_EQ(Shown(bar), (std::vector<std::string>{"新闻=https://news.example.cn/", "工作/"}));
  }
  EXPECT_EQ(BookmarkGroupHint(bar, "Microsoft Edge", file),
            "Microsoft Edge\r\n浏览器的书签文件现在读不出来，显示的是上次读到的书签。\r\n书签来自 Microsoft "
            "Edge，用户配置 Default：\r\n" +
                file);

  GroupPanel deep = BookmarkGroup("项目", {"", {"bookmark_bar", "工作", "项目"}});
  ASSERT_TRUE(TakeBookmarkReading(deep, ReadChromiumBookmarks(kBookmarksJson)));
  EXPECT_EQ(Shown(deep), (std::vector<std::string>{"看板=https://work.example.cn/board"}));
  EXPECT_EQ(deep.ShownBookmarksPath, "书签栏 › 工作 › 项目");
  GroupPanel gone = BookmarkGroup("没了", {"", {"bookmark_bar", "旧文件夹"}});
  ASSERT_TRUE(TakeBookmarkReading(gone, ReadChromiumBookmarks(kBookmarksJson)));
  EXPECT_EQ(Shown(gone), std::vector<std::string>{});
  EXPECT_EQ(gone.BookmarksRead, BookmarksState::kFolderGone);
}

TEST(BookmarkGroup, OnlyFolderButtonsOpenAFolder) {
  GroupPanel g = BookmarkGroup("Microsoft Edge");
  EXPECT_EQ(BookmarkFolderOf(g, 0), nullptr) << "nothing read yet";
  TakeBookmarkReading(g, ReadChromiumBookmarks(kBookmarksJson));
  EXPECT_EQ(BookmarkFolderOf(g, 0), nullptr);
  ASSERT_NE(BookmarkFolderOf(g, 1), nullptr);
  EXPECT_EQ(BookmarkFolderOf(g, 1)->Title, "工作");
  EXPECT_EQ(BookmarkFolderOf(g, 2), nullptr) << "the collapse button";
}

}  // namespace
}  // namespace wendlix
