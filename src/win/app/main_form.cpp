#include "win/app/main_form.h"

#include <shlobj.h>

#include "core/bar/bar_save.h"
#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/group_loading.h"
#include "core/profile/ini_file.h"
#include "win/appbar/desktop_icon.h"
#include "win/appbar/shell_folders.h"
#include "win/bar/disk_shortcut_folder.h"
#include "win/bar/shell_tweaks.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

std::string QuickLaunchDirectory() {
  try {
    return QuickLaunchFolder(GetSpecialFolderPath(CSIDL_APPDATA));
  } catch (...) {
    return {};
  }
}

}  // namespace

TWendlixMainForm::TWendlixMainForm(const ProgramInfo& program, BarState& state)
    : program_(program), state_(state) {}

TWendlixMainForm::~TWendlixMainForm() {
  if (HWND hwnd = Handle()) DestroyWindow(hwnd);
}

bool TWendlixMainForm::Create(HINSTANCE instance, HWND owner) {
  // Created floating at the toolbar's initial rectangle; LoadBar docks it.
  return CreateBar(instance, ToWide(kMainFormCaption).c_str(), WS_POPUP | WS_THICKFRAME, 0, kInitialFloatRect,
                   owner);
}

LRESULT TWendlixMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  using Base = TAppToolBar<TWendlixMainForm>;
  switch (msg) {
    case WM_CREATE: {
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      if (result != -1) FormCreate();
      return result;
    }
    case WM_EXITSIZEMOVE:
      WMExitSizeMove();
      // The groups are laid out here once the bar has them.
      return 0;
    case WM_CLOSE:
      if (FormCloseQuery(CloseReason::kBar)) DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION:
      return FormCloseQuery(CloseReason::kSystemShutdown) ? TRUE : FALSE;
    case WM_ENDSESSION:
      // Saved when the session was queried; nothing more is written.
      if (wp) DestroyWindow(Handle());
      return 0;
    case WM_DESTROY: {
      FormDestroy();
      const LRESULT result = Base::HandleMessage(msg, wp, lp);
      PostQuitMessage(0);
      return result;
    }
  }
  return Base::HandleMessage(msg, wp, lp);
}

bool TWendlixMainForm::PressDragsBar(POINT /*clientPt*/) {
  // No buttons are drawn yet: the whole client area is the bar's background.
  return true;
}

void TWendlixMainForm::FormCreate() {
  state_.ConfigBase = ResolveConfigBase(program_);
  OnEdgeChanged = [this](AppToolBarImpl&) { FormEdgeChanged(); };
  state_.TitleSize = 25;
  state_.Tweaks.DisableScrnSaver = false;
  state_.Tweaks.CanShutDown = true;
  try {
    LoadBar();
  } catch (...) {
    // Start-up goes on with what was built, docked with the thickness read so far.
    UpdateBar();
  }
}

void TWendlixMainForm::FormEdgeChanged() {
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  SetDockSize(rc.right - rc.left, rc.bottom - rc.top);
  SlideAutoHide(true);
}

void TWendlixMainForm::LoadBar() {
  SetFlags({abfAllowLeft, abfAllowTop, abfAllowRight, abfAllowBottom});
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  const IniFile ini(SettingsFileName(state_.ConfigBase));
  state_.Settings = ReadBarSettings(ini, rc.bottom - rc.top);
  // Applied in the file's order, the edge at once, as the bar always has.
  const AppBarProps& bar = state_.Settings.AppBar;
  SetAutoHide(bar.AutoHide);
  SetAlwaysOnTop(bar.AlwaysOnTop);
  SetEdge(EdgeFromSetting(bar.Edge));
  SetActivateByMouseDown(bar.ActivateByMouseDown);
  SetActiveDelay(bar.ActiveDelay);
  SetAutoHideInterval(bar.AutoHideInterval);
  const std::vector<std::string> names = ReadGroupNames(ini);
  SetDockSize(state_.Settings.Width, state_.Settings.Height);
  if (state_.Settings.ReLoadSet) LoadSystemTweaks(ini);

  if (IsFirstRun(state_.Settings.Groups, names)) {
    RegisterDesktopIcon(kDesktopIconCaption, kDesktopIconInfoTip, QuoteCommandPath(program_.ExePath),
                        program_.ExePath + ",0");
  }
  IniFile gpf(GroupFileName(state_.ConfigBase));
  LoadedGroups loaded =
      LoadGroups(gpf, state_.Settings.Groups, names, QuickLaunchDirectory(), DiskShortcutFolder{});
  state_.Groups = std::move(loaded.Groups);
  // First run rewrote the default groups' buttons; a failure here is retried at close.
  if (gpf.Modified()) gpf.Save();
  state_.BandBarVisible = AnyGroupVisible(state_.Groups);
  UpdateBar();
}

void TWendlixMainForm::LoadSystemTweaks(const IniFile& ini) {
  const StoredTweaks stored = ReadSystemTweaks(ini);
  state_.Tweaks = stored.Flags;
  ApplyShellWindowCommands(stored.Commands);
}

bool TWendlixMainForm::FormCloseQuery(CloseReason reason) {
  if (!state_.Tweaks.CanShutDown) return false;
  const std::string failed = SaveBar();
  if (reason == CloseReason::kSystemShutdown) {
    // Windows is ending: a box would hold up the shutdown, and the files on disk are
    // still the last good ones.
    return true;
  }
  if (!failed.empty()) {
    MessageBoxW(Handle(), ToWide(SaveFailedText(failed)).c_str(), ToWide(kSaveFailedCaption).c_str(),
                MB_OK | MB_ICONERROR);
  }
  return true;
}

std::string TWendlixMainForm::SaveBar() {
  UpdateRunValue(state_.Settings.AutoRun, program_);
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  state_.Settings.Width = rc.right - rc.left;
  state_.Settings.Height = rc.bottom - rc.top;
  state_.Settings.AppBar = CurrentAppBarProps();

  IniFile ini(SettingsFileName(state_.ConfigBase));
  IniFile gpf(GroupFileName(state_.ConfigBase));
  const ShellWindowStates shell = state_.Settings.ReLoadSet ? ReadShellWindowStates() : ShellWindowStates{};
  WriteBarDocuments(ini, gpf, state_.Settings, state_.Tweaks, shell, state_.Groups);
  // Each file is replaced whole or not at all; the first one that failed is reported.
  const bool iniSaved = ini.Save();
  const bool gpfSaved = gpf.Save();
  if (!iniSaved) return ini.Path();
  if (!gpfSaved) return gpf.Path();
  return {};
}

void TWendlixMainForm::FormDestroy() {
  // Drop targets and the shared image list are released here once they exist.
}

void TWendlixMainForm::SetDockSize(int width, int height) {
  const int size = DockSizeFor(Edge(), width, height);
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) AppToolBarImpl::SetDockSize(e, size);
}

AppBarProps TWendlixMainForm::CurrentAppBarProps() const {
  AppBarProps p;
  p.Edge = Edge();
  p.AutoHide = AutoHide();
  p.AlwaysOnTop = AlwaysOnTop();
  p.ActivateByMouseDown = ActivateByMouseDown();
  p.ActiveDelay = ActiveDelay();
  p.AutoHideInterval = AutoHideInterval();
  return p;
}

}  // namespace wendlix
