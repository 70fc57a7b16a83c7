#include "win/drops/drop_files.h"

#include "core/drops/drop_plan.h"
#include "core/text/paths.h"
#include "win/common/wide.h"
#include "win/shell/shell_links.h"
#include "win/shell/shortcut_files.h"

namespace wendlix {
namespace {

// A free name beside `link` for the replacement that then takes its place; empty when none is.
std::string TemporaryBeside(const std::string& link) {
  for (int n = 0; n < 100; ++n) {
    std::string candidate = link + (n == 0 ? std::string() : "." + std::to_string(n)) + ".tmp";
    if (!PathExists(candidate)) return candidate;
  }
  return {};
}

// The new link is written beside the old one and then takes its place in one step, so a
// link that cannot be written leaves the old one as it was.
bool ReplaceLink(const std::string& source, const std::string& link) {
  TShortCutData data;
  data.LinkFile = link;
  data.Target = source;
  data.WorkDir = ExtractFilePath(source);  // as MakeShortcutFile writes it
  const std::string temporary = TemporaryBeside(link);
  if (temporary.empty() || !WriteShortcutFile(data, temporary)) return false;
  if (ReplaceShortcutFile(temporary, link)) return true;
  DeleteShortcutFile(temporary);
  return false;
}

}  // namespace

std::string ShellDriveName(const std::string& root) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(ToWide(root).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) return {};
  return FromWide(info.szDisplayName);
}

namespace {

bool Ask(const ConfirmOverwriteFn& confirm, const std::string& text, const char* caption) {
  if (!confirm) return false;
  try {
    return confirm(text, caption);
  } catch (...) {
    return false;  // a question that could not be asked keeps the old shortcut
  }
}

}  // namespace

DropFilesOutcome DropFilesOnGroup(const TPanelData& group, const std::vector<std::string>& files,
                                  const ConfirmOverwriteFn& confirm, DropPath path) {
  DropFilesOutcome outcome;
  for (const std::string& file : files) {
    try {
      // Planned one file at a time: an earlier file of the same drop may have made the link.
      const auto plan = PlanDroppedFile(group.PanelStyle, group.Directory, file, PathExists, ShellDriveName);
      if (!plan) continue;
      if (!plan->ExistingLink.empty()) {
        if (!Ask(confirm, OverwriteQuestion(plan->ExistingLink, path), OverwriteCaption(path))) {
          ++outcome.Declined;
          continue;
        }
        if (ReplaceLink(plan->Source, plan->ExistingLink)) {
          outcome.LinksWritten.push_back(plan->ExistingLink);
        } else {
          outcome.Failed.push_back(file);
        }
        continue;
      }
      std::string written = MakeShortcutFile(plan->Source, plan->LinkPath);
      if (written.empty()) {
        outcome.Failed.push_back(file);
      } else {
        outcome.LinksWritten.push_back(std::move(written));
      }
    } catch (...) {
      // No link object or out of memory: this file makes no shortcut, the others still try.
      outcome.Failed.push_back(file);
    }
  }
  return outcome;
}

std::vector<std::string> DroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  if (!drop) return names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  names.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(got);
    names.push_back(FromWide(name));
  }
  return names;
}

}  // namespace wendlix
