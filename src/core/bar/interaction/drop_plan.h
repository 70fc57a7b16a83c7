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

// The question before replacing the link made earlier for `droppedFile`.
std::string OverwriteQuestion(std::string_view droppedFile);

struct DroppedFilePlan {
  std::string Source;        // the dropped file, the link's target
  std::string LinkPath;      // the group folder + the file's name, handed to the link writer
  std::string ExistingLink;  // LinkPath with extension ".lnk", when that file exists: ask, delete on OK
  bool operator==(const DroppedFilePlan&) const = default;
};

using FileExistsFn = std::function<bool(const std::string&)>;

// The plan for one dropped file, or none when the file makes no link: an empty entry, a
// group that is not a shortcut group (nothing is asked or deleted there) or has no folder,
// or a link that would be the dropped file itself (a shortcut dropped onto its own group).
std::optional<DroppedFilePlan> PlanDroppedFile(std::uint16_t groupKind, std::string_view groupDirectory,
                                               std::string_view file, const FileExistsFn& exists);

// The plans of all files in order.
std::vector<DroppedFilePlan> PlanDroppedFiles(std::uint16_t groupKind, std::string_view groupDirectory,
                                              const std::vector<std::string>& files,
                                              const FileExistsFn& exists);

}  // namespace wendlix
