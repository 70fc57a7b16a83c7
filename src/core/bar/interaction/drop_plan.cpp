#include "core/bar/interaction/drop_plan.h"

#include "core/bar/panel_data.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

// The name the link takes: the file name of `file`; for a drive or share root ("C:\",
// "\\server\share\") its last part, so it does not become a nameless ".lnk".
std::string LinkName(std::string_view file) {
  while (!file.empty() && file.back() == '\\') file.remove_suffix(1);
  std::string name = ExtractFileName(file);
  if (name.empty() && !file.empty() && file.back() == ':')
    name = std::string(file.substr(0, file.size() - 1));
  if (name.find_first_of("\\:") != std::string::npos) return {};
  return name;
}

}  // namespace

std::string OverwriteQuestion(std::string_view droppedFile, DropPath path) {
  constexpr std::string_view kText = "快捷方式文件已经存在！是否覆盖该文件？";
  const std::string name = "\"" + ExtractFileBaseName(droppedFile) + "\"";
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
                                               std::string_view file, const FileExistsFn& exists) {
  // Without a folder the link would land in whatever the current folder happens to be.
  if (groupKind != gkShortcut || file.empty() || groupDirectory.empty()) return std::nullopt;
  const std::string name = LinkName(file);
  if (name.empty()) return std::nullopt;
  DroppedFilePlan plan;
  plan.Source = std::string(file);
  plan.LinkPath = AddBackslash(groupDirectory) + name;
  const std::string link = ChangeFileExt(plan.LinkPath, ".lnk");
  // Deleting "the old link" would delete the very file that was dropped.
  if (SameTextAscii(link, file)) return std::nullopt;
  if (exists && exists(link)) plan.ExistingLink = link;
  return plan;
}

std::vector<DroppedFilePlan> PlanDroppedFiles(std::uint16_t groupKind, std::string_view groupDirectory,
                                              const std::vector<std::string>& files,
                                              const FileExistsFn& exists) {
  std::vector<DroppedFilePlan> plans;
  for (const std::string& f : files)
    if (auto p = PlanDroppedFile(groupKind, groupDirectory, f, exists)) plans.push_back(std::move(*p));
  return plans;
}

}  // namespace wendlix
