// Quick-create from the bar settings menu: a shortcut group on a well-known folder, or a
// web group from a web-site collection beside the program.
#pragma once
#include <string>
#include <vector>

#include "core/bookmarks/bookmark_browsers.h"
#include "core/quick_create/quick_create.h"

#include "win/app/program_files.h"
#include "win/bar/bar_window.h"

namespace wendlix {

class QuickCreateCommands {
 public:
  QuickCreateCommands(BarWindow& bar, const ProgramInfo& program)
      : bar_(bar), state_(bar.State()), program_(program) {}
  QuickCreateCommands(const QuickCreateCommands&) = delete;
  QuickCreateCommands& operator=(const QuickCreateCommands&) = delete;

  // A group on the well-known folder of the item's tag (shown again when it exists).
  void D4Click(int tag, const std::string& caption);
  // A web group from the collection file the item names.
  void N40Click(const std::string& caption);
  // Looks for the browser profiles with bookmarks; 浏览器书签 lists what the last look found, so
  // that opening the menu reads no file.
  void LookForBookmarkProfiles();
  const std::vector<std::string>& BookmarkProfileTitles() const { return titles_; }
  // A web group on the bookmarks of the profile the item (by its Tag) names.
  void BookmarksClick(int tag);

 private:
  std::string QuickFolderPath(int tag);
  // Shows the group the decision names, or makes it, and saves it with the groups list.
  void CarryOut(const QuickFolderDecision& decision);

  BarWindow& bar_;
  BarState& state_;
  const ProgramInfo& program_;
  std::vector<BrowserProfile> profiles_;  // as the menu last listed them
  std::vector<std::string> titles_;       // their groups' titles
};

}  // namespace wendlix
