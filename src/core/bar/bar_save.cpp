#include "core/bar/bar_save.h"

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"

namespace wendlix {

void WriteBarDocuments(IniFile& ini, IniFile& gpf, const BarSettings& settings, const TweakFlags& tweaks,
                       const ShellWindowStates& shell, const std::vector<GroupRecord>& groups) {
  WriteBarSettings(ini, settings, static_cast<int>(groups.size()));
  if (settings.ReLoadSet) WriteSystemTweaks(ini, tweaks, shell);
  for (const std::string& key : ini.ReadSection(kGroupsSection)) ini.DeleteKey(kGroupsSection, key);
  for (const GroupRecord& g : groups) {
    if (g.Data.Visible) SaveGroup(gpf, g, !g.Buttons.empty());
    ini.WriteString(kGroupsSection, g.Data.Title, g.Data.Directory);
  }
}

}  // namespace wendlix
