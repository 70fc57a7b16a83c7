#include "core/bar/bar_save.h"

#include <algorithm>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"

namespace wendlix {

void WriteBarDocuments(IniFile& ini, IniFile& gpf, const BarSettings& settings, const TweakFlags& tweaks,
                       const ShellWindowStates& shell, const std::vector<GroupRecord>& groups,
                       const std::vector<std::pair<std::string, std::string>>& kept) {
  std::vector<const std::pair<std::string, std::string>*> stillKept;
  for (const auto& entry : kept) {
    const bool taken = std::any_of(groups.begin(), groups.end(),
                                   [&](const GroupRecord& g) { return SameTextAscii(g.Data.Title, entry.first); });
    if (!taken) stillKept.push_back(&entry);
  }
  WriteBarSettings(ini, settings, static_cast<int>(groups.size() + stillKept.size()));
  if (settings.ReLoadSet) WriteSystemTweaks(ini, tweaks, shell);
  for (const std::string& key : ini.ReadSection(kGroupsSection)) ini.DeleteKey(kGroupsSection, key);
  for (const GroupRecord& g : groups) {
    if (g.Data.Visible) SaveGroup(gpf, g, !g.Buttons.empty());
    ini.WriteString(kGroupsSection, g.Data.Title, g.Data.Directory);
  }
  for (const auto* entry : stillKept) ini.WriteString(kGroupsSection, entry->first, entry->second);
}

}  // namespace wendlix
