// What a watched group folder is to the bar: where it lies (its root and the names down to
// it, which are watched for the folder going away or coming back), whether it can be read,
// and a digest of what the group shows of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

enum class FolderState : std::uint8_t {
  kPresent,     // watched
  kMissing,     // deleted, renamed away, or on a drive that is not there: the group shows empty
  kUnreadable,  // there, but the user may not list it: the group shows empty
  kUnwatched,   // on another computer, or a file system that sends no notices: refreshed by hand only
};

// A folder on another computer: "\\server\share\...", "//server/...", "\\?\UNC\...".
bool IsRemoteFolder(std::string_view path);

// A local folder as its root ("C:\", "\\?\C:\", "\\?\Volume{...}\") and the names below it.
struct LocalFolderPath {
  std::string Root;
  std::vector<std::string> Names;
  bool operator==(const LocalFolderPath&) const = default;
};

// Splits a full local path ("\" or "/" between names; empty, "." and ".." names are not
// expected there, as the caller resolved them). nullopt for a remote, relative or
// rootless path.
std::optional<LocalFolderPath> SplitLocalFolder(std::string_view path);

// The root followed by the first `depth` names: depth 0 is the root ("C:\"), depth
// Names.size() the folder itself ("C:\a\b", without a closing "\").
std::string FolderAtDepth(const LocalFolderPath& path, std::size_t depth);

// One entry of a folder with what can change about it.
struct FolderEntryStamp {
  std::string Name;
  std::uint32_t Attributes = 0;
  std::uint64_t WriteTime = 0;
  std::uint64_t Size = 0;
};

// Equal for two readings of a folder when the group would show the same of it: the entries
// it lists (sub-folders and shortcut files, hidden ones included) with their names,
// attributes, times and sizes, in any order, and the folder's state. Other files do not
// count, so a settings file saved into the folder changes nothing, except `file` (a name, compared
// ignoring case) when given: a group that reads one file of the folder follows that file.
std::uint64_t FolderDigest(FolderState state, const std::vector<FolderEntryStamp>& entries,
                           std::string_view file = {});

// The group's tooltip: its title, and for a folder it cannot show, why, and which folder.
std::string LiveGroupHint(std::string_view title, std::string_view folder, FolderState state);

}  // namespace wendlix
