// Loading the groups listed in the bar settings from the group file, first run included,
// and the fills that turn a record into its launch buttons.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"

namespace wendlix {

class IniFile;

// What a shortcut group needs of the file system; the program answers from the disk,
// tests from a table.
class ShortcutFolder {
 public:
  enum class Entry { kNone, kFile, kFolder, kFolderWithShortcuts };
  virtual ~ShortcutFolder() = default;
  // The entries to show for `folder` (ending in "\"): subfolders, then shortcut files,
  // hidden ones included; empty when the folder does not exist.
  virtual std::vector<std::string> List(const std::string& folder) const = 0;
  virtual Entry Probe(const std::string& path) const = 0;
};

// The launch buttons of a shortcut group: the saved order kept for the names still in
// the folder, new names after them; a name that is neither file nor folder gives none.
std::vector<GroupButton> ShortcutGroupButtons(std::string_view directory,
                                              const std::vector<std::string>& savedOrder,
                                              const ShortcutFolder& folder);

// Refills `group.Buttons` by kind: 0 from its folder, 1 and above from the button section.
void FillGroup(const IniFile& gpf, GroupRecord& group, const ShortcutFolder& folder);

// The one button of the first-run web and e-mail groups.
GroupButton FirstRunButton(std::uint16_t kind);

// The Quick Launch folder below the user's roaming application-data folder.
std::string QuickLaunchFolder(std::string_view appDataFolder);

// No group listed in the bar settings: the three default groups are tried instead.
bool IsFirstRun(int groupCount, const std::vector<std::string>& names);

struct LoadedGroups {
  bool FirstRun = false;
  std::vector<GroupRecord> Groups;  // band order
  // Listed names the group file held no group for, when it could not be read cleanly (missing,
  // unreadable, damaged or empty): they stay listed. After a clean read such names are dropped.
  std::vector<std::string> Unread;
};

// How a shortcut group shown as a band gets its buttons when the groups are loaded.
enum class FolderListing {
  kNow,
  // From its saved order alone, when it has one (FromSavedOrder). Listing a full bar's folders is
  // most of its start-up, and a band squeezed to its header shows none of their buttons: the
  // window lists a folder once its band shows a button, and the rest after its first paint.
  kWhenShown,
};

// The buttons a shortcut group shows from its saved order before its folder is listed: each
// name once, none a folder, no empty one.
std::vector<GroupButton> SavedOrderButtons(std::string_view directory,
                                           const std::vector<std::string>& savedOrder);

// Builds the groups named in the bar settings ("Groups" count and the key names of its
// "Groups" section). A name without a non-empty section in the group file gives no
// group. In first-run mode the three default groups get their overrides by position and
// the web and e-mail groups' button sections are rewritten with their single default
// button, which is why `gpf` is written to.
LoadedGroups LoadGroups(IniFile& gpf, int groupCount, const std::vector<std::string>& names,
                        std::string_view quickLaunchFolder, const ShortcutFolder& folder,
                        FolderListing listing = FolderListing::kNow);

// The band bar is shown when at least one group is visible.
bool AnyGroupVisible(const std::vector<GroupRecord>& groups);

}  // namespace wendlix
