// The Chromium-family browsers whose bookmarks a web group can follow, where each keeps
// its profiles, and the group such a profile makes.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/bookmarks/bookmark_tree.h"

namespace wendlix {

enum class KnownFolder : std::uint8_t { kLocalAppData, kRoamingAppData };

struct BrowserInfo {
  std::string_view Key;   // stored in the group file; never changes
  std::string_view Name;  // as the browser names itself
  KnownFolder Base;
  std::string_view UserData;  // below Base, "\"-separated
};

// The current user's two known folders, as Windows gives them.
struct KnownFolderPaths {
  std::string LocalAppData;
  std::string RoamingAppData;
};

// The browser's User Data folder, with a final "\"; empty when its known folder is.
std::string BrowserUserDataPath(const BrowserInfo& browser, const KnownFolderPaths& known);
// The "Bookmarks" file a group's source follows; empty for a browser not in the list.
std::string BookmarksFilePath(const BookmarkSource& source, const KnownFolderPaths& known);

// In the order quick-create lists them.
std::span<const BrowserInfo> SupportedBrowsers();
const BrowserInfo* FindBrowser(std::string_view key);

inline constexpr std::string_view kBookmarksFileName = "Bookmarks";
inline constexpr std::string_view kLocalStateFileName = "Local State";

// A profile found on this computer: its folder under User Data holds a "Bookmarks" file.
struct BrowserProfile {
  const BrowserInfo* Browser = nullptr;
  std::string Folder;  // "Default", "Profile 1"
  std::string Name;    // as the browser shows it; the folder's name when Local State has none
  std::string BookmarksPath;

  bool operator==(const BrowserProfile&) const = default;
};

// The profiles of one browser from the folders under its User Data that hold a
// "Bookmarks" file, named from its "Local State" text (empty when there is none), in the
// browser's own order: "Default" first, then "Profile 1", "Profile 2", ... by number.
std::vector<BrowserProfile> NameBrowserProfiles(const BrowserInfo& browser, std::string_view userDataPath,
                                                const std::vector<std::string>& folders,
                                                std::string_view localStateJson);

// The title of a new group: the browser's name, and " - " and the profile's name when the
// browser has more than one profile here.
std::string BookmarkGroupTitle(const BrowserProfile& profile, bool severalProfiles);

// The group's buttons for `folder`: a web button per bookmark (its title, its address) and
// a folder button per sub-folder (IsDirectory, no address: the group file keeps only the
// addresses, which is what an older copy shows).
std::vector<GroupButton> BookmarkButtons(const BookmarkNode& folder);

}  // namespace wendlix
