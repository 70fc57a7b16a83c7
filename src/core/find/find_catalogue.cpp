#include "core/find/find_catalogue.h"

#include "core/bookmarks/bookmark_group.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

// Bar order: the group, the button inside it, the entry inside a folder button (0 for the button).
constexpr int kButtonShift = 24;
constexpr int kGroupShift = 48;

std::uint64_t OrderOf(std::size_t group, std::size_t button) {
  return (static_cast<std::uint64_t>(group) << kGroupShift) |
         (static_cast<std::uint64_t>(button) << kButtonShift);
}

// A bookmarks group: its buttons, and inside each folder button every bookmark at any depth,
// each shown with its folder's path.
void AddFindBookmarks(const GroupPanel& g, std::size_t group, const LaunchCounts& counts,
                      FindCatalogue& catalogue) {
  for (std::size_t i = 0; i < g.Children.size(); ++i) {
    const BarButton& b = g.Children[i];
    if (b.IsCollapse()) continue;
    std::uint64_t order = OrderOf(group, i);
    catalogue.Candidates.push_back({b.Hint, g.ShownBookmarksPath, order, counts.Of(b.FileName)});
    catalogue.Targets.push_back({static_cast<int>(group), static_cast<int>(i), b.FileName, false});
    const BookmarkNode* folder = BookmarkFolderOf(g, static_cast<int>(i));
    if (!folder) continue;
    for (const BookmarkEntry& e :
         ListBookmarks(*folder, ShownBookmarkPath({g.ShownBookmarksPath, folder->Title}))) {
      catalogue.Candidates.push_back({e.Node->Title, e.FolderShown, ++order, counts.Of(e.Node->Url)});
      catalogue.Targets.push_back({static_cast<int>(group), static_cast<int>(i), e.Node->Url, true});
    }
  }
}

}  // namespace

bool FindNeedsFill(const GroupPanel& group) { return !ShownAsBand(group.Data) && group.Children.size() <= 1; }

void AddFindGroup(const std::vector<GroupPanel>& groups, std::size_t group, const LaunchCounts& counts,
                  FindCatalogue& catalogue) {
  const GroupPanel& g = groups[group];
  if (g.ShownBookmarks) return AddFindBookmarks(g, group, counts, catalogue);
  for (std::size_t i = 0; i < g.Children.size(); ++i) {
    const BarButton& b = g.Children[i];
    if (b.IsCollapse()) continue;
    const std::uint64_t order = OrderOf(group, i);
    catalogue.Candidates.push_back({b.Hint, g.Data.Title, order, counts.Of(b.FileName)});
    catalogue.Targets.push_back({static_cast<int>(group), static_cast<int>(i), b.FileName, false});
    if (b.IsDirectory)
      catalogue.Folders.push_back(
          {static_cast<int>(group), static_cast<int>(i), b.FileName, g.Data.Title + "/" + b.Hint, order});
  }
}

void AddFindFolderEntries(const FindFolder& folder, const std::vector<std::string>& names,
                          const LaunchCounts& counts, FindCatalogue& catalogue) {
  const std::string base = AddBackslash(folder.Path);
  std::uint64_t order = folder.Order;
  for (const std::string& name : names) {
    const std::string path = base + name;
    catalogue.Candidates.push_back({ExtractFileBaseName(name), folder.Title, ++order, counts.Of(path)});
    catalogue.Targets.push_back({folder.Group, folder.Button, path, true});
  }
}

}  // namespace wendlix
