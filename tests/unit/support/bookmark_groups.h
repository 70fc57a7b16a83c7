// A browser's bookmarks file as the unit tests read it, and a bookmarks group that took it.
#pragma once
#include <string>

#include "core/bookmarks/bookmark_group.h"

namespace wendlix::testing_support {

// Two folders deep on the bookmark bar, a bookmarklet, and one of the other bookmarks.
// clang-format off
inline const std::string kBookmarksJson = R"json({"checksum": "0", "roots": {
  "bookmark_bar": {"id": "1", "name": "Bookmarks bar", "type": "folder", "children": [
    {"id": "5", "name": "新闻", "type": "url", "url": "https://news.example.cn/"},
    {"id": "6", "name": "工作", "type": "folder", "children": [
      {"id": "7", "name": "周报", "type": "url", "url": "https://work.example.cn/weekly"},
      {"id": "8", "name": "项目", "type": "folder", "children": [
        {"id": "9", "name": "看板", "type": "url", "url": "https://work.example.cn/board"}]}]},
    {"id": "10", "name": "书签工具", "type": "url", "url": "javascript:alert(1)"}]},
  "other": {"id": "2", "name": "Other bookmarks", "type": "folder", "children": [
    {"id": "11", "name": "地图", "type": "url", "url": "https://map.example.cn/"}]},
  "synced": {"id": "3", "name": "Mobile bookmarks", "type": "folder", "children": []}},
  "version": 1})json";
// clang-format on

// A web group on a profile's bookmarks (its folder the bookmark bar unless given), as the
// group file brings it: its saved buttons, nothing read yet.
inline GroupPanel BookmarkGroup(const std::string& title, BookmarkFolderRef folder = {}) {
  GroupRecord r;
  r.Data.Title = title;
  r.Data.PanelStyle = gkWeb;
  r.Data.ShowAsButton = false;
  r.Data.Bookmarks = {"edge", "Default", std::move(folder)};
  r.Buttons = {{"旧书签", "https://old.example.cn/", false}};
  return PanelFromRecord(r, 0);
}

}  // namespace wendlix::testing_support
