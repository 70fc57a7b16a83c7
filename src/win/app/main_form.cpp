#include "win/app/main_form.h"

#include <shlobj.h>

#include <algorithm>

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

RECT WorkArea() {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

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

bool TWendlixMainForm::Create(HINSTANCE instance, HWND owner) {
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  if (!RegisterClassOnce(wc)) return false;
  // Created at full work-area height: that is the "Height" a first start saves.
  const RECT work = WorkArea();
  const int width = state_.Settings.Width;
  return CreateHandle(WS_EX_TOOLWINDOW, ToWide(kMainFormCaption).c_str(), WS_POPUP | WS_BORDER,
                      work.right - width, work.top, width, work.bottom - work.top, owner,
                      instance) != nullptr;
}

LRESULT TWendlixMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
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
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}

void TWendlixMainForm::FormCreate() {
  state_.ConfigBase = ResolveConfigBase(program_);
  state_.TitleSize = 25;
  state_.Tweaks.DisableScrnSaver = false;
  state_.Tweaks.CanShutDown = true;
  try {
    LoadBar();
  } catch (...) {
    // Start-up goes on with what was built.
  }
}

void TWendlixMainForm::LoadBar() {
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  const IniFile ini(SettingsFileName(state_.ConfigBase));
  state_.Settings = ReadBarSettings(ini, rc.bottom - rc.top);
  const std::vector<std::string> names = ReadGroupNames(ini);
  SetDockSize(state_.Settings.Width, state_.Settings.Height);
  PlaceWindow();
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
  state_.DockSize = DockSizeFor(state_.Settings.AppBar.Edge, width, height);
}

void TWendlixMainForm::PlaceWindow() {
  // Any stored size is kept (it is saved again at close) as long as a window can have it.
  constexpr int kMaxSize = 16384;
  const RECT work = WorkArea();
  const int width = std::clamp(state_.Settings.Width, 1, kMaxSize);
  const int height = std::clamp(state_.Settings.Height, 1, kMaxSize);
  const HWND after = state_.Settings.AppBar.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(Handle(), after, work.right - width, work.top, width, height, SWP_NOACTIVATE);
}

}  // namespace wendlix
