#include "win/tweaks/shell_give_back.h"

#include "core/tweaks/tweak_texts.h"
#include "win/common/wide.h"
#include "win/shell/shell_windows.h"
#include "win/tweaks/shell_tweaks.h"

namespace wendlix {

namespace {

ShellWindowSnapshot::One SnapshotOf(std::uint16_t which) {
  const HWND window = FindShellWindow(which);
  if (!window) return {};
  return {true, IsWindowEnabled(window) != FALSE, HasVisibleStyle(window)};
}

}  // namespace

bool HasVisibleStyle(HWND window) { return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

ShellWindowStates ShellWindowSnapshot::States() const {
  ShellWindowStates s;
  s.DesktopViewEnabled = DesktopView.Enabled;
  s.StartButtonEnabled = StartButton.Enabled;
  s.TaskBarEnabled = TaskBar.Enabled;
  s.StartButtonVisible = StartButton.Visible;
  s.TaskBarVisible = TaskBar.Visible;
  s.DesktopVisible = Desktop.Visible;
  return s;
}

ShellWindowPresence ShellWindowSnapshot::Presence() const {
  return {TaskBar.Exists, StartButton.Exists, DesktopView.Exists, Desktop.Exists};
}

ShellWindowSnapshot ReadShellWindowSnapshot() {
  ShellWindowSnapshot s;
  s.TaskBar = SnapshotOf(shTaskBar);
  s.StartButton = SnapshotOf(shStartButton);
  s.DesktopView = SnapshotOf(shDesktopView);
  s.Desktop = SnapshotOf(shDesktop);
  return s;
}

void ApplyAndNoteShellWindowCommands(const std::vector<ShellWindowCommand>& commands, GiveBackSet& owed) {
  for (const ShellWindowCommand& c : commands) {
    const HWND window = FindShellWindow(c.Which);
    if (!window) continue;
    const bool wasOn =
        c.Action == ShellWindowCommand::kEnable ? IsWindowEnabled(window) != FALSE : HasVisibleStyle(window);
    ApplyShellWindowCommands({c});
    owed.NoteApplied(c, wasOn);
  }
}

void GiveBackShellWindows(GiveBackSet& owed, bool keysBlockedByThisRun) {
  ApplyShellWindowCommands(owed.Commands());
  owed.Clear();
  BOOL running = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) running = keysBlockedByThisRun;
  if (running) SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
}

void SetShutdownBlockReason(HWND window, bool locked) {
  using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
  using Destroy = BOOL(WINAPI*)(HWND);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32 || !window) return;
  if (locked) {
    if (auto create = reinterpret_cast<Create>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonCreate")))) {
      create(window, ToWide(kShutdownLockedReason).c_str());
    }
  } else if (auto destroy = reinterpret_cast<Destroy>(
                 reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonDestroy")))) {
    destroy(window);
  }
}

}  // namespace wendlix
