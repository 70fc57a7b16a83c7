#include "win/bookmarks/bookmark_files.h"

#include <windows.h>
#include <shlobj.h>

#include "core/platform/file_io.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"

namespace wendlix {
namespace {

// The user's application-data folders, asked once: the live groups ask at every layout.
const std::string& KnownFolderPath(KnownFolder folder) {
  static const std::string local = SpecialFolderPathOrEmpty(CSIDL_LOCAL_APPDATA);
  static const std::string roaming = SpecialFolderPathOrEmpty(CSIDL_APPDATA);
  return folder == KnownFolder::kLocalAppData ? local : roaming;
}

std::string UserDataFolder(const BrowserInfo& browser) {
  std::string base = KnownFolderPath(browser.Base);
  if (base.empty()) return {};
  if (base.back() != '\\') base += '\\';
  return base + std::string(browser.UserData);
}

// The sub-folders of `folder` that hold a file `name`.
std::vector<std::string> FoldersHolding(const std::string& folder, std::string_view name) {
  std::vector<std::string> out;
  WIN32_FIND_DATAW data{};
  unique_find find(FindFirstFileExW(ToWide(folder + "\\*").c_str(), FindExInfoBasic, &data,
                                    FindExSearchLimitToDirectories, nullptr, 0));
  if (!find) return out;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::string sub = FromWide(data.cFileName);
    if (sub == "." || sub == "..") continue;
    const DWORD attributes =
        GetFileAttributesW(ToWide(folder + "\\" + sub + "\\" + std::string(name)).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(sub);
  } while (FindNextFileW(find.get(), &data));
  return out;
}

}  // namespace

std::string BookmarksFileOf(const BookmarkSource& source) {
  const BrowserInfo* browser = FindBrowser(source.Browser);
  if (!browser) return {};
  const std::string userData = UserDataFolder(*browser);
  if (userData.empty()) return {};
  return userData + "\\" + source.Profile + "\\" + std::string(kBookmarksFileName);
}

BookmarkReadResult ReadBookmarksFile(const std::string& path) {
  const std::optional<std::string> bytes = path.empty() ? std::nullopt : platform::ReadWholeFile(path);
  if (!bytes) return {BookmarkReadError::kMissing, {}};
  return ReadChromiumBookmarks(*bytes);
}

std::vector<BrowserProfile> FindProfilesWithBookmarks() {
  std::vector<BrowserProfile> out;
  for (const BrowserInfo& browser : SupportedBrowsers()) {
    const std::string userData = UserDataFolder(browser);
    if (userData.empty()) continue;
    const std::vector<std::string> folders = FoldersHolding(userData, kBookmarksFileName);
    if (folders.empty()) continue;
    const std::string localState =
        platform::ReadWholeFile(userData + "\\" + std::string(kLocalStateFileName)).value_or(std::string());
    for (BrowserProfile& p : NameBrowserProfiles(browser, userData, folders, localState))
      out.push_back(std::move(p));
  }
  return out;
}

}  // namespace wendlix
