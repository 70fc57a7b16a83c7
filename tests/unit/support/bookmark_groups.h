// A browser's bookmarks file as the unit tests read it, and a bookmarks group that took it.
#pragma once
#include <string>

#include "core/bookmarks/bookmark_group.h"
#include "core/platform/file_io.h"

namespace wendlix::testing_support {

// A profile's file: two folders deep on the bookmark bar, a bookmarklet, one of the other
// bookmarks (the end-to-end case and the README's pictures show the same file).
inline const std::string kBookmarksJson =
    platform::ReadWholeFile(std::string(WENDLIX_TEST_DATA) + "/bookmarks/Bookmarks").value_or(std::string());

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
