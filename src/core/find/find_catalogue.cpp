#include "core/find/find_catalogue.h"

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

}  // namespace

bool FindNeedsFill(const GroupPanel& group) { return !ShownAsBand(group.Data) && group.Children.size() <= 1; }

void AddFindGroup(const std::vector<GroupPanel>& groups, std::size_t group, const LaunchCounts& counts,
                  FindCatalogue& catalogue) {
  const GroupPanel& g = groups[group];
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
