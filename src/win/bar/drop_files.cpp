#include "win/bar/drop_files.h"

#include "core/bar/interaction/drop_plan.h"
#include "win/appbar/shell_links.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

bool PathExists(const std::string& path) {
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Ask(const ConfirmOverwriteFn& confirm, const std::string& text) {
  if (!confirm) return false;
  try {
    return confirm(text, kOverwriteCaption);
  } catch (...) {
    return false;  // a question that could not be asked keeps the old shortcut
  }
}

}  // namespace

DropFilesOutcome DropFilesOnGroup(const TPanelData& group, const std::vector<std::string>& files,
                                  const ConfirmOverwriteFn& confirm) {
  DropFilesOutcome outcome;
  for (const std::string& file : files) {
    try {
      // Planned one file at a time: an earlier file of the same drop may have made the link.
      const auto plan = PlanDroppedFile(group.PanelStyle, group.Directory, file, PathExists);
      if (!plan) continue;
      if (!plan->ExistingLink.empty()) {
        if (!Ask(confirm, OverwriteQuestion(file))) {
          ++outcome.Declined;
          continue;
        }
        // A link that cannot be deleted stays; the new one is then numbered beside it.
        DeleteFileW(ToWide(plan->ExistingLink).c_str());
      }
      std::string written = MakeShortcutFile(plan->Source, plan->LinkPath);
      if (!written.empty()) outcome.LinksWritten.push_back(std::move(written));
    } catch (...) {
      // No link object or out of memory: this file makes no shortcut, the others still try.
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
