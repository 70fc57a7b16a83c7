// What closing the bar writes into the bar settings file and the group file.
#pragma once
#include <vector>

#include "core/bar/bar_settings.h"
#include "core/bar/group_list.h"
#include "core/bar/panel_data.h"
#include "core/tweaks/system_tweaks.h"

namespace wendlix {

class IniFile;

// Writes the bar settings, "Application Config" when `settings.ReLoadSet` (with the
// shell windows' states), and the group list afresh in band order. Every visible group
// is saved to the group file, its buttons too when it holds any; a hidden group keeps
// what the group file last held but stays in the list. `kept` are list entries (name,
// stored value) whose groups could not be read at start: they stay listed after the groups
// (GroupList), so that a group file damaged or held open at start does not cost the list.
void WriteBarDocuments(IniFile& ini, IniFile& gpf, const BarSettings& settings, const TweakFlags& tweaks,
                       const ShellWindowStates& shell, const std::vector<GroupRecord>& groups,
                       const std::vector<GroupListEntry>& kept = {});

// The list entry of each group, in band order.
std::vector<GroupListEntry> GroupListOf(const std::vector<GroupRecord>& groups);

}  // namespace wendlix
