// Files dropped onto a group, by the shell's file drop and by OLE drag and drop alike: one
// shortcut per file in a shortcut group's folder, asking before an existing one is replaced.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "core/bar/panel_data.h"

namespace wendlix {

// Asks the user (text, caption); true for OK. The caller stops the auto-hide timer around it.
using ConfirmOverwriteFn = std::function<bool(const std::string& text, const std::string& caption)>;

struct DropFilesOutcome {
  std::vector<std::string> LinksWritten;  // the paths of the shortcuts made
  int Declined = 0;                       // files whose existing shortcut the user kept
  bool operator==(const DropFilesOutcome&) const = default;
};

// Makes a shortcut in `group`'s folder for each file of `files`, in order. An existing
// shortcut of the same name is deleted first when `confirm` says so, else that file is
// skipped. A group that is not a shortcut group is left alone. Never throws; the caller
// refills the group afterwards.
DropFilesOutcome DropFilesOnGroup(const TPanelData& group, const std::vector<std::string>& files,
                                  const ConfirmOverwriteFn& confirm);

// The paths a shell drop (WM_DROPFILES, or CF_HDROP of a data object) holds, in order.
std::vector<std::string> DroppedFileNames(HDROP drop);

}  // namespace wendlix
