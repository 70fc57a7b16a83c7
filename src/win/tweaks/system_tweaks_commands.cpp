#include "win/tweaks/system_tweaks_commands.h"

#include "core/tweaks/tweak_texts.h"
#include "win/shell/shell_windows.h"
#include "win/ui/p_messages.h"

namespace wendlix {

namespace {

LRESULT CALLBACK DropScreenSaveCommand(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && lp) {
    MSG& msg = *reinterpret_cast<MSG*>(lp);
    if (IsScreenSaveCommand(msg.message, msg.wParam)) msg.message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

ShellWindowState StateOf(std::uint16_t which) {
  const HWND window = FindShellWindow(which);
  return {window && IsWindowEnabled(window), HasVisibleStyle(window), window != nullptr};
}

}  // namespace

SysMenuContext ReadSysMenuContext(const BarState& state) {
  SysMenuContext c;
  c.NtFamily = GetWindowsVersion() == 3;
  c.Flags = state.Tweaks;
  c.ReLoadSet = state.Settings.ReLoadSet;
  c.TaskBar = StateOf(kShellTaskBar);
  c.StartButton = StateOf(kShellStartButton);
  c.DesktopView = StateOf(kShellDesktopView);
  c.Desktop = StateOf(kShellDesktop);
  return c;
}

ScreenSaverFilter::ScreenSaverFilter()
    : hook_(SetWindowsHookExW(WH_GETMESSAGE, DropScreenSaveCommand, nullptr, GetCurrentThreadId())) {}

SystemTweaksCommands::SystemTweaksCommands(HWND mainWindow, BarState& state)
    : main_(mainWindow), state_(state) {}

SystemTweaksCommands::~SystemTweaksCommands() = default;

void SystemTweaksCommands::PrepareMenu(MenuModel& menu) const {
  SYSPMenuPopup(menu, ReadSysMenuContext(state_));
}

void SystemTweaksCommands::SetScreenSaverBlocked(bool blocked) {
  if (blocked && !filter_) filter_ = std::make_unique<ScreenSaverFilter>();
  if (!blocked) filter_.reset();
}

void SystemTweaksCommands::SetSystemKeysBlocked(bool blocked) {
  // Tells Windows 95 and 98 a screen saver runs, which switches the system keys off there.
  // The NT family keeps that value to itself: nothing is said there.
  if (GetWindowsVersion() == 3) return;
  SystemParametersInfoW(SPI_SCREENSAVERRUNNING, blocked ? 1 : 0, nullptr, 0);
  keysBlocked_ = blocked;
}

void SystemTweaksCommands::Execute(MenuModel& menu, const MenuItem& item) {
  const SysMenuCommand command = SysMenuCommandOf(item);
  const bool now = ApplySysMenuCommand(command, state_.Tweaks, state_.Settings.ReLoadSet, menu);
  owed_.Note(command);
  if (command.Action == SysMenuCommand::kSetEnabled || command.Action == SysMenuCommand::kSetVisible)
    keeper_.Keep(owed_);
  switch (command.Action) {
    case SysMenuCommand::kToggleSysKey: SetSystemKeysBlocked(now); break;
    case SysMenuCommand::kToggleScreenSaverBlock: SetScreenSaverBlocked(now); break;
    case SysMenuCommand::kRunScreenSaver:
      // Sent, not posted: it reaches the window past the filter, so it runs even while
      // the screen saver is blocked.
      ReleaseCapture();
      SendMessageW(main_, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
      break;
    case SysMenuCommand::kSetEnabled: DisableShellWindow(command.Window, !command.On); break;
    case SysMenuCommand::kSetVisible: HideShellWindow(command.Window, !command.On); break;
    case SysMenuCommand::kToggleShutdown: SetShutdownBlockReason(main_, !state_.Tweaks.CanShutDown); break;
    default: break;  // the settings alone changed
  }
}

void SystemTweaksCommands::PutRestoredIntoEffect() {
  SetScreenSaverBlocked(state_.Tweaks.DisableScrnSaver);
  if (state_.Tweaks.DisableSysKey) SetSystemKeysBlocked(true);
  SetShutdownBlockReason(main_, !state_.Tweaks.CanShutDown);
}

void SystemTweaksCommands::GiveBack() {
  SetScreenSaverBlocked(false);
  GiveBackShellWindows(owed_, keysBlocked_);
  keeper_.Forget();
  keysBlocked_ = false;
  SetShutdownBlockReason(main_, false);
}

void SystemTweaksCommands::ExplainLockedClose() const { ShowInfoBox(kCloseLockedText, kCloseLockedCaption); }

}  // namespace wendlix
