// The bar's main window: start-up (settings path, bar settings, groups, system tweaks)
// and close (Run value, bar settings, groups).
#pragma once
#include <windows.h>

#include "core/bar/bar_state.h"
#include "win/bar/program_files.h"
#include "win/common/base_window.h"

namespace wendlix {

class IniFile;

class TWendlixMainForm : public BaseWindow<TWendlixMainForm> {
 public:
  static constexpr wchar_t kClassName[] = L"TWendlixMainForm";

  TWendlixMainForm(const ProgramInfo& program, BarState& state);

  // Creates the window, owned by the application window so that it has no taskbar
  // button; FormCreate runs inside.
  bool Create(HINSTANCE instance, HWND owner);

 private:
  // Who asks the window to close: the bar itself, or Windows ending the session.
  enum class CloseReason { kBar, kSystemShutdown };

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  void FormCreate();
  void LoadBar();
  void LoadSystemTweaks(const IniFile& ini);
  bool FormCloseQuery(CloseReason reason);
  // Empty when everything was written; otherwise the first file that could not be.
  std::string SaveBar();
  void FormDestroy();
  void SetDockSize(int width, int height);
  // Places the window at the right edge of the work area with the settings' size; the
  // desktop-edge toolbar takes this over.
  void PlaceWindow();

  const ProgramInfo& program_;
  BarState& state_;
};

}  // namespace wendlix
