// What dropping files from the shell onto a group does to the group's folder: one link per
// file, and which existing links the user is asked about first.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

inline constexpr char kOverwriteCaption[] = "覆盖文件!?";
inline constexpr char kOleOverwriteCaption[] = "覆盖文件1!?";

// Which drop asks: the shell's file drop (WM_DROPFILES) or an OLE drag. Each keeps its own wording.
enum class DropPath : std::uint8_t { kShell, kOle };

// The question before replacing `existingLink`: its name without folder and extension in
// quotes, before the text for the shell drop, after it for an OLE drag.
std::string OverwriteQuestion(std::string_view existingLink, DropPath path = DropPath::kShell);
const char* OverwriteCaption(DropPath path);

inline constexpr char kLinkFailedCaption[] = "创建快捷方式失败";
// One error box for all dropped files that got no shortcut: their paths, one a line (a
// long list ends in "……" and how many more there were).
std::string LinkFailedText(const std::vector<std::string>& files);

struct DroppedFilePlan {
  std::string Source;        // the dropped file, the link's target
  std::string LinkPath;      // the group folder + the file's name, handed to the link writer
  std::string ExistingLink;  // LinkPath with extension ".lnk", when that file exists: ask, delete on OK
  bool operator==(const DroppedFilePlan&) const = default;
};

using FileExistsFn = std::function<bool(const std::string&)>;
// The shell's display name of a drive root ("D:\"), as drive shortcuts are named after it.
using DriveNameFn = std::function<std::string(const std::string& root)>;

// The name of a link to a drive: its display name less the characters a file name cannot
// hold ("本地磁盘 (D:)" gives "本地磁盘 (D)"), or the drive letter when nothing is left.
std::string DriveLinkName(std::string_view displayName, char letter);

// The plan for one dropped file, or none when the file makes no link: an empty entry, a
// group that is not a shortcut group (nothing is asked or deleted there) or has no folder,
// or a link that would be the dropped file itself (a shortcut dropped onto its own group).
// A drive root is named by `driveName` (its letter without one).
std::optional<DroppedFilePlan> PlanDroppedFile(std::uint16_t groupKind, std::string_view groupDirectory,
                                               std::string_view file, const FileExistsFn& exists,
                                               const DriveNameFn& driveName = {});

}  // namespace wendlix
