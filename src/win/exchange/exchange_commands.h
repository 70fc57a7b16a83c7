// Group export and import through the common file dialogs. Each command is split into
// choosing a path (the dialog) and doing it with that path, which tests drive directly.
// The caller holds the auto-hide timer off around them; these only show the boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/bar/group_list.h"

namespace wendlix {

// Asked of the user with OK and Cancel; true for OK.
using ExchangeQuestion = std::function<bool(const std::string& text)>;

// What an export or import did, for the boxes the command shows.
struct ExchangeOutcome {
  bool Changed = false;  // export: the file was written; import: the group and the group file changed
  std::string Path;      // the exchange file written or read
  std::string Error;     // for ShowErrorBox: nothing was changed
  std::string Warning;   // for ShowWarningBox: done, but not all of it
};

// The group the popup menu was opened on is written to a .GLF file the user chooses in a
// save dialog (the group's title suggested). Boxes on failure.
void L1Click(HWND owner, const GroupPanel& group, const std::string& groupFile);

// Where an import writes: the group file, and the bar settings file with the groups list as
// the bar holds it now (the group's entry is the one at its Tag).
struct ImportFiles {
  std::string GroupFile;
  std::string SettingsFile;
  std::vector<GroupListEntry> List;
};

// A .GLF file chosen in an open dialog is merged into `group`: the kind question, the error
// box for a damaged file or a failed save. True when the group changed and must be refilled
// by kind and laid out by the caller, whose groups menu then takes the title (`group.Data`,
// size, hint and menu caption are already updated here). `otherTitles` are the titles of the
// bar's other groups; the titles the group file lists are never taken either.
bool I2Click(HWND owner, GroupPanel& group, const ImportFiles& files,
             const std::vector<std::string>& otherTitles = {});

// The dialogs: the path chosen, or nothing on cancel.
std::optional<std::string> ChooseExportPath(HWND owner, const std::string& title);
std::optional<std::string> ChooseImportPath(HWND owner, const std::string& title);

// Writes `group` to the exchange file for `chosen` (".GLF" appended unless it ends so),
// replacing a file there only when `confirmReplace` agrees. A group not shown on the bar
// holds no buttons, so its buttons are read from `groupFile` and its folder first.
ExchangeOutcome ExportGroupTo(const GroupPanel& group, const std::string& groupFile,
                              const std::string& chosen, const ExchangeQuestion& confirmReplace);

// Loads the exchange file for `chosen` into `group` and the files. A damaged file, a declined
// kind change (`confirmKind` is asked only when the kinds differ) or a group file that cannot
// be written change nothing. A title the file gives is saved as a rename is: the new record
// beside the old one, then the list, then the old title's sections go.
ExchangeOutcome ImportGroupFrom(GroupPanel& group, const ImportFiles& files, const std::string& chosen,
                                const std::vector<std::string>& otherTitles,
                                const ExchangeQuestion& confirmKind);

}  // namespace wendlix
