// The list of groups in the bar settings file (section "Groups", title = folder in band order,
// and its count), and the order in which a command that changes the list saves it together
// with the group file, so that a bar ended at any moment loses no group.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wendlix {

class IniFile;

struct GroupListEntry {
  std::string Title;
  std::string Directory;
  bool operator==(const GroupListEntry&) const = default;
};

// The list the bar writes: `groups` in band order, then the entries `kept` from a start that
// could not read their groups, unless a group of that title (ignoring case) exists now.
std::vector<GroupListEntry> GroupList(const std::vector<GroupListEntry>& groups,
                                      const std::vector<GroupListEntry>& kept);

// The list as a start reads it: the first "Groups" titles of section "Groups", with their folders.
std::vector<GroupListEntry> ReadGroupList(const IniFile& ini);

// A group deleted or renamed takes its old titles out of `kept` too: the list would name them
// again otherwise, and the group come back at the next start.
void RetireKeptTitles(std::vector<GroupListEntry>& kept, const std::vector<std::string>& titles);

// Makes the settings file hold `list`: the count "Groups" of section "Wendlix V3.0" and the
// section "Groups" afresh. A list already there as it would be written changes nothing.
void WriteGroupList(IniFile& ini, const std::vector<GroupListEntry>& list);

// What a command did to the groups, for SaveGroupListChange.
struct GroupListChange {
  // Writes the records of new and renamed groups (with what goes with them, such as imported
  // buttons) into the group file, beside the records that are still listed.
  std::function<void(IniFile&)> WriteGroups;
  // Titles the command left (renamed from, deleted): their record, button section and
  // "Groups" key go from the group file, unless the new list still names them.
  std::vector<std::string> Retired;
};

enum class GroupListStep : std::uint8_t { kWriteGroups, kList, kRetire };

// Opens the file of `step` (the group file, or the bar settings for kList), lets `edit`
// change it and replaces the file whole; false when it could not be saved.
using GroupListStepSaver = std::function<bool(GroupListStep step, const std::function<void(IniFile&)>& edit)>;

// Saves `change` with the new `list` in the order that is safe at every moment: the new
// records beside the old ones, then the list, then the retired titles' sections. A start
// after any step finds every group under its old or its new title with its buttons, and
// none that was removed. Stops at the first step that fails and returns it; nothing when
// every step was saved.
std::optional<GroupListStep> SaveGroupListChange(const GroupListChange& change,
                                                 const std::vector<GroupListEntry>& list,
                                                 const GroupListStepSaver& save);

// SaveGroupListChange on the bar's own files. Each file is read when its first step comes, the
// group file from `groupPath` unless the command has it open already (`openGroupFile`, which
// then follows what is saved).
std::optional<GroupListStep> SaveGroupListFiles(const std::string& groupPath, const std::string& settingsPath,
                                                const GroupListChange& change,
                                                const std::vector<GroupListEntry>& list,
                                                IniFile* openGroupFile = nullptr);

}  // namespace wendlix
