// The main window's start and close: the bar's settings, groups and system tweaks read
// when it is created, and written (with the Run value) when it closes or Windows ends.
#include "core/bar/bar_save.h"
#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/group_file.h"
#include "core/bar/group_loading.h"
#include "core/profile/ini_file.h"
#include "win/app/main_form.h"
#include "win/app/startup_trace.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/paint/theme_win.h"
#include "win/shell/desktop_icon.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_folders.h"
#include "win/tweaks/give_back_guard.h"
#include "win/tweaks/shell_tweaks.h"
#include "win/ui/p_messages.h"

namespace wendlix {

void TWendlixMainForm::LoadBar() {
  SetFlags({abfAllowLeft, abfAllowTop, abfAllowRight, abfAllowBottom});
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  StartupMark("load bar");
  IniFile ini(SettingsFileName(state_.ConfigBase));
  state_.Settings = ReadBarSettings(ini, Scale().Unscale(rc.bottom - rc.top));
  state_.Launches = LaunchCounts::Read(ini);
  RefreshTheme(state_.Settings.Appearance);
  // The edge is applied once, by UpdateBar at the end, with the dock size and groups read:
  // each application is a round of appbar messages with the shell.
  const AppBarProps& bar = state_.Settings.AppBar;
  SetAutoHide(bar.AutoHide);
  SetAlwaysOnTop(bar.AlwaysOnTop);
  SetEdgeLater(EdgeFromSetting(bar.Edge));
  SetActivateByMouseDown(bar.ActivateByMouseDown);
  SetActiveDelay(bar.ActiveDelay);
  SetAutoHideInterval(bar.AutoHideInterval);
  SetWantedMonitor(state_.Settings.Monitor);  // before the dock size, which it limits
  const std::vector<std::string> names = ReadGroupNames(ini);
  // The file keeps 96-DPI sizes.
  SetDockSize(Scale()(state_.Settings.Width), Scale()(state_.Settings.Height));
  // What a bar killed while it owed the shell left behind comes back before anything is applied.
  GiveBackOrphanedRecord();
  if (state_.Settings.ReLoadSet) LoadSystemTweaks(ini);

  if (IsFirstRun(state_.Settings.Groups, names)) {
    RegisterDesktopIcon(kDesktopIconCaption, kDesktopIconInfoTip, QuoteCommandPath(program_.ExePath),
                        program_.ExePath + ",0");
  }
  StartupMark("settings applied");
  IniFile gpf(GroupFileName(state_.ConfigBase));
  const LoadedGroups loaded = LoadGroups(gpf, state_.Settings.Groups, names, QuickLaunchPath(),
                                         live_.StartFolder(), FolderListing::kWhenShown);
  state_.Groups.clear();
  for (const GroupRecord& record : loaded.Groups) {
    state_.Groups.push_back(PanelFromRecord(record, static_cast<int>(state_.Groups.size())));
  }
  state_.UnreadGroupEntries.clear();
  for (const std::string& name : loaded.Unread)
    state_.UnreadGroupEntries.push_back({name, ini.ReadString(kGroupsSection, name, "")});
  // First run rewrote the default groups' buttons, and lists them at once: a bar ended before
  // its close must not start as a first run again over the user's changes. A failure here is
  // retried at close.
  const bool groupsSaved = !gpf.Modified() || gpf.Save();
  if (groupsSaved && loaded.FirstRun && !state_.Groups.empty()) {
    WriteGroupList(ini, CurrentGroupList());
    ini.Save();
  }
  state_.BandBarVisible = AnyGroupVisible(loaded.Groups);
  StartupMark("groups loaded");
  RefreshGroupEntries();
  UpdateBar();
  StartupMark("docked");
}

bool TWendlixMainForm::ListSavedOrderGroups(bool inView) {
  bool listed = false;
  for (GroupPanel& g : state_.Groups) {
    if (!g.FromSavedOrder || (inView && !ShowsALaunchButton(g))) continue;
    ListSavedOrderGroup(g, live_.StartFolder());
    listed = true;
  }
  return listed;
}

void TWendlixMainForm::LoadSystemTweaks(const IniFile& ini) {
  StoredTweaks stored = ReadSystemTweaks(ini);
  if (const auto icons = ReadDesktopIconsCommand(ini)) stored.Commands.push_back(*icons);
  state_.Tweaks = stored.Flags;
  if (tweaks_) {
    tweaks_->ApplyRestored(stored.Commands);
    tweaks_->PutRestoredIntoEffect();
  } else {
    ApplyShellWindowCommands(stored.Commands);
  }
}

bool TWendlixMainForm::FormCloseQuery(CloseReason reason) {
  if (!state_.Tweaks.CanShutDown) {
    // Windows' own query gets its answer at once; a close from the bar says how to unlock.
    if (reason == CloseReason::kBar && tweaks_) tweaks_->ExplainLockedClose();
    return false;
  }
  const std::string failed = SaveBar();
  if (reason == CloseReason::kSystemShutdown) {
    // Windows is ending: a box would hold up the shutdown, and the files on disk are
    // still the last good ones.
    return true;
  }
  if (!failed.empty()) {
    AutoHideHold hold(*this);
    ShowErrorBox(SaveFailedText(failed), kSaveFailedCaption);
  }
  return true;
}

std::string TWendlixMainForm::SaveBar() {
  UpdateRunValue(state_.Settings.AutoRun, program_);
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  state_.Settings.Width = Scale().Unscale(rc.right - rc.left);
  state_.Settings.Height = Scale().Unscale(rc.bottom - rc.top);
  state_.Settings.AppBar = CurrentAppBarProps();
  state_.Settings.Monitor = WantedMonitor();

  IniFile ini(SettingsFileName(state_.ConfigBase));
  IniFile gpf(GroupFileName(state_.ConfigBase));
  const std::vector<GroupListEntry> stored = ReadGroupList(ini);
  const ShellWindowSnapshot shellNow =
      state_.Settings.ReLoadSet ? ReadShellWindowSnapshot() : ShellWindowSnapshot{};
  const ShellWindowStates shell = state_.Settings.ReLoadSet ? shellNow.States() : ShellWindowStates{};
  // A window missing now keeps what was stored for it.
  const KeptTweakKeys kept =
      state_.Settings.ReLoadSet ? KeepKeysOfMissingWindows(ini, shellNow.Presence()) : KeptTweakKeys{};
  std::vector<GroupRecord> records;
  records.reserve(state_.Groups.size());
  for (const GroupPanel& panel : state_.Groups) records.push_back(PanelRecord(panel));
  WriteBarDocuments(ini, gpf, state_.Settings, state_.Tweaks, shell, records, state_.UnreadGroupEntries);
  state_.Launches.Write(ini);
  if (state_.Settings.ReLoadSet) {
    WriteDesktopIconsKey(ini, shellNow.DesktopView.Exists, shellNow.DesktopView.Visible);
    RestoreKeptKeys(ini, kept);
  }
  // Each file is replaced whole or not at all; the first one that failed is reported.
  const std::optional<GroupListStep> failed = SaveBarDocuments(ini, gpf, stored);
  if (!failed) return {};
  return *failed == GroupListStep::kList ? ini.Path() : gpf.Path();
}

}  // namespace wendlix
