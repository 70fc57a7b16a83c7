#include "core/bookmarks/bookmark_browsers.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text/encoding.h"
#include "core/text/paths.h"

namespace wendlix {

namespace {

using enum KnownFolder;

// Each browser's default User Data folder on Windows.
constexpr std::array kBrowsers{
    BrowserInfo{"edge", "Microsoft Edge", kLocalAppData, "Microsoft\\Edge\\User Data"},
    BrowserInfo{"chrome", "Google Chrome", kLocalAppData, "Google\\Chrome\\User Data"},
    BrowserInfo{"360chrome", "360极速浏览器", kLocalAppData, "360Chrome\\Chrome\\User Data"},
    BrowserInfo{"360chromex", "360极速浏览器X", kLocalAppData, "360ChromeX\\Chrome\\User Data"},
    BrowserInfo{"360se", "360安全浏览器", kRoamingAppData, "360se6\\User Data"},
    BrowserInfo{"qqbrowser", "QQ浏览器", kLocalAppData, "Tencent\\QQBrowser\\User Data"},
    BrowserInfo{"centbrowser", "百分浏览器", kLocalAppData, "CentBrowser\\User Data"},
    BrowserInfo{"2345explorer", "2345加速浏览器", kLocalAppData, "2345Explorer\\User Data"},
    BrowserInfo{"brave", "Brave", kLocalAppData, "BraveSoftware\\Brave-Browser\\User Data"},
    BrowserInfo{"vivaldi", "Vivaldi", kLocalAppData, "Vivaldi\\User Data"},
    BrowserInfo{"chromium", "Chromium", kLocalAppData, "Chromium\\User Data"},
};

// "Default" sorts first, then "Profile <n>" by number, then any other folder by name.
std::pair<int, int> ProfileRank(std::string_view folder) {
  if (folder == "Default") return {0, 0};
  constexpr std::string_view prefix = "Profile ";
  if (folder.starts_with(prefix)) {
    int n = 0;
    const char* first = folder.data() + prefix.size();
    const char* last = folder.data() + folder.size();
    const auto [end, ec] = std::from_chars(first, last, n);
    if (ec == std::errc() && end == last) return {1, n};
  }
  return {2, 0};
}

std::string ProfileFilePath(std::string_view userDataPath, std::string_view profile) {
  std::string path = AddBackslash(userDataPath);
  path += profile;
  path += '\\';
  path += kBookmarksFileName;
  return path;
}

}  // namespace

std::string BrowserUserDataPath(const BrowserInfo& browser, const KnownFolderPaths& known) {
  const std::string& base = browser.Base == kLocalAppData ? known.LocalAppData : known.RoamingAppData;
  if (base.empty()) return {};
  return AddBackslash(AddBackslash(base) + std::string(browser.UserData));
}

std::string BookmarksFilePath(const BookmarkSource& source, const KnownFolderPaths& known) {
  const BrowserInfo* browser = FindBrowser(source.Browser);
  const std::string userData = browser ? BrowserUserDataPath(*browser, known) : std::string();
  if (userData.empty() || source.Profile.empty()) return {};
  return ProfileFilePath(userData, source.Profile);
}

std::span<const BrowserInfo> SupportedBrowsers() { return kBrowsers; }

const BrowserInfo* FindBrowser(std::string_view key) {
  for (const BrowserInfo& b : kBrowsers)
    if (b.Key == key) return &b;
  return nullptr;
}

std::vector<BrowserProfile> NameBrowserProfiles(const BrowserInfo& browser, std::string_view userDataPath,
                                                const std::vector<std::string>& folders,
                                                std::string_view localStateJson) {
  const std::vector<ProfileName> names = ParseLocalStateProfiles(localStateJson);
  std::vector<BrowserProfile> profiles;
  for (const std::string& folder : folders) {
    // The browser's own profiles for its sign-in screen and guests, never the user's bookmarks.
    if (folder == "System Profile" || folder == "Guest Profile") continue;
    BrowserProfile p{&browser, folder, folder, ProfileFilePath(userDataPath, folder)};
    for (const ProfileName& n : names)
      if (n.Folder == folder) p.Name = n.Name;
    profiles.push_back(std::move(p));
  }
  std::stable_sort(profiles.begin(), profiles.end(), [](const BrowserProfile& a, const BrowserProfile& b) {
    const auto ra = ProfileRank(a.Folder), rb = ProfileRank(b.Folder);
    return ra != rb ? ra < rb : a.Folder < b.Folder;
  });
  return profiles;
}

std::string BookmarkGroupTitle(const BrowserProfile& profile, bool severalProfiles) {
  std::string title(profile.Browser->Name);
  if (!severalProfiles) return title;
  // The title names the group's sections in the group file, which holds code page 936 only.
  const bool storable = Utf8ToCp936(profile.Name).has_value();
  title += " - ";
  title += storable ? profile.Name : profile.Folder;
  return title;
}

std::vector<GroupButton> BookmarkButtons(const BookmarkNode& folder) {
  std::vector<GroupButton> buttons;
  buttons.reserve(folder.Children.size());
  for (const BookmarkNode& child : folder.Children)
    buttons.push_back({child.Title, child.IsFolder ? std::string() : child.Url, child.IsFolder});
  return buttons;
}

}  // namespace wendlix
