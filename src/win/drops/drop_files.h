// Files dropped onto a group, by the shell's file drop and by OLE drag and drop alike: one
// shortcut per file in a shortcut group's folder, asking before an existing one is replaced.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/drops/drop_plan.h"

namespace wendlix {

// Asks the user (text, caption); true for OK. The caller stops the auto-hide timer around it.
using ConfirmOverwriteFn = std::function<bool(const std::string& text, const std::string& caption)>;

struct DropFilesOutcome {
  std::vector<std::string> LinksWritten;  // the paths of the shortcuts made
  int Declined = 0;                       // files whose existing shortcut the user kept
  std::vector<std::string> Failed;        // dropped files that got no shortcut (say so, once)
  bool operator==(const DropFilesOutcome&) const = default;
};

// Makes a shortcut in `group`'s folder for each file of `files`, in order. An existing
// shortcut of the same name is replaced when `confirm` says so (the new one is written
// first and then takes its place, so a failure keeps the old one), else that file is
// skipped; `path` picks the question's wording. A group that is not a shortcut group is
// left alone, and so is a dropped file that is the group's own shortcut. Never throws; the
// caller refills the group afterwards and names the Failed files.
DropFilesOutcome DropFilesOnGroup(const TPanelData& group, const std::vector<std::string>& files,
                                  const ConfirmOverwriteFn& confirm, DropPath path = DropPath::kShell);

// The shell's display name of a drive root ("本地磁盘 (C:)"); empty when it has none.
std::string ShellDriveName(const std::string& root);

// The paths a shell drop (WM_DROPFILES, or CF_HDROP of a data object) holds, in order.
std::vector<std::string> DroppedFileNames(HDROP drop);

}  // namespace wendlix
