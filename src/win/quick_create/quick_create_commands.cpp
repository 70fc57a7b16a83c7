#include "win/quick_create/quick_create_commands.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/group_file.h"
#include "core/button_menu/group_commands.h"
#include "core/platform/file_io.h"
#include "core/quick_create/quick_create.h"
#include "core/quick_create/quick_create_sites.h"
#include "core/text/paths.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/bar/bar_groups.h"
#include "win/bar_menu/bar_menu_commands.h"
#include "win/bookmarks/browser_profiles.h"
#include "win/common/wide.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_folders.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// A new group may take no group's title, nor one kept from a start that could not read its record.
std::vector<std::string> TakenTitles(const BarState& state) {
  return OtherGroupTitles(state.Groups, -1, state.UnreadGroupEntries);
}

}  // namespace

std::string QuickCreateCommands::QuickFolderPath(int tag) {
  switch (QuickFolderOfTag(tag)) {
    case QuickFolder::kDesktop: return SpecialFolderPathOrEmpty(CSIDL_DESKTOPDIRECTORY);
    case QuickFolder::kPrograms: return SpecialFolderPathOrEmpty(CSIDL_PROGRAMS);
    case QuickFolder::kQuickLaunch: return QuickLaunchPath();
    case QuickFolder::kFavorites: return SpecialFolderPathOrEmpty(CSIDL_FAVORITES);
    case QuickFolder::kDrives: {
      // Beside the settings files, which the bar can write; without it, no group.
      const std::string folder = DrivesFolderPath(ExtractFilePath(state_.ConfigBase));
      CreateDirectoryW(ToWide(folder).c_str(), nullptr);
      if (!platform::DirectoryExists(folder)) {
        AutoHideHold hold(bar_.Toolbar());
        ShowErrorBox("无法创建文件夹：\r\r\"" + folder + "\"", kQuickCreateCaption);
        return {};
      }
      CreateDriveShortcuts(AddBackslash(folder));
      return folder;
    }
    case QuickFolder::kNone: break;
  }
  return {};
}

void QuickCreateCommands::D4Click(int tag, const std::string& caption) {
  const std::string folder = QuickFolderPath(tag);
  if (folder.empty()) return;
  CarryOut(
      DecideQuickFolder(tag, caption, AddBackslash(folder), state_.Groups, GroupFont{}, TakenTitles(state_)));
}

void QuickCreateCommands::CarryOut(const QuickFolderDecision& decision) {
  if (decision.Act == QuickFolderDecision::Action::kNothing) return;
  IniFile gpf = bar_.OpenGroupFile();
  GroupPanel* group = nullptr;
  if (decision.Act == QuickFolderDecision::Action::kShowExisting) {
    group = &state_.Groups[decision.Existing];
    group->Data.Visible = true;
    bar_.BeginGroupFill(*group, gpf, false);
    FillByKind(*group, gpf, DiskShortcutFolder{});
  } else {
    const GroupRecord& r = decision.NewGroup;
    group = &state_.Groups.emplace_back(CreateGroupPanel(r.Data, static_cast<int>(state_.Groups.size()),
                                                         r.Width, r.Height, gpf, DiskShortcutFolder{}));
    // A bookmarks group reads its browser's file here.
    bar_.BeginGroupFill(*group, gpf, false);
  }
  const GroupRecord record = BarGroups::RecordWithoutButtons(*group);
  state_.BandBarVisible = true;
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  // Written at once, record first, then the list that names it.
  bar_.SaveGroupList({[&](IniFile& f) { SaveGroup(f, record, false); }, {}}, &gpf, kQuickCreateCaption);
}

void QuickCreateCommands::N40Click(const std::string& caption) {
  const std::string path = CollectionFilePath(program_.ExeFolder, caption);
  const ExchangeFile file = LoadExchangeFile(path, ExchangeReading::kCollection);
  CollectionDecision decision =
      DecideCollection(caption, path, file, state_.Groups, GroupFont{}, TakenTitles(state_));
  switch (decision.Act) {
    case CollectionDecision::Action::kError: {
      AutoHideHold hold(bar_.Toolbar());
      ShowErrorBox(decision.Message, kQuickCreateCaption);
      if (decision.RunHelp) H2Click(bar_.Handle());
      return;
    }
    case CollectionDecision::Action::kKindConflict: {
      AutoHideHold hold(bar_.Toolbar());
      ShowWarningBox(decision.Message, kQuickCreateCaption);
      return;
    }
    case CollectionDecision::Action::kAddToExisting:
    case CollectionDecision::Action::kCreate: break;
  }
  // The collection's lines and the group's record go into the group file, which fills the group.
  IniFile gpf = bar_.OpenGroupFile();
  ApplyCollection(gpf, decision);
  if (decision.Act == CollectionDecision::Action::kAddToExisting) {
    GroupPanel& group = state_.Groups[decision.Existing];
    group.Data = decision.Group.Data;
    bar_.BeginGroupFill(group, gpf, false);
    FillByKind(group, gpf, DiskShortcutFolder{});
  } else {
    const GroupRecord& r = decision.Group;
    state_.Groups.push_back(CreateGroupPanel(r.Data, static_cast<int>(state_.Groups.size()), r.Width,
                                             r.Height, gpf, DiskShortcutFolder{}));
  }
  state_.BandBarVisible = true;
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  // That file is saved first, then the list that names the group.
  bar_.SaveGroupList({[](IniFile&) {}, {}}, &gpf, kQuickCreateCaption);
}

void QuickCreateCommands::LookForBookmarkProfiles() {
  profiles_ = FindBrowserProfiles(CurrentUserKnownFolders());
  titles_.clear();
  for (const BrowserProfile& p : profiles_) {
    const bool several = std::count_if(profiles_.begin(), profiles_.end(),
                                       [&](const BrowserProfile& o) { return o.Browser == p.Browser; }) > 1;
    titles_.push_back(BookmarkGroupTitle(p, several));
  }
}

void QuickCreateCommands::BookmarksClick(int tag) {
  if (tag < 0 || tag >= static_cast<int>(profiles_.size())) return;
  const BookmarkSource source{std::string(profiles_[tag].Browser->Key), profiles_[tag].Folder, {}};
  CarryOut(DecideQuickBookmarks(titles_[tag], source, state_.Groups, GroupFont{}, TakenTitles(state_)));
}

}  // namespace wendlix
