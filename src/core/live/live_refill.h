// The refill of a watched shortcut group after its folder changed, and the group file's
// follow-up: the saved order gains the new names and loses the removed ones, as a refresh
// would leave it, and a renamed entry keeps its place.
#pragma once
#include <string_view>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/live/folder_state.h"
#include "core/live/live_schedule.h"

namespace wendlix {

class IniFile;
class ShortcutFolder;

// Each rename, in order, replaces the old name where it stands in the group's saved order
// (the first entry of that name, compared as file names are). A new name the group file
// cannot hold leaves the entry as it was: the renamed file then shows at the end.
void ApplyRenames(IniFile& gpf, std::string_view title, const std::vector<LiveRename>& renames);

// Refills `panel` from its folder after `renames`, then rewrites its button section to what
// it shows, by the group file's own save (a name the file cannot hold is shown, not stored).
// True when that changed the section: the caller then saves `gpf`, once. While the folder
// is not present the group shows what it lists (nothing) and `gpf` stays untouched: a drive
// that went away must not take the saved order with it.
bool RefillLiveGroup(GroupPanel& panel, IniFile& gpf, const ShortcutFolder& folder,
                     const std::vector<LiveRename>& renames, FolderState state);

}  // namespace wendlix
