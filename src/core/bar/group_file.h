// The group file: one section per group (the record's keys), one button section per
// group (title + two spaces + "Buttons"), and the "Groups" list of title = folder.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/bar/panel_data.h"

namespace wendlix {

class IniFile;

inline constexpr std::string_view kGroupsSection = "Groups";

// Title + "  Buttons".
std::string ButtonSectionName(std::string_view title);

// The record stored in section `section`, each missing or unreadable key taking the
// default of the record (and 120 x 100 for the panel); without "Title Text" the group keeps
// the section's own name, as the group file spells it.
GroupRecord ReadGroupRecord(const IniFile& gpf, std::string_view section);

// Writes "Groups": title = folder and the record's keys in their fixed order; with
// `withButtons`, also rewrites the button section from `group.Buttons` (buttons without
// a target are left out; a shortcut group stores the target's file name only).
void SaveGroup(IniFile& gpf, const GroupRecord& group, bool withButtons);

// The bookmark keys of section `section`: empty without a browser; a missing profile is
// "Default", a missing or empty folder the bookmark bar.
BookmarkSource ReadBookmarkSource(const IniFile& gpf, std::string_view section);
// Writes them (SaveGroup does, for a web group); an empty source removes them.
void WriteBookmarkSource(IniFile& gpf, std::string_view section, const BookmarkSource& source);

// Removes group `title` from the group file: its record, its button section and its key in
// "Groups".
void EraseGroup(IniFile& gpf, std::string_view title);

// Shortcut group: the values of the button section in key order, the saved order of
// the folder's entries.
std::vector<std::string> ReadSavedOrder(const IniFile& gpf, std::string_view title);

// Web and e-mail groups: one button per key with a non-empty value, the value
// normalised for the kind.
std::vector<GroupButton> ReadAddressButtons(const IniFile& gpf, std::string_view title, std::uint16_t kind);

// A stored address as a button target: kind 1 gets "http://" (text before a first
// "http://" is dropped; an address that starts with "https://" is kept as it is), any
// other kind "MAILTO:" likewise.
std::string NormaliseAddress(std::string_view value, std::uint16_t kind);

}  // namespace wendlix
