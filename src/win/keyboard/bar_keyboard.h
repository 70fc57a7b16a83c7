// The bar and the keyboard: the global hotkey that calls the bar up and gives the foreground
// back, the focused button moved by the arrows and Tab, and Enter, the context-menu key and
// Escape acting on it; typing opens the find box (win/find/bar_find.h). Decisions come from
// core/keyboard/keyboard_focus.h.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/inspect/query_table.h"
#include "core/keyboard/keyboard_focus.h"
#include "win/bar/bar_painter.h"
#include "win/bar/bar_window.h"
#include "win/button_menu/button_menu_commands.h"
#include "win/find/bar_find.h"
#include "win/keyboard/global_hotkey.h"
#include "win/keyboard/keyboard_session.h"
#include "win/launch/bar_launch.h"

namespace wendlix {

class BarKeyboard {
 public:
  // Posted when a hotkey the user chose could not be had at start-up: the message waits until
  // the window is up; the window hands it to ReportHotKeyTaken.
  static constexpr UINT kHotKeyTakenMessage = WM_APP + 30;

  BarKeyboard(BarWindow& bar, BarPainter& painter, BarLaunch& launch, ButtonMenuCommands& buttonMenu,
              BarFind& find)
      : bar_(bar),
        state_(bar.State()),
        painter_(painter),
        launch_(launch),
        buttonMenu_(buttonMenu),
        find_(find) {
    find_.Closed = [this](FindBoxEnd why) { FindClosed(why); };
  }
  BarKeyboard(const BarKeyboard&) = delete;
  BarKeyboard& operator=(const BarKeyboard&) = delete;

  // Registers the stored hotkey; a taken one the user chose is reported (posted, shown later).
  void RegisterStoredHotKey();
  void ReportHotKeyTaken();
  // The hotkey dialog, and the chosen hotkey registered.
  void ChooseHotKey();
  // For the way out: the session ends and the hotkey is given up.
  void Stop();

  // WM_HOTKEY: false when the id is not the bar's hotkey.
  bool HotKeyPressed(WPARAM id);
  // A key pressed or released (`system`: WM_SYSKEYDOWN, WM_SYSKEYUP); false for a key the bar
  // leaves to the default handling.
  bool KeyDown(unsigned vk, bool system);
  bool KeyUp(unsigned vk);
  // WM_CHAR: false when the bar takes no typing now (a dialog, a menu or a drag is under way)
  // or the character opens no find.
  bool Char(wchar_t c);
  // The bar lost the keyboard focus, or the activation to `to` (its own find box keeps the session).
  void FocusLost();
  void Deactivated(HWND to);
  // Opens the focused button's menu beside it; false when no button has the focus.
  bool FocusedButtonMenu();
  // "keyboard": the focus, the session, the foreground and the hotkey.
  void AddQueries(QueryTable& table);

 private:
  std::string Describe() const;
  void OnHotKey();
  void OnBarKey(unsigned vk);
  void SetFocusButton(BarFocus focus);
  void GiveKeyboardBack();
  // After a launch the keyboard chose: once one was handed to the shell, the keyboard goes back
  // (true).
  bool HandBackIfStarted(unsigned startedBefore);
  void ActivateFocused();
  void FindClosed(FindBoxEnd);

  BarWindow& bar_;
  BarState& state_;
  BarPainter& painter_;
  BarLaunch& launch_;
  ButtonMenuCommands& buttonMenu_;
  BarFind& find_;
  GlobalHotKey hotKey_;
  KeyboardSession keyboard_{bar_.Toolbar()};
  BarFocus focus_;
  BarFocus focusBeforeFind_;  // comes back when the find box gives the keyboard back
  unsigned startedBeforeFind_ = 0;
  bool menuKeyDown_ = false;  // the context-menu key or Shift+F10 was handled on its press
};

}  // namespace wendlix
