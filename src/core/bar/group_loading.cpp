#include "core/bar/group_loading.h"

#include <algorithm>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/shell/ordered_merge.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

constexpr const char* kFirstRunNames[] = {"Programs", "Internet", "E-Mail"};

// Overrides of the first-run group at 0-based position `index`.
void ApplyFirstRunOverrides(GroupRecord& g, std::size_t index, std::string_view quickLaunchFolder) {
  TPanelData& r = g.Data;
  r.PanelStyle = static_cast<std::uint16_t>(index);
  switch (index) {
    case 0:
      r.Title = "Programs";
      r.Color = kClBtnFace;
      r.ShowAsButton = false;
      r.ShowCaption = false;
      r.BevelDown = false;
      r.Directory = std::string(quickLaunchFolder);
      break;
    case 1:
      r.Title = "Internet";
      r.Color = 0x00F2F2D9;
      r.ShowAsButton = true;
      break;
    default:
      r.Title = "E-Mail";
      r.Color = 0x00CAE8B5;
      r.ShowAsButton = true;
      break;
  }
}

}  // namespace

std::vector<GroupButton> ShortcutGroupButtons(std::string_view directory,
                                              const std::vector<std::string>& savedOrder,
                                              const ShortcutFolder& folder) {
  const std::string dir = AddBackslash(directory);
  std::vector<GroupButton> buttons;
  for (const std::string& name : MergeOrderedList(savedOrder, folder.List(dir))) {
    const std::string path = dir + name;
    const ShortcutFolder::Entry entry = folder.Probe(path);
    if (entry == ShortcutFolder::Entry::kNone) continue;
    buttons.push_back(
        {ExtractFileBaseName(name), path, entry == ShortcutFolder::Entry::kFolderWithShortcuts});
  }
  return buttons;
}

std::vector<GroupButton> SavedOrderButtons(std::string_view directory,
                                           const std::vector<std::string>& savedOrder) {
  const std::string dir = AddBackslash(directory);
  std::vector<GroupButton> buttons;
  for (const std::string& name : MergeOrderedList(savedOrder, savedOrder))
    if (!name.empty()) buttons.push_back({ExtractFileBaseName(name), dir + name, false});
  return buttons;
}

void FillGroup(const IniFile& gpf, GroupRecord& group, const ShortcutFolder& folder) {
  const TPanelData& r = group.Data;
  if (r.PanelStyle == gkShortcut) {
    group.Buttons = ShortcutGroupButtons(r.Directory, ReadSavedOrder(gpf, r.Title), folder);
  } else {
    group.Buttons = ReadAddressButtons(gpf, r.Title, r.PanelStyle);
  }
}

GroupButton FirstRunButton(std::uint16_t kind) {
  if (kind == gkWeb) return {"示例网站", "http://www.example.com/", false};
  return {"示例邮箱", "MAILTO:someone@example.com", false};
}

std::string QuickLaunchFolder(std::string_view appDataFolder) {
  return AddBackslash(appDataFolder) + "Microsoft\\Internet Explorer\\Quick Launch";
}

bool IsFirstRun(int groupCount, const std::vector<std::string>& names) {
  return groupCount == 0 || names.empty();
}

LoadedGroups LoadGroups(IniFile& gpf, int groupCount, const std::vector<std::string>& names,
                        std::string_view quickLaunchFolder, const ShortcutFolder& folder,
                        FolderListing listing) {
  LoadedGroups out;
  out.FirstRun = IsFirstRun(groupCount, names);
  std::vector<std::string> firstRunNames;
  if (out.FirstRun) {
    groupCount = 3;
    firstRunNames.assign(std::begin(kFirstRunNames), std::end(kFirstRunNames));
  }
  const std::vector<std::string>& list = out.FirstRun ? firstRunNames : names;
  // An empty group file says nothing about the groups listed: it may have lost them.
  const bool readCleanly = gpf.Found() && gpf.Damage() == IniDamage::kNone && !gpf.ReadSections().empty();
  // Positions past the end of the list are skipped, so a huge count costs nothing.
  const std::size_t count =
      groupCount > 0 ? std::min<std::size_t>(static_cast<std::size_t>(groupCount), list.size()) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& name = list[i];
    if (gpf.ReadSection(name).empty()) {  // missing or empty section: no group
      if (!out.FirstRun && !readCleanly) out.Unread.push_back(name);
      continue;
    }
    GroupRecord g = ReadGroupRecord(gpf, name);
    if (out.FirstRun) ApplyFirstRunOverrides(g, i, quickLaunchFolder);
    if (ShownAsBand(g.Data)) {
      std::vector<std::string> saved;
      if (listing == FolderListing::kWhenShown && g.Data.PanelStyle == gkShortcut)
        saved = ReadSavedOrder(gpf, g.Data.Title);
      if (saved.empty()) {
        FillGroup(gpf, g, folder);
      } else {
        g.Buttons = SavedOrderButtons(g.Data.Directory, saved);
        g.FromSavedOrder = true;
      }
    }
    if (out.FirstRun && g.Data.PanelStyle != gkShortcut) {
      // The default button is added to the group, which is then rebuilt with saving:
      // its button section ends up holding just what the group shows.
      g.Buttons.push_back(FirstRunButton(g.Data.PanelStyle));
      g.Height = 200;
      SaveGroup(gpf, g, true);
      FillGroup(gpf, g, folder);
    }
    out.Groups.push_back(std::move(g));
  }
  return out;
}

bool AnyGroupVisible(const std::vector<GroupRecord>& groups) {
  return std::any_of(groups.begin(), groups.end(), [](const GroupRecord& g) { return g.Data.Visible; });
}

}  // namespace wendlix
