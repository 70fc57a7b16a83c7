#include "core/editor/editor_commit.h"

#include "core/bar/group_file.h"
#include "core/editor/buttons_page.h"
#include "core/profile/ini_file.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

void PlanEmptySection(const IniFile& gpf, const std::string& section, std::vector<ProfileOp>& ops) {
  // Every listed key, duplicates included: each deletion removes the first remaining one.
  for (std::string& key : gpf.ReadSection(section))
    ops.push_back({ProfileOp::Kind::kDeleteKey, section, std::move(key), {}});
}

}  // namespace

std::vector<ProfileOp> PlanButtonCommit(const IniFile& gpf, const ButtonCommitInput& in) {
  std::vector<ProfileOp> ops;
  if (!in.Modified && !in.NewGroup) return ops;
  // A renamed group's old section stays: the bar retires it once its list names the new title.
  const std::string section = ButtonSectionName(in.Title);
  PlanEmptySection(gpf, section, ops);
  for (const ButtonEntry& e : in.Entries)
    ops.push_back({ProfileOp::Kind::kWriteString, section, e.Name, e.Value});
  return ops;
}

void ApplyProfileOps(IniFile& gpf, const std::vector<ProfileOp>& ops) {
  for (const ProfileOp& op : ops) {
    if (op.What == ProfileOp::Kind::kDeleteKey)
      gpf.DeleteKey(op.Section, op.Key);
    else
      gpf.WriteString(op.Section, op.Key, op.Value);
  }
}

std::vector<ButtonEntry> EditorEntriesForGroup(const std::vector<GroupButton>& buttons, std::uint16_t kind,
                                               const IniFile& gpf, std::string_view title) {
  std::vector<ButtonEntry> entries;
  const int image = kind == gkShortcut ? 0 : RowImageForKind(kind);
  if (!buttons.empty()) {
    for (const GroupButton& b : buttons)
      entries.push_back({b.Caption, kind == gkShortcut ? ExtractFileName(b.FileName) : b.FileName, image});
    return entries;
  }
  if (kind == gkShortcut) {
    const std::string section = ButtonSectionName(title);
    for (const std::string& key : gpf.ReadSection(section)) {
      std::string value = gpf.ReadString(section, key, "");
      if (!value.empty()) entries.push_back({key, std::move(value), image});
    }
    return entries;
  }
  // The same buttons the bar shows once the group is filled.
  for (GroupButton& b : ReadAddressButtons(gpf, title, kind))
    entries.push_back({std::move(b.Caption), std::move(b.FileName), image});
  return entries;
}

}  // namespace wendlix
