// Where the current user's browsers keep their bookmark files, and reading one of them.
#pragma once
#include <string>
#include <vector>

#include "core/bookmarks/bookmark_browsers.h"
#include "core/bookmarks/bookmark_tree.h"

namespace wendlix {

// The "Bookmarks" file of the source's browser profile for the current user; empty for a browser
// this copy does not know.
std::string BookmarksFileOf(const BookmarkSource& source);

// Reads and parses the file without writing it, keeping it open or keeping the browser from
// writing, renaming or deleting it meanwhile. kMissing when it cannot be read at all.
BookmarkReadResult ReadBookmarksFile(const std::string& path);

// Every profile of the supported browsers that holds a "Bookmarks" file, in the browsers' order
// and each browser's own order of its profiles.
std::vector<BrowserProfile> FindProfilesWithBookmarks();

}  // namespace wendlix
