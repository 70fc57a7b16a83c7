#include "core/bar/group_list.h"

#include <algorithm>

#include "core/bar/bar_settings.h"
#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"

namespace wendlix {
namespace {

bool Names(const std::vector<GroupListEntry>& list, std::string_view title) {
  return std::any_of(list.begin(), list.end(),
                     [&](const GroupListEntry& e) { return SameTextAscii(e.Title, title); });
}

// The section as writing `list` leaves it: a title named twice is one key, at its first place,
// holding the later folder.
std::vector<GroupListEntry> AsWritten(const std::vector<GroupListEntry>& list) {
  std::vector<GroupListEntry> out;
  for (const GroupListEntry& e : list) {
    auto same = std::find_if(out.begin(), out.end(),
                             [&](const GroupListEntry& o) { return SameTextAscii(o.Title, e.Title); });
    if (same == out.end())
      out.push_back(e);
    else
      same->Directory = e.Directory;
  }
  return out;
}

bool HoldsList(const IniFile& ini, const std::vector<GroupListEntry>& list) {
  if (ini.ReadInteger(kBarSection, "Groups", -1) != static_cast<int>(list.size())) return false;
  const std::vector<GroupListEntry> want = AsWritten(list);
  const std::vector<std::string> names = ini.ReadSection(kGroupsSection);
  if (names.size() != want.size()) return false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] != want[i].Title || ini.ReadString(kGroupsSection, names[i], "") != want[i].Directory)
      return false;
  }
  return true;
}

}  // namespace

std::vector<GroupListEntry> GroupList(const std::vector<GroupListEntry>& groups,
                                      const std::vector<GroupListEntry>& kept) {
  std::vector<GroupListEntry> list = groups;
  for (const GroupListEntry& entry : kept)
    if (!Names(groups, entry.Title)) list.push_back(entry);
  return list;
}

std::vector<GroupListEntry> ReadGroupList(const IniFile& ini) {
  const std::vector<std::string> names = ReadGroupNames(ini);
  const int count = ini.ReadInteger(kBarSection, "Groups", 0);
  std::vector<GroupListEntry> list;
  for (std::size_t i = 0; i < names.size() && static_cast<int>(i) < count; ++i)
    list.push_back({names[i], ini.ReadString(kGroupsSection, names[i], "")});
  return list;
}

void RetireKeptTitles(std::vector<GroupListEntry>& kept, const std::vector<std::string>& titles) {
  std::erase_if(kept, [&](const GroupListEntry& e) {
    return std::any_of(titles.begin(), titles.end(),
                       [&](const std::string& t) { return SameTextAscii(t, e.Title); });
  });
}

void WriteGroupList(IniFile& ini, const std::vector<GroupListEntry>& list) {
  // Rewriting an unchanged list would only move its lines.
  if (HoldsList(ini, list)) return;
  ini.WriteInteger(kBarSection, "Groups", static_cast<int>(list.size()));
  for (const std::string& key : ini.ReadSection(kGroupsSection)) ini.DeleteKey(kGroupsSection, key);
  for (const GroupListEntry& e : list) ini.WriteString(kGroupsSection, e.Title, e.Directory);
}

std::optional<GroupListStep> SaveGroupListChange(const GroupListChange& change,
                                                 const std::vector<GroupListEntry>& list,
                                                 const GroupListStepSaver& save) {
  // Until the list names a new title, the old one's record is what a start reads; once it
  // does, the new record must be on disk already.
  if (change.WriteGroups && !save(GroupListStep::kWriteGroups, change.WriteGroups))
    return GroupListStep::kWriteGroups;
  if (!save(GroupListStep::kList, [&](IniFile& ini) { WriteGroupList(ini, list); }))
    return GroupListStep::kList;
  std::vector<std::string> retired;
  for (const std::string& title : change.Retired) {
    const bool stays =
        Names(list, title) || std::any_of(retired.begin(), retired.end(),
                                          [&](const std::string& r) { return SameTextAscii(r, title); });
    if (!stays) retired.push_back(title);
  }
  if (retired.empty()) return std::nullopt;
  const bool erased = save(GroupListStep::kRetire, [&](IniFile& gpf) {
    for (const std::string& title : retired) EraseGroup(gpf, title);
  });
  if (!erased) return GroupListStep::kRetire;
  return std::nullopt;
}

std::optional<GroupListStep> SaveGroupListFiles(const std::string& groupPath, const std::string& settingsPath,
                                                const GroupListChange& change,
                                                const std::vector<GroupListEntry>& list,
                                                IniFile* openGroupFile) {
  std::optional<IniFile> readHere;
  return SaveGroupListChange(change, list,
                             [&](GroupListStep step, const std::function<void(IniFile&)>& edit) {
                               if (step == GroupListStep::kList) {
                                 IniFile ini(settingsPath);
                                 edit(ini);
                                 return ini.Save();
                               }
                               if (!openGroupFile) openGroupFile = &readHere.emplace(groupPath);
                               edit(*openGroupFile);
                               return openGroupFile->Save();
                             });
}

}  // namespace wendlix
