// The system tweaks menu carried out on the shell's windows and the system.
//
// Boundary for the main window, which owns one SystemTweaksCommands and the SYSPMenu model:
//   SystemTweaksCommands tweaks_(hwnd, state_);  // once the window exists
//   after LoadSystemTweaks:    tweaks_.PutRestoredIntoEffect();
//   before showing SYSPMenu:   tweaks_.PrepareMenu(sysMenu_);
//   on the chosen item:        tweaks_.Execute(sysMenu_, *item);
//   stored window commands at start:         tweaks_.ApplyRestored(commands);
//   once the bar saved on its way out:       tweaks_.GiveBack();
// The bar's settings it changes live in BarState (Tweaks, Settings.ReLoadSet); the close
// query keeps reading Tweaks.CanShutDown. While the screen saver is blocked a message
// hook on this thread drops WM_SYSCOMMAND/SC_SCREENSAVE from the message queue.
#pragma once
#include <windows.h>

#include <memory>

#include "core/bar/bar_state.h"
#include "core/tweaks/give_back.h"
#include "core/tweaks/system_menu.h"
#include "win/common/unique_handle.h"
#include "win/tweaks/give_back_guard.h"
#include "win/tweaks/shell_give_back.h"

namespace wendlix {

// The shell windows' states and the Windows family, as the menu shows them.
SysMenuContext ReadSysMenuContext(const BarState& state);

// Drops the screen-saver system command from this thread's message queue while it lives.
class ScreenSaverFilter {
 public:
  ScreenSaverFilter();

 private:
  unique_hhook hook_;
};

class SystemTweaksCommands {
 public:
  SystemTweaksCommands(HWND mainWindow, BarState& state);
  ~SystemTweaksCommands();
  SystemTweaksCommands(const SystemTweaksCommands&) = delete;
  SystemTweaksCommands& operator=(const SystemTweaksCommands&) = delete;

  void PrepareMenu(MenuModel& menu) const;
  // Runs the item's command (an item of another menu does nothing).
  void Execute(MenuModel& menu, const MenuItem& item);
  // Settings restored from the file take effect at once, as the menu then shows them: the
  // screen-saver block, and on Windows 95 and 98 the hot-key block.
  void PutRestoredIntoEffect();
  // Applies the stored shell-window commands; what they take away is this run's to give back.
  // The record is kept before anything changes: a crash in between still gives back.
  void ApplyRestored(const std::vector<ShellWindowCommand>& commands) {
    GiveBackSet planned = owed_;
    planned.NoteAll(commands);
    keeper_.Keep(planned);
    ApplyAndNoteShellWindowCommands(commands, owed_);
    keeper_.Keep(owed_);
  }
  const GiveBackSet& Owed() const { return owed_; }
  // Shows and enables what this run hid or disabled, lets the system keys go and drops the
  // shutdown block reason. For the way out: the settings are left as they are.
  void GiveBack();
  // The box for a close refused while shutdown is locked: how to unlock it.
  void ExplainLockedClose() const;

 private:
  void SetScreenSaverBlocked(bool blocked);
  void SetSystemKeysBlocked(bool blocked);

  HWND main_;
  BarState& state_;
  std::unique_ptr<ScreenSaverFilter> filter_;
  GiveBackSet owed_;
  GiveBackKeeper keeper_;     // owed_ in the registry, for a guard or the next start
  bool keysBlocked_ = false;  // this run told Windows 95 or 98 a screen saver runs
};

}  // namespace wendlix
