#include "core/quick_create/quick_create.h"

#include "core/button_menu/group_commands.h"
#include "core/exchange/exchange_file.h"
#include "core/shell/ordered_merge.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

constexpr char kFallbackTitle[] = "工具栏";

// "&&" stands for one "&"; a single "&" marks the accelerator.
std::string StripAccelerator(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace

QuickFolder QuickFolderOfTag(int tag) {
  switch (tag) {
    case 1: return QuickFolder::kDesktop;
    case 2: return QuickFolder::kPrograms;
    case 3: return QuickFolder::kQuickLaunch;
    case 4: return QuickFolder::kFavorites;
    case 5: return QuickFolder::kDrives;
    default: return QuickFolder::kNone;
  }
}

std::string DrivesFolderPath(std::string_view folder) { return AddBackslash(folder) + kDrivesFolderName; }

std::string QuickGroupTitle(int tag, std::string_view caption) {
  if (QuickFolderOfTag(tag) == QuickFolder::kQuickLaunch) return kQuickLaunchTitle;
  return StripAccelerator(caption.substr(0, caption.find('(')));
}

std::string FreeGroupTitle(std::string_view title, const std::vector<std::string>& titles) {
  if (!IsTitleTaken(title, titles)) return std::string(title);
  // Among n + 1 candidates at most n are taken.
  for (std::size_t n = 1;; ++n) {
    std::string candidate = std::string(title) + "(" + std::to_string(n) + ")";
    if (!IsTitleTaken(candidate, titles)) return candidate;
  }
}

GroupRecord QuickFolderGroup(std::string_view title, std::string_view folder, const GroupFont& mainFont) {
  GroupRecord g;
  g.Data = NewGroupData();
  g.Data.Title = std::string(title);
  g.Data.PanelStyle = gkShortcut;
  g.Data.Directory = AddBackslash(folder);
  g.Data.Font = mainFont;
  return g;
}

QuickFolderDecision DecideQuickFolder(int tag, std::string_view caption, std::string_view folder,
                                      const std::vector<GroupPanel>& groups, const GroupFont& mainFont,
                                      const std::vector<std::string>& taken) {
  QuickFolderDecision d;
  if (folder.empty()) return d;
  const std::string f = AddBackslash(folder);
  // Folders compare as the file system compares names, not just ASCII letters.
  const std::string key = FileNameKey(f);
  std::vector<std::string> titles = taken;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const TPanelData& g = groups[i].Data;
    if (g.PanelStyle == gkShortcut && FileNameKey(AddBackslash(g.Directory)) == key) {
      d.Act = QuickFolderDecision::Action::kShowExisting;
      d.Existing = i;
      return d;
    }
    titles.push_back(g.Title);
  }
  std::string title = QuickGroupTitle(tag, caption);
  // A caption that gives no title names the group after its folder.
  if (!IsStorableGroupTitle(title)) title = ExtractFileName(std::string_view(f).substr(0, f.size() - 1));
  if (!IsStorableGroupTitle(title)) title = kFallbackTitle;
  d.Act = QuickFolderDecision::Action::kCreate;
  d.NewGroup = QuickFolderGroup(FreeGroupTitle(title, titles), f, mainFont);
  return d;
}

QuickFolderDecision DecideQuickBookmarks(std::string_view title, const BookmarkSource& source,
                                         const std::vector<GroupPanel>& groups, const GroupFont& mainFont,
                                         const std::vector<std::string>& taken) {
  QuickFolderDecision d;
  std::vector<std::string> titles = taken;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const TPanelData& g = groups[i].Data;
    if (g.PanelStyle == gkWeb && g.Bookmarks.Browser == source.Browser &&
        g.Bookmarks.Profile == source.Profile) {
      d.Act = QuickFolderDecision::Action::kShowExisting;
      d.Existing = i;
      return d;
    }
    titles.push_back(g.Title);
  }
  d.Act = QuickFolderDecision::Action::kCreate;
  TPanelData& r = d.NewGroup.Data;
  r = NewGroupData();
  r.Title = FreeGroupTitle(IsStorableGroupTitle(title) ? title : kFallbackTitle, titles);
  r.PanelStyle = gkWeb;
  r.Directory.clear();
  // Shown as a band at once, like a collection's group: the bookmark bar is what was asked for.
  r.ShowAsButton = false;
  r.Font = mainFont;
  r.Bookmarks = source;
  return d;
}

}  // namespace wendlix
