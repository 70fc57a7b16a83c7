// Shortcut files on disk, links (.lnk) and internet shortcuts (.url) alike: read whole,
// written as new files, put in place of old ones and deleted. Nothing here throws; a shell
// failure reads as "nothing", "not written" or "not removed".
#pragma once
#include <optional>
#include <string>

#include "core/shell/shortcut_data.h"

namespace wendlix {

// True for an existing file or folder (platform::DirectoryExists tells a folder).
bool PathExists(const std::string& path);

// Every field of a ".lnk" file, or of a ".url" file as ReadUrlShortcut gives it; LinkFile is
// `path`. Nothing when it cannot be read.
std::optional<TShortCutData> ReadShortcutFile(const std::string& path);

// Writes `data` as the new file `path` (false when a file of that name exists): a link, or
// for an internet shortcut (data.LinkFile ends in ".url") a copy of that file with its
// address changed, so that its icon and every other line stay.
bool WriteShortcutFile(const TShortCutData& data, const std::string& path);

// Moves `from` over the file `to` in one step; a hidden `to` stays hidden. A missing,
// read-only or folder `to` is left alone (Windows refuses a read-only one, Wine would not).
bool ReplaceShortcutFile(const std::string& from, const std::string& to);

// Deletes the file `path`; false when it cannot (gone, read-only, held open, a folder). A
// read-only link is one the user protected.
bool DeleteShortcutFile(const std::string& path);

}  // namespace wendlix
