// The shell windows as the bar finds them when it saves and when it leaves, and giving
// back what this run took away from them.
#pragma once
#include <windows.h>

#include "core/tweaks/give_back.h"

namespace wendlix {

struct ShellWindowSnapshot {
  struct One {
    bool Exists = false;
    bool Enabled = false;
    bool Visible = false;  // the window's own WS_VISIBLE bit
  };
  One TaskBar, StartButton, DesktopView, Desktop;

  ShellWindowStates States() const;
  ShellWindowPresence Presence() const;
};

// A window's own visibility, not its parents': a start button on a hidden taskbar is
// still a shown button (IsWindowVisible would say it is not).
bool HasVisibleStyle(HWND window);

ShellWindowSnapshot ReadShellWindowSnapshot();

// Applies stored commands in order, noting in `owed` what each took away from a window that
// exists and was shown or enabled.
void ApplyAndNoteShellWindowCommands(const std::vector<ShellWindowCommand>& commands, GiveBackSet& owed);

// Shows and enables every window in `owed`, then empties it; and switches off
// SPI_SCREENSAVERRUNNING when it is on (or, where the system cannot say, when this run set
// it). Never hides or disables anything.
void GiveBackShellWindows(GiveBackSet& owed, bool keysBlockedByThisRun);

// While shutdown is locked, Windows shows `reason` beside the bar in its shutdown screen.
// The functions exist from Windows Vista on and are looked up at run time.
void SetShutdownBlockReason(HWND window, bool locked);

}  // namespace wendlix
