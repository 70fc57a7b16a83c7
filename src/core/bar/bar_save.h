// What closing the bar writes into the bar settings file and the group file.
#pragma once
#include <functional>
#include <optional>
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

// Saves the two files WriteBarDocuments wrote, the records before the list that names them, as a
// command that changes the list does (SaveGroupListChange): the group file, then the settings. A
// group file that cannot be saved leaves the settings `stored`, the list they held (ReadGroupList
// before the writes), with the rest of them saved all the same: a list naming a group whose record
// is not on disk would lose that group at the next start. `save` replaces one file whole
// (IniFile::Save when empty). Returns the first step that failed: kWriteGroups for the group file,
// kList for the settings.
std::optional<GroupListStep> SaveBarDocuments(IniFile& ini, IniFile& gpf,
                                              const std::vector<GroupListEntry>& stored,
                                              const std::function<bool(IniFile&)>& save = {});

// The list entry of each group, in band order.
std::vector<GroupListEntry> GroupListOf(const std::vector<GroupRecord>& groups);

}  // namespace wendlix
