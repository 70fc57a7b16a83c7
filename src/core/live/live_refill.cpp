#include "core/live/live_refill.h"

#include <string>
#include <utility>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/shell/ordered_merge.h"

namespace wendlix {
namespace {

using SectionLines = std::vector<std::pair<std::string, std::string>>;

// The button section as the fills read it: key names in file order, each with its value.
SectionLines ReadButtonSection(const IniFile& gpf, std::string_view title) {
  const std::string section = ButtonSectionName(title);
  SectionLines lines;
  for (std::string& key : gpf.ReadSection(section)) {
    std::string value = gpf.ReadString(section, key, "");
    lines.emplace_back(std::move(key), std::move(value));
  }
  return lines;
}

}  // namespace

void ApplyRenames(IniFile& gpf, std::string_view title, const std::vector<LiveRename>& renames) {
  if (renames.empty()) return;
  const std::string section = ButtonSectionName(title);
  SectionLines lines = ReadButtonSection(gpf, title);
  for (const LiveRename& r : renames) {
    const std::string from = FileNameKey(r.From);
    for (auto& [key, value] : lines) {
      if (FileNameKey(value) != from) continue;
      if (gpf.WriteString(section, key, r.To)) value = r.To;
      break;
    }
  }
}

bool RefillLiveGroup(GroupPanel& panel, IniFile& gpf, const ShortcutFolder& folder,
                     const std::vector<LiveRename>& renames, FolderState state) {
  if (state != FolderState::kPresent) {
    FillShortcutGroup(panel, gpf, folder);
    return false;
  }
  const SectionLines before = ReadButtonSection(gpf, panel.Data.Title);
  ApplyRenames(gpf, panel.Data.Title, renames);
  FillShortcutGroup(panel, gpf, folder);
  SaveGroup(gpf, PanelRecord(panel), true);
  return ReadButtonSection(gpf, panel.Data.Title) != before;
}

}  // namespace wendlix
