#include "win/bookmarks/browser_profiles.h"

#include <shlobj.h>

#include "core/platform/file_io.h"
#include "win/shell/shell_folders.h"

namespace wendlix {

const KnownFolderPaths& CurrentUserKnownFolders() {
  static const KnownFolderPaths known{SpecialFolderPathOrEmpty(CSIDL_LOCAL_APPDATA),
                                      SpecialFolderPathOrEmpty(CSIDL_APPDATA)};
  return known;
}

std::vector<BrowserProfile> FindBrowserProfiles(const KnownFolderPaths& known) {
  std::vector<BrowserProfile> found;
  for (const BrowserInfo& browser : SupportedBrowsers()) {
    const std::string userData = BrowserUserDataPath(browser, known);
    if (userData.empty()) continue;
    std::vector<std::string> folders;
    for (const DirEntry& entry : ReadDirEntries(userData)) {
      if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || entry.name == "." || entry.name == "..") continue;
      if (platform::FileExists(userData + entry.name + "\\" + std::string(kBookmarksFileName)))
        folders.push_back(entry.name);
    }
    if (folders.empty()) continue;
    const std::string localState =
        platform::ReadWholeFile(userData + std::string(kLocalStateFileName)).value_or(std::string());
    for (BrowserProfile& p : NameBrowserProfiles(browser, userData, folders, localState))
      found.push_back(std::move(p));
  }
  return found;
}

BookmarkReadResult ReadBookmarkFile(const std::string& path) {
  // ReadWholeFile shares read, write and delete, and closes the file before it returns.
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) return {BookmarkReadError::kMissing, {}};
  return ReadChromiumBookmarks(*bytes);
}

}  // namespace wendlix
