// The system tweaks menu `SYSPMenu`: its items, the captions and check marks it gets on
// opening, and what each item does. The shell windows' states come in as data; the
// Win32 side (win/tweaks/system_tweaks_commands.h) reads them and carries commands out.
//
// Boundary: keep the model from BuildSYSPMenu(); before each opening SYSPMenuPopup(menu,
// context); for the chosen item SysMenuCommandOf(item) says what to do, and
// ApplySysMenuCommand changes the bar's own settings (and the hot-key item's caption).
// The disable and hide items decide their direction from the caption set on opening.
#pragma once
#include <cstdint>

#include "core/tweaks/system_tweaks.h"
#include "core/ui/menu_model.h"
#include "wendlix/version.h"

namespace wendlix {

inline constexpr char kSysMenuTitle[] = "Wendlix V" WENDLIX_VERSION_SHORT_TEXT;

struct ShellWindowState {
  bool Enabled = false;  // a window that does not exist is neither
  bool Visible = false;
  bool Exists = true;  // the items of a missing window are grey: there is nothing to change
};

// What the menu shows depends on.
struct SysMenuContext {
  bool NtFamily = true;  // the hot-key and screen-saver-blocking items exist on 95 and 98 only
  TweakFlags Flags;
  bool ReLoadSet = false;
  ShellWindowState TaskBar, StartButton, DesktopView, Desktop;
};

MenuModel BuildSYSPMenu();

// Before the system menu opens: its checks and enabled states from the shell windows' states.
void SYSPMenuPopup(MenuModel& menu, const SysMenuContext& context);

struct SysMenuCommand {
  enum class Kind {
    kNone,
    kToggleSysKey,            // then SPI_SCREENSAVERRUNNING with the new state
    kToggleScreenSaverBlock,  // then install or remove the screen-saver filter
    kRunScreenSaver,          // WM_SYSCOMMAND SC_SCREENSAVE straight to the main window
    kSetEnabled,              // EnableWindow(Window, On)
    kSetVisible,              // ShowWindow(Window, On ? SW_SHOW : SW_HIDE)
    kToggleShutdown,          // CanShutDown
    kToggleReLoad,            // ReLoadSet
  };
  using enum Kind;
  Kind Action = kNone;
  std::uint16_t Window = 0;  // kShellTaskBar, kShellStartButton, kShellDesktopView, kShellDesktop
  bool On = false;

  bool operator==(const SysMenuCommand&) const = default;
};

SysMenuCommand SysMenuCommandOf(const MenuItem& item);

// The command's effect on the bar's settings; shell windows are the caller's. A toggle of
// the hot keys also sets the caption of its item. Returns the toggled setting's new value
// (false for commands that toggle nothing).
bool ApplySysMenuCommand(const SysMenuCommand& command, TweakFlags& flags, bool& reLoadSet, MenuModel& menu);

// Whether a message is the system command that starts the screen saver (the low four bits
// of the command belong to the system and are ignored).
bool IsScreenSaveCommand(unsigned message, std::uintptr_t wParam);

}  // namespace wendlix
