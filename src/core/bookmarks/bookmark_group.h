// A web group that shows a browser's bookmarks: what it makes of each reading of the
// browser's file, what its tooltip says, and which folder a folder button opens. The window
// layer reads the file (never writing or locking it) and watches it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/bar/group_construction.h"
#include "core/bookmarks/bookmark_tree.h"

namespace wendlix {

inline constexpr char kBookmarksReadOnlyText[] =
    "这个工具栏显示的是浏览器的书签，由浏览器保管。\r\r请在浏览器中添加、修改或删除这些书签，工具栏会随之更新。";
inline constexpr char kBookmarksCaption[] = "浏览器书签";

bool IsBookmarkGroup(const TPanelData& d);

// Takes one reading of the profile's file. Read cleanly, the group shows its folder (as the
// browser now has it) and its buttons are made again: true. A file that is missing, not
// JSON, or of another shape changes no button: the group keeps what it showed, and its
// tooltip says why. A folder the file no longer holds shows empty.
bool TakeBookmarkReading(GroupPanel& panel, const BookmarkReadResult& reading);
// Shows the folder Data.Bookmarks names of `tree` (nothing when the tree has no such folder),
// its buttons made again: after a reading, or after the group settings chose another folder.
void ShowBookmarkFolder(GroupPanel& panel, std::shared_ptr<const BookmarkTree> tree);

// The group's tooltip: its title, and while it cannot show the browser's bookmarks, why, where
// they came from (the browser and the profile) and which file.
std::string BookmarkGroupHint(const GroupPanel& panel, std::string_view browserName, std::string_view file);

// The bookmarks folder that folder button `button` of `panel` opens; nullptr for any other.
const BookmarkNode* BookmarkFolderOf(const GroupPanel& panel, int button);

}  // namespace wendlix
