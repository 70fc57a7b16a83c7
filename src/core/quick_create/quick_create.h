// Quick-create of shortcut groups on well-known shell folders: which folder an item stands
// for, whether a group on it exists already, and the record of a new one. The window
// layer resolves the folder (creating the drives folder and its shortcuts for Tag 5) and
// carries the decision out.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/bar/panel_data.h"

namespace wendlix {

enum class QuickFolder : std::uint8_t { kNone, kDesktop, kPrograms, kQuickLaunch, kFavorites, kDrives };

// Tags 1 to 5 of the shell-folder items; any other Tag stands for no folder.
QuickFolder QuickFolderOfTag(int tag);

inline constexpr char kQuickLaunchTitle[] = "Quick Launch";
inline constexpr char kDrivesFolderName[] = "Drivers";

// The drives folder, which holds the drive shortcuts, in `folder` (the settings files' folder).
std::string DrivesFolderPath(std::string_view folder);

// The title of a new group: the caption up to its first "(" ("桌面(&D)" gives 桌面), with
// any accelerator mark removed; the Quick Launch item's title is fixed.
std::string QuickGroupTitle(int tag, std::string_view caption);

// `title`, or when another group already has it (compared ignoring case) the first free
// of "title(1)", "title(2)", ...
std::string FreeGroupTitle(std::string_view title, const std::vector<std::string>& titles);

// The record of a new shortcut group on `folder`: the new-group defaults with the
// quick-create colours and a copy of the main window's font.
GroupRecord QuickFolderGroup(std::string_view title, std::string_view folder, const GroupFont& mainFont);

struct QuickFolderDecision {
  enum class Action : std::uint8_t {
    kNothing,       // no folder: nothing is created
    kShowExisting,  // set Visible on groups[Existing], rebuild it and the collapsed panel
    kCreate,        // CreateGroupPanel(NewGroup), ApplyGroupAppearance, RebuildCollapsedPanel
  };
  Action Act = Action::kNothing;
  std::size_t Existing = 0;
  GroupRecord NewGroup;
};

// `folder` is the resolved folder of the item (empty when there is none); `groups` the
// bar's records in band order. Only a shortcut group whose folder, with a final "\",
// equals the folder ignoring case is reused (the first one). A new group's title is none of
// the groups' nor of `taken` (the titles kept from a start that could not read their records).
QuickFolderDecision DecideQuickFolder(int tag, std::string_view caption, std::string_view folder,
                                      const std::vector<GroupPanel>& groups, const GroupFont& mainFont,
                                      const std::vector<std::string>& taken = {});

// Quick-create of a group on a browser profile's bookmarks (`source`, its folder the bookmark
// bar): a web group already following that profile is shown again (the first one);
// otherwise a new one titled `title` (or the first free title after it), shown as a band.
QuickFolderDecision DecideQuickBookmarks(std::string_view title, const BookmarkSource& source,
                                         const std::vector<GroupPanel>& groups, const GroupFont& mainFont,
                                         const std::vector<std::string>& taken = {});

}  // namespace wendlix
