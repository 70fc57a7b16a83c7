// The buttons menu's commands as plain data: the new-group record, the texts of their
// boxes, what a display flag changes, and the group and button edits they make before the
// window saves the group file once and draws the bar again.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/bar/group_list.h"
#include "core/bar/panel_data.h"

namespace wendlix {

class IniFile;

// A new group's record: visible, titled, captioned, shown as a button first, icons left of
// their captions, bevelled down; grey 229 on a white to grey (142, 143, 143) gradient.
TPanelData NewGroupData();

// The editor's target field for button `b` of a web or e-mail group: the address without its
// "HTTP://" or "MAILTO:" prefix (found ignoring case), or the whole text without one.
std::string AddressWithoutPrefix(std::string_view fileName, std::uint16_t kind);

// Whether a new button may create its shortcut group's missing folder: only the Quick Launch
// folder, which the bar chose itself for its first-run group (a new profile has none yet); any
// other folder was the user's choice, and a missing one is theirs to mend.
bool MayCreateGroupFolder(std::string_view folder, std::string_view quickLaunchFolder);

// The delete-button question: "你是否确认要删除按钮: 【name】?" and what goes with the button.
std::string DeleteButtonQuestion(std::uint16_t kind, const GroupButton& button);
inline constexpr char kDeleteButtonCaption[] = "删除按钮";
// The delete-group question.
std::string DeleteGroupQuestion(const TPanelData& group);
inline constexpr char kDeleteGroupCaption[] = "删除";
inline constexpr char kShowAsButtonRefused[] =
    "不能将当前工具栏显示为按钮\r\r必须保持工具条上有一个工具栏是可见的!";
inline constexpr char kWarningCaption[] = "警告";

// What the window does after a display flag changed.
enum class FlagFollowUp : std::uint8_t { kNone, kLayout, kRefill, kAppearance };
// Toggles the flag of item `tag` in `data`; kNone for an unknown tag.
FlagFollowUp ToggleDisplayFlag(TPanelData& data, int tag);

// A group has been filled since it was made or last emptied: it holds its collapse button.
// Only a filled group's buttons are written back to the group file.
bool IsFilled(const GroupPanel& panel);

// The launch buttons' names other than button `except` (a child index, -1 for none).
std::vector<std::string> OtherButtonNames(const GroupPanel& panel, int except);
// The names in a button section, for a group not filled.
std::vector<std::string> SectionButtonNames(const IniFile& gpf, std::string_view title);
// Every group's title but that of `except` (-1 for none), and every title `kept` from a start
// that could not read its group: a new group of such a title would write over its record.
std::vector<std::string> OtherGroupTitles(const std::vector<GroupPanel>& groups, int except,
                                          const std::vector<GroupListEntry>& kept);

// A new button named `name` for `target`. In a web or e-mail group a button of that name
// (names compare as profile keys do, ignoring ASCII case) takes the new address in its place,
// as its key in the group file does; otherwise the button is appended. Returns its index.
int PutLaunchButton(GroupPanel& panel, const std::string& name, const std::string& target);
// Button `index` renamed and retargeted in its place; another button of the new name in a
// web or e-mail group goes, as its key would.
void ChangeLaunchButton(GroupPanel& panel, int index, const std::string& name, const std::string& target);
// Removes launch button `index`; false when it is none.
bool RemoveLaunchButton(GroupPanel& panel, int index);

// Deleting group `index`: the groups after it move up one place (panel, band, collapse
// button and menu item numbered as their new index) and PanelBtn needs rebuilding. The group
// file is the caller's: the title is retired once the list no longer names it
// (SaveGroupListChange). Returns the number of the registry key "Group<n>" that belonged to
// it (index + 1).
int DeleteGroupAt(std::vector<GroupPanel>& groups, std::size_t index);

}  // namespace wendlix
