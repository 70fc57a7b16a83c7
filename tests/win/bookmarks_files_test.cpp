// Browser profiles found in real folders and bookmark files read as the browser leaves
// them: replaced by a renamed temporary, held open by the browser, cut short, or gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win_test_support.h"
#include "win/bookmarks/browser_profiles.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string BookmarksJson(const std::string& name, const std::string& url) {
  return R"({"roots":{"bookmark_bar":{"children":[{"type":"url","name":")" + name + R"(","url":")" + url +
         R"("}],"type":"folder"}},"version":1})";
}

// As the browser saves: a temporary beside the file, renamed over it.
bool WriteAsBrowser(const std::string& path, const std::string& bytes) {
  return WriteBytes(path + ".tmp", bytes) &&
         MoveFileExW(ToWide(path + ".tmp").c_str(), ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

class BookmarksFilesTest : public testing::Test {
 protected:
  // The folders under `base` (a known folder), made one by one.
  std::string Folders(const std::string& base, const std::string& below) const {
    std::string path = folder_ / base;
    MakeFolder(path);
    for (std::size_t start = 0; start < below.size();) {
      const std::size_t end = below.find('\\', start);
      path += "\\" + below.substr(start, end - start);
      MakeFolder(path);
      start = end == std::string::npos ? below.size() : end + 1;
    }
    return path + "\\";
  }
  const TempFolder folder_{"bookmarks"};
  const KnownFolderPaths known_{folder_ / "本地", folder_ / "漫游"};
};

TEST_F(BookmarksFilesTest, ProfilesWithABookmarksFileAreFoundAndNamed) {
  const std::string edge = Folders("本地", "Microsoft\\Edge\\User Data\\Profile 1");
  Folders("本地", "Microsoft\\Edge\\User Data\\Default");
  Folders("本地", "Microsoft\\Edge\\User Data\\Profile 2");  // never opened: no bookmarks yet
  Folders("本地", "Google\\Chrome\\User Data\\Default");
  const std::string se = Folders("漫游", "360se6\\User Data\\Default");
  ASSERT_TRUE(
      WriteBytes(edge + "..\\Local State", R"({"profile":{"info_cache":{"Profile 1":{"name":"工作"}}}})"));
  for (const std::string& file : {edge + "Bookmarks", edge + "..\\Default\\Bookmarks", se + "Bookmarks"})
    ASSERT_TRUE(WriteAsBrowser(file, BookmarksJson("a", "http://a.cn/"))) << file;
  ASSERT_TRUE(MakeFolder(edge + "..\\Profile 2\\Bookmarks"));  // a folder of that name is no file

  std::vector<std::string> found;
  for (const BrowserProfile& p : FindBrowserProfiles(known_))
    found.push_back(std::string(p.Browser->Key) + "|" + p.Folder + "|" + p.Name + "|" + p.BookmarksPath);
  const std::string edgeData = folder_ / "本地\\Microsoft\\Edge\\User Data\\";
  EXPECT_EQ(found, (std::vector<std::string>{
                       "edge|Default|Default|" + edgeData + "Default\\Bookmarks",
                       "edge|Profile 1|工作|" + edgeData + "Profile 1\\Bookmarks",
                       "360se|Default|Default|" + folder_ / "漫游\\360se6\\User Data\\Default\\Bookmarks",
                   }));
  EXPECT_EQ(FindBrowserProfiles({folder_ / "无", ""}), std::vector<BrowserProfile>{});
}

TEST_F(BookmarksFilesTest, ReadsWhatTheBrowserLastRenamedInWithoutHoldingIt) {
  const std::string file = Folders("本地", "Microsoft\\Edge\\User Data\\Default") + "Bookmarks";
  const auto titles = [&] {
    const BookmarkReadResult r = ReadBookmarkFile(file);
    std::string out = std::to_string(static_cast<int>(r.Error));
    for (const BookmarkNode& n : r.Tree.Bar.Children) out += " " + n.Title + "=" + n.Url;
    return out;
  };
  EXPECT_EQ(titles(), "1");  // missing
  ASSERT_TRUE(WriteAsBrowser(file, BookmarksJson("新闻 😀", "http://news.cn/")));
  EXPECT_EQ(titles(), "0 新闻 😀=http://news.cn/");
  // The reader keeps nothing open: the browser's next rename over the file goes through.
  ASSERT_TRUE(WriteAsBrowser(file, BookmarksJson("地图", "https://map.cn/")));
  {
    // A browser writing the file in place shares it only with readers that let it write on.
    unique_handle<FileHandleTraits> held(CreateFileW(ToWide(file).c_str(), GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(titles(), "0 地图=https://map.cn/");
  }
  ASSERT_TRUE(WriteBytes(file, BookmarksJson("半", "http://half.cn/").substr(0, 40)));
  EXPECT_EQ(titles(), "2");  // cut short
  ASSERT_TRUE(WriteAsBrowser(file, "{}"));
  EXPECT_EQ(titles(), "3");
}

}  // namespace
}  // namespace wendlix
