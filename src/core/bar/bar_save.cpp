#include "core/bar/bar_save.h"

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"

namespace wendlix {

std::vector<GroupListEntry> GroupListOf(const std::vector<GroupRecord>& groups) {
  std::vector<GroupListEntry> list;
  list.reserve(groups.size());
  for (const GroupRecord& g : groups) list.push_back({g.Data.Title, g.Data.Directory});
  return list;
}

void WriteBarDocuments(IniFile& ini, IniFile& gpf, const BarSettings& settings, const TweakFlags& tweaks,
                       const ShellWindowStates& shell, const std::vector<GroupRecord>& groups,
                       const std::vector<GroupListEntry>& kept) {
  const std::vector<GroupListEntry> list = GroupList(GroupListOf(groups), kept);
  WriteBarSettings(ini, settings, static_cast<int>(list.size()));
  if (settings.ReLoadSet) WriteSystemTweaks(ini, tweaks, shell);
  WriteGroupList(ini, list);
  for (const GroupRecord& g : groups)
    if (g.Data.Visible) SaveGroup(gpf, g, !g.Buttons.empty());
}

std::optional<GroupListStep> SaveBarDocuments(IniFile& ini, IniFile& gpf,
                                              const std::vector<GroupListEntry>& stored,
                                              const std::function<bool(IniFile&)>& save) {
  const auto saved = [&](IniFile& file) { return save ? save(file) : file.Save(); };
  const bool gpfSaved = saved(gpf);
  if (!gpfSaved) WriteGroupList(ini, stored);
  const bool iniSaved = saved(ini);
  if (!gpfSaved) return GroupListStep::kWriteGroups;
  if (!iniSaved) return GroupListStep::kList;
  return std::nullopt;
}

}  // namespace wendlix
