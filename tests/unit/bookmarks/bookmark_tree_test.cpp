#include "core/bookmarks/bookmark_tree.h"

#include <gtest/gtest.h>

#include "core/bookmarks/bookmark_browsers.h"

namespace wendlix {
namespace {

// A tree as one line: "title=url" for a bookmark, "title#id[...]" for a folder.
std::string Dump(const BookmarkNode& n) {
  if (!n.IsFolder) return n.Title + "=" + n.Url;
  std::string out = n.Title + "#" + n.Id + "[";
  for (std::size_t i = 0; i < n.Children.size(); ++i) out += (i ? " " : "") + Dump(n.Children[i]);
  return out + "]";
}

std::string Dump(const BookmarkReadResult& r) {
  if (!r) return "error " + std::to_string(static_cast<int>(r.Error));
  return Dump(r.Tree.Bar) + " " + Dump(r.Tree.Other) + " " + Dump(r.Tree.Synced);
}

std::string Url(const std::string& name, const std::string& url) {
  return R"({"type":"url","name":")" + name + R"(","url":")" + url + R"("})";
}
std::string Folder(const std::string& id, const std::string& name, const std::string& children) {
  return R"({"type":"folder","id":")" + id + R"(","name":")" + name + R"(","children":[)" + children + "]}";
}
// A file as the browser writes it, with these children on the bar and in the other bookmarks.
std::string File(const std::string& bar, const std::string& other = "") {
  return R"({"checksum":"0","roots":{"bookmark_bar":)" + Folder("1", "Bookmarks bar", bar) + R"(,"other":)" +
         Folder("2", "Other", other) + R"(,"synced":)" + Folder("3", "Mobile", "") + R"(},"version":1})";
}

TEST(BookmarkTree, ReadsFoldersAndLeavesOutWhatCannotBeAButton) {
  // Nesting a browser never writes: deep arrays, and folders deeper than the reader goes.
  std::string tooDeep = Url("a", "http://a.cn/");
  for (int i = 0; i < 100; ++i) tooDeep = Folder("9", "f", tooDeep);
  const std::string deep =
      Folder("10", "工作",
             Url("文档", "https://docs.cn/") + "," + Folder("11", "项目", Url("计划", "http://plan.cn/")));
  struct Case {
    std::string json, tree;
  } cases[] = {
      {File(Url("新闻", "http://news.cn/") + "," + deep, Url("x", "https://x.cn/")),
       "书签栏#1[新闻=http://news.cn/ 工作#10[文档=https://docs.cn/ 项目#11[计划=http://plan.cn/]]] "
       "其他书签#2[x=https://x.cn/] 移动设备书签#3[]"},
      // Bookmarklets go, whatever their case or leading blanks; then every folder left empty, at any depth.
      {File(Url("b", "JavaScript:void(0)") + "," + Url("c", " javascript:x") + "," +
            Folder("20", "outer", Folder("21", "inner", Url("d", "javascript:y"))) + "," +
            Folder("22", "e", "")),
       "书签栏#1[] 其他书签#2[] 移动设备书签#3[]"},
      // Names outside code page 936 stay as they are; line breaks become blanks; a bookmark
      // without a name shows its address. Unknown kinds and odd members are skipped.
      {File(Url("😀 Café 𠀀", "http://a.cn/") + "," + Url(R"(two\nlines)", "http://b.cn/") + "," +
            Url("", "http://c.cn/") +
            R"(,{"type":"separator","name":"s"},{"type":"url","name":3,"url":"http://d.cn/"},)" +
            R"({"type":"url","name":"no address"},7,[])"),
       "书签栏#1[😀 Café 𠀀=http://a.cn/ two lines=http://b.cn/ http://c.cn/=http://c.cn/ "
       "http://d.cn/=http://d.cn/] 其他书签#2[] 移动设备书签#3[]"},
      // An older browser's file has no synced folder.
      {R"({"roots":{"bookmark_bar":{"type":"folder","id":"1","children":[]},"other":{"children":[]}}})",
       "书签栏#1[] 其他书签#[] 移动设备书签#[]"},
      // Damaged files: not JSON, cut short while written, invalid UTF-8, the wrong shape.
      {"", "error 2"},
      {"<html>", "error 2"},
      {File(Url("a", "http://a.cn/")).substr(0, 60), "error 2"},
      {File(Url("\xC0\xAF", "http://a.cn/")), "error 2"},
      {"[]", "error 3"},
      {R"({"roots":[]})", "error 3"},
      {R"({"roots":{"other":{}}})", "error 3"},
      {R"({"roots":{"bookmark_bar":[]}})", "error 3"},
      {std::string(100000, '[') + std::string(100000, ']'), "error 3"},
      {File(tooDeep), "书签栏#1[] 其他书签#2[] 移动设备书签#3[]"},
  };
  for (const Case& c : cases) EXPECT_EQ(Dump(ReadChromiumBookmarks(c.json)), c.tree) << c.json;
}

TEST(BookmarkTree, FoldersAreFoundByIdThenByPathAndListedWithTheirPaths) {
  const BookmarkTree tree =
      ReadChromiumBookmarks(
          File(Url("a", "http://a.cn/") + "," +
                   Folder("10", "工作",
                          Folder("11", "项目", Url("b", "http://b.cn/")) + "," + Url("c", "http://c.cn/")),
               Folder("12", "旧", Url("d", "http://d.cn/"))))
          .Tree;
  using Ref = BookmarkFolderRef;
  struct Case {
    Ref ref;
    const BookmarkNode* found;
  } cases[] = {
      {Ref{}, &tree.Bar},
      {Ref{"", {"other"}}, &tree.Other},
      {Ref{"11", {"other", "gone"}}, &tree.Bar.Children[1].Children[0]},  // renamed or moved: the id
      {Ref{"99", {"bookmark_bar", "工作", "项目"}}, &tree.Bar.Children[1].Children[0]},  // new ids: the path
      {Ref{"99", {"bookmark_bar", "项目"}}, nullptr},
      {Ref{"", {"bookmark_bar", "a"}}, nullptr},  // a bookmark is no folder
      {Ref{"", {"menu"}}, nullptr},
      {Ref{"", {}}, nullptr},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindBookmarkFolder(tree, c.ref), c.found) << JoinBookmarkPath(c.ref.Path);

  std::vector<std::string> listed;
  for (const BookmarkFolderEntry& e : ListBookmarkFolders(tree))
    listed.push_back(std::to_string(e.Depth) + " " + e.Shown + " " + e.Ref.Id + " " +
                     JoinBookmarkPath(e.Ref.Path));
  EXPECT_EQ(listed, (std::vector<std::string>{
                        "0 书签栏  bookmark_bar",
                        "1 书签栏 › 工作 10 bookmark_bar\\工作",
                        "2 书签栏 › 工作 › 项目 11 bookmark_bar\\工作\\项目",
                        "0 其他书签  other",
                        "1 其他书签 › 旧 12 other\\旧",
                        "0 移动设备书签  synced",
                    }));
  std::vector<std::string> found;
  for (const BookmarkEntry& e : ListBookmarks(tree.Bar, "书签栏"))
    found.push_back(e.Node->Title + " " + e.FolderShown);
  EXPECT_EQ(found, (std::vector<std::string>{"a 书签栏", "b 书签栏 › 工作 › 项目", "c 书签栏 › 工作"}));
  EXPECT_EQ(BookmarkButtons(tree.Bar),
            (std::vector<GroupButton>{{"a", "http://a.cn/", false}, {"工作", "", true}}));
}

TEST(BookmarkTree, StoredPathsSplitBackIntoTheirParts) {
  for (const std::vector<std::string>& path : std::vector<std::vector<std::string>>{
           {}, {"other"}, {"bookmark_bar", "", "工作"}, {"bookmark_bar", "a", ""}})
    EXPECT_EQ(SplitBookmarkPath(JoinBookmarkPath(path)), path) << JoinBookmarkPath(path);
}

TEST(BrowserProfiles, ProfilesAreNamedFromLocalStateInTheBrowsersOrder) {
  const std::string localState =
      R"({"profile":{"info_cache":{"Default":{"name":"个人"},"Profile 2":{"name":"工作 😀"},)"
      R"("Profile 10":{"name":7},"Profile 1":{}}}})";
  EXPECT_EQ(ParseLocalStateProfiles(localState),
            (std::vector<ProfileName>{{"Default", "个人"}, {"Profile 2", "工作 😀"}}));
  for (const char* damaged : {"", "{", "[]", R"({"profile":[]})", R"({"profile":{"info_cache":1}})"})
    EXPECT_EQ(ParseLocalStateProfiles(damaged), std::vector<ProfileName>{}) << damaged;

  const BrowserInfo& edge = *FindBrowser("edge");
  const auto profiles = NameBrowserProfiles(
      edge, "C:\\U\\Edge\\User Data\\",
      {"Profile 10", "Guest Profile", "Work", "Profile 2", "System Profile", "Default"}, localState);
  std::vector<std::string> shown;
  for (const BrowserProfile& p : profiles)
    shown.push_back(p.Folder + "|" + p.Name + "|" + p.BookmarksPath + "|" + BookmarkGroupTitle(p, true));
  EXPECT_EQ(
      shown,
      (std::vector<std::string>{
          "Default|个人|C:\\U\\Edge\\User Data\\Default\\Bookmarks|Microsoft Edge - 个人",
          // A name the group file cannot hold in a title gives way to the folder's.
          "Profile 2|工作 😀|C:\\U\\Edge\\User Data\\Profile 2\\Bookmarks|Microsoft Edge - Profile 2",
          "Profile 10|Profile 10|C:\\U\\Edge\\User Data\\Profile 10\\Bookmarks|Microsoft Edge - Profile 10",
          "Work|Work|C:\\U\\Edge\\User Data\\Work\\Bookmarks|Microsoft Edge - Work",
      }));
  EXPECT_EQ(BookmarkGroupTitle(profiles[0], false), "Microsoft Edge");

  const KnownFolderPaths known{"C:\\U\\Local", "C:\\U\\Roaming\\"};
  EXPECT_EQ(BookmarksFilePath({"360se", "Profile 1", {}}, known),
            "C:\\U\\Roaming\\360se6\\User Data\\Profile 1\\Bookmarks");
  EXPECT_EQ(BookmarksFilePath({"chrome", "Default", {}}, known),
            "C:\\U\\Local\\Google\\Chrome\\User Data\\Default\\Bookmarks");
  EXPECT_EQ(BookmarksFilePath({"gone", "Default", {}}, known), "");
  EXPECT_EQ(BookmarksFilePath({"chrome", "Default", {}}, {"", "C:\\R"}), "");
}

}  // namespace
}  // namespace wendlix
