// Where a web group's bookmarks come from: a browser, one of its profiles and a folder of
// that profile's bookmarks. Stored in the group's own section under keys older copies do
// not know, so they read the group as the plain web group it also is.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// The browser's own names of its three top folders, first in a stored folder path.
inline constexpr std::string_view kBookmarkBarRoot = "bookmark_bar";
inline constexpr std::string_view kOtherBookmarksRoot = "other";
inline constexpr std::string_view kSyncedBookmarksRoot = "synced";

// One folder of a profile's bookmarks. The browser's id follows the folder through renames
// and moves; the path (a root's name, then the titles below it) finds it again when the
// browser gave new ids (a profile synced afresh). A root has no id here: its name suffices.
struct BookmarkFolderRef {
  std::string Id;
  std::vector<std::string> Path{std::string(kBookmarkBarRoot)};

  bool operator==(const BookmarkFolderRef&) const = default;
};

struct BookmarkSource {
  std::string Browser;  // BrowserInfo::Key; empty: the group is no bookmarks group
  std::string Profile;  // the profile's folder under User Data ("Default", "Profile 1")
  BookmarkFolderRef Folder;

  bool Empty() const { return Browser.empty(); }
  bool operator==(const BookmarkSource&) const = default;
};

// The stored form of a path: its parts joined by "\". A title holding "\" then no longer
// reads back as one part, and the id alone finds the folder.
std::string JoinBookmarkPath(const std::vector<std::string>& path);
std::vector<std::string> SplitBookmarkPath(std::string_view stored);

}  // namespace wendlix
