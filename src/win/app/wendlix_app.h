// The application object: the one owner of the main window, the bar's state and the
// message loop.
#pragma once
#include <windows.h>

#include <memory>

#include "core/bar/bar_state.h"
#include "win/app/program_files.h"
#include "win/common/base_window.h"

namespace wendlix {

class TWendlixMainForm;

// The application's hidden window: it carries the application title and owns the main
// window, so that the bar gets no taskbar button.
class ApplicationWindow : public BaseWindow<ApplicationWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixApplication";
  bool Create(HINSTANCE instance);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

// OLE on the bar's thread, for shell links, folders and drag and drop: begun after the first paint,
// which needs none of it, and ended last, when no drop target or shell object is left.
class OleSession {
 public:
  OleSession() = default;
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  void Begin();

 private:
  bool begun_ = false;
};

class WendlixApp {
 public:
  explicit WendlixApp(HINSTANCE instance);
  ~WendlixApp();
  WendlixApp(const WendlixApp&) = delete;
  WendlixApp& operator=(const WendlixApp&) = delete;

  // Creates the windows and runs the message loop; returns the exit code.
  int Run(int showCommand);

 private:
  // Declared in the order they are made; destroyed the other way round (wendlix_app.cpp
  // says how the bar ends).
  OleSession ole_;
  HINSTANCE instance_;
  ProgramInfo program_;
  BarState state_;
  ApplicationWindow application_;
  std::unique_ptr<TWendlixMainForm> mainForm_;
};

// The program entry's whole work.
int RunWendlix(HINSTANCE instance, int showCommand);

}  // namespace wendlix
