#include "core/bookmarks/bookmark_group.h"

#include <memory>

namespace wendlix {
namespace {

// The folder's path as the find box shows it ("书签栏 › 工作").
std::string ShownFolderPath(const BookmarkTree& tree, const BookmarkNode& folder) {
  for (const BookmarkNode* root : {&tree.Bar, &tree.Other, &tree.Synced})
    if (root == &folder) return root->Title;
  for (const BookmarkFolderEntry& e : ListBookmarkFolders(tree))
    if (!e.Ref.Id.empty() && e.Ref.Id == folder.Id) return e.Shown;
  return folder.Title;
}

}  // namespace

bool IsBookmarkGroup(const TPanelData& d) { return d.PanelStyle == gkWeb && !d.Bookmarks.Empty(); }

bool TakeBookmarkReading(GroupPanel& panel, const BookmarkReadResult& reading) {
  using enum BookmarksState;
  if (!reading) {
    panel.BookmarksRead = reading.Error == BookmarkReadError::kMissing ? kMissing : kDamaged;
    return false;
  }
  ShowBookmarkFolder(panel, std::make_shared<const BookmarkTree>(reading.Tree));
  return true;
}

void ShowBookmarkFolder(GroupPanel& panel, std::shared_ptr<const BookmarkTree> tree) {
  static const BookmarkNode kNoFolder;
  const BookmarkNode* folder = FindBookmarkFolder(*tree, panel.Data.Bookmarks.Folder);
  panel.BookmarksRead = folder ? BookmarksState::kRead : BookmarksState::kFolderGone;
  panel.ShownBookmarksPath = folder ? ShownFolderPath(*tree, *folder) : std::string();
  panel.ShownBookmarks = std::shared_ptr<const BookmarkNode>(tree, folder ? folder : &kNoFolder);
  panel.BookmarkFile = std::move(tree);
  FillBookmarkGroup(panel);
}

std::string BookmarkGroupHint(const GroupPanel& panel, std::string_view browserName, std::string_view file) {
  const char* why = nullptr;
  switch (panel.BookmarksRead) {
    case BookmarksState::kNotRead:
    case BookmarksState::kRead: return panel.Data.Title;
    case BookmarksState::kMissing: why = "找不到浏览器的书签文件，显示的是上次保存的书签。"; break;
    case BookmarksState::kDamaged: why = "浏览器的书签文件现在读不出来，显示的是上次读到的书签。"; break;
    case BookmarksState::kFolderGone: why = "浏览器的书签里已没有这个文件夹。"; break;
  }
  std::string hint = panel.Data.Title;
  hint.append("\r\n").append(why).append("\r\n书签来自 ").append(browserName);
  hint.append("，用户配置 ").append(panel.Data.Bookmarks.Profile).append("：\r\n").append(file);
  return hint;
}

const BookmarkNode* BookmarkFolderOf(const GroupPanel& panel, int button) {
  if (!panel.ShownBookmarks || button < 0 || button >= static_cast<int>(panel.Children.size()))
    return nullptr;
  // The buttons are the folder's children in order, then the collapse button.
  const std::vector<BookmarkNode>& children = panel.ShownBookmarks->Children;
  if (static_cast<std::size_t>(button) >= children.size() || !panel.Children[button].IsDirectory)
    return nullptr;
  const BookmarkNode& node = children[button];
  return node.IsFolder ? &node : nullptr;
}

}  // namespace wendlix
