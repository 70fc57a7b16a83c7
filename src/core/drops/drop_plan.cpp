#include "core/drops/drop_plan.h"

#include "core/bar/panel_data.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

// The drive letter of a drive root ("D:\" or "D:"), or 0 for anything else.
char DriveRootLetter(std::string_view file) {
  while (!file.empty() && file.back() == '\\') file.remove_suffix(1);
  if (file.size() != 2 || file[1] != ':') return 0;
  const char c = file[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? c : 0;
}

// The name the link takes: the file name of `file`; for a share root ("\\server\share\") its
// last part, so it does not become a nameless ".lnk".
std::string LinkName(std::string_view file) {
  while (!file.empty() && file.back() == '\\') file.remove_suffix(1);
  std::string name = ExtractFileName(file);
  if (name.find_first_of("\\:") != std::string::npos) return {};
  return name;
}

}  // namespace

std::string DriveLinkName(std::string_view displayName, char letter) {
  std::string name;
  for (char c : displayName) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      continue;
    name += c;
  }
  // Windows drops trailing dots and blanks from file names.
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  return name.empty() ? std::string(1, letter) : name;
}

std::string OverwriteQuestion(std::string_view existingLink, DropPath path) {
  constexpr std::string_view kText = "快捷方式文件已经存在！是否覆盖该文件？";
  const std::string name = "\"" + ExtractFileBaseName(existingLink) + "\"";
  return path == DropPath::kOle ? std::string(kText) + "\r\r" + name : name + "\r\r" + std::string(kText);
}

const char* OverwriteCaption(DropPath path) {
  return path == DropPath::kOle ? kOleOverwriteCaption : kOverwriteCaption;
}

std::string LinkFailedText(const std::vector<std::string>& files) {
  constexpr std::size_t kShown = 15;  // the box grows with its text
  std::string text = "以下文件没能在该组中创建快捷方式：\r";
  for (std::size_t i = 0; i < files.size() && i < kShown; ++i) text += "\r\"" + files[i] + "\"";
  if (files.size() > kShown) text += "\r……（另有 " + std::to_string(files.size() - kShown) + " 个文件）";
  return text;
}

std::optional<DroppedFilePlan> PlanDroppedFile(std::uint16_t groupKind, std::string_view groupDirectory,
                                               std::string_view file, const FileExistsFn& exists,
                                               const DriveNameFn& driveName) {
  // Without a folder the link would land in whatever the current folder happens to be.
  if (groupKind != gkShortcut || file.empty() || groupDirectory.empty()) return std::nullopt;
  DroppedFilePlan plan;
  plan.Source = std::string(file);
  if (const char letter = DriveRootLetter(file)) {
    const std::string root = std::string(1, letter) + ":\\";
    plan.Source = root;
    // With its extension already: a display name may hold a dot.
    plan.LinkPath =
        AddBackslash(groupDirectory) + DriveLinkName(driveName ? driveName(root) : "", letter) + ".lnk";
  } else {
    const std::string name = LinkName(file);
    if (name.empty()) return std::nullopt;
    plan.LinkPath = AddBackslash(groupDirectory) + name;
  }
  const std::string link = ChangeFileExt(plan.LinkPath, ".lnk");
  // Deleting "the old link" would delete the very file that was dropped.
  if (SameTextAscii(link, file)) return std::nullopt;
  if (exists && exists(link)) plan.ExistingLink = link;
  return plan;
}

}  // namespace wendlix
