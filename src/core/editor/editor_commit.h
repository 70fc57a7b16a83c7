// What the group editor writes on OK: the group's button section, as a list of profile
// operations planned from the file's current state, and applied in one go.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/editor/editor_entries.h"

namespace wendlix {

class IniFile;

struct ProfileOp {
  enum class Kind : std::uint8_t { kDeleteKey, kWriteString };
  Kind What = Kind::kWriteString;
  std::string Section;
  std::string Key;
  std::string Value;
  bool operator==(const ProfileOp&) const = default;
};

struct ButtonCommitInput {
  bool Modified = false;  // list operations or edits of the texts
  bool NewGroup = false;
  std::string OldTitle;  // the title when the dialog was shown; its section is left alone
  std::string Title;     // the title now
  // ButtonsPage::Entries(): the rows, or the caller's lists when the page was never built.
  std::vector<ButtonEntry> Entries;
};

// Nothing when nothing was modified (a colour-only change writes no button section).
// Otherwise the section of the title now is emptied (a deleted group of that title may
// have left its keys there) and each entry is written as its own name with its own value,
// in order; two entries of one name end as one key holding the later value. A renamed
// group's old section is left as it is: until the bar's list names the new title, a start
// reads the group's buttons from there.
std::vector<ProfileOp> PlanButtonCommit(const IniFile& gpf, const ButtonCommitInput& in);

// Applies the operations in order. A write the store refuses (a name or value the group
// file cannot hold, as a shortcut group's folder may list: "[Old]", "a=b", " lead", or
// characters outside its code page) is left out, as SaveGroup leaves out such buttons; the
// bar then lists those entries after the stored ones, in folder order.
void ApplyProfileOps(IniFile& gpf, const std::vector<ProfileOp>& ops);

// The editor's entries for a group: from its launch buttons (kind 0: the file name of
// each target; other kinds: the address), or, when it has none on the bar because it is
// collapsed, from its button section, so that the page does not start empty and a
// commit does not delete the stored buttons.
std::vector<ButtonEntry> EditorEntriesForGroup(const std::vector<GroupButton>& buttons, std::uint16_t kind,
                                               const IniFile& gpf, std::string_view title);

}  // namespace wendlix
