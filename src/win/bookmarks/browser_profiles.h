// The current user's browser profiles and their bookmark files, as Windows has them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/bookmarks/bookmark_browsers.h"
#include "core/bookmarks/bookmark_tree.h"

namespace wendlix {

// Local and roaming application data of the current user, asked once (live groups ask at every
// layout); a folder Windows does not give stays empty.
const KnownFolderPaths& CurrentUserKnownFolders();

// Every profile of the supported browsers under `known` that holds a "Bookmarks" file, in
// SupportedBrowsers() order and each browser's profile order.
std::vector<BrowserProfile> FindBrowserProfiles(const KnownFolderPaths& known);

// Reads and parses a "Bookmarks" file without writing it or keeping it open, and without
// keeping the browser from writing, renaming or deleting it meanwhile. kMissing when the
// file is absent or cannot be read.
BookmarkReadResult ReadBookmarkFile(const std::string& path);

}  // namespace wendlix
