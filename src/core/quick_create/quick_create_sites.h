// Quick-create of web-address groups from the web-site collections beside the program
// (exchange files named after their menu item). A collection never changes the settings
// of a group it matches; it only adds to that group's buttons.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/bar/panel_data.h"
#include "core/exchange/exchange_file.h"

namespace wendlix {

class IniFile;

inline constexpr char kQuickCreateCaption[] = "快速创建";

// The program's folder + caption + ".GLF".
std::string CollectionFilePath(std::string_view programFolder, std::string_view caption);

struct CollectionDecision {
  enum class Action : std::uint8_t {
    kError,          // ShowErrorBox(Message, kQuickCreateCaption); then the help page when RunHelp
    kKindConflict,   // ShowWarningBox(Message, kQuickCreateCaption); nothing changes
    kAddToExisting,  // groups[Existing]: copy Group into it (its own record, Visible set)
    kCreate,         // CreateGroupPanel(Group)
  };
  Action Act = Action::kError;
  std::string Message;
  bool RunHelp = false;
  std::size_t Existing = 0;
  GroupRecord Group;
  std::vector<ExchangeLine> Lines;  // for the button section of Group.Data.Title
};

// `file` is the collection read with ExchangeReading::kCollection from `path`; `groups`
// the bar's records in band order; `mainFont` the main window's font. The group whose
// title equals the collection's (ignoring case; the last such group) is the one it adds to.
// A title in `taken` (kept from a start that could not read its record) is not the new
// group's: it would write over that record, so the new group takes the next free title.
CollectionDecision DecideCollection(std::string_view caption, const std::string& path,
                                    const ExchangeFile& file, const std::vector<GroupPanel>& groups,
                                    const GroupFont& mainFont, const std::vector<std::string>& taken = {});

// The record of a collection without a matching group: the file's settings over the
// collection defaults; always visible, width and height not read.
GroupRecord CollectionGroup(std::string_view caption, const ExchangeSettings& settings,
                            const GroupFont& mainFont);

// The group-file part of kAddToExisting and kCreate: the lines join the group's button
// section (replacing lines of the same name) and the group's settings are written. The
// caller saves once, then refills the group.
void ApplyCollection(IniFile& gpf, const CollectionDecision& decision);

}  // namespace wendlix
