#include "win/app/wendlix_app.h"

#include <ole2.h>

#include "core/bar/bar_texts.h"
#include "win/app/main_form.h"
#include "win/app/single_instance.h"
#include "win/app/startup_trace.h"
#include "win/common/wide.h"

namespace wendlix {

bool ApplicationWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  if (!RegisterClassOnce(wc)) return false;
  return CreateHandle(WS_EX_TOOLWINDOW, ToWide(kApplicationTitle).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                      instance) != nullptr;
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

void OleSession::Begin() {
  if (!begun_) begun_ = SUCCEEDED(OleInitialize(nullptr));
}

OleSession::~OleSession() {
  if (begun_) OleUninitialize();
}

WendlixApp::WendlixApp(HINSTANCE instance) : instance_(instance), program_(CurrentProgram()) {}

WendlixApp::~WendlixApp() = default;

// How the bar ends, in this order:
//  1. Every way out (Exit in the bar's menu, a WM_CLOSE from elsewhere, the session's end) saves
//     the settings and groups first, then destroys the main window.
//  2. Windows destroys what the main window owns before the main window itself: an open popup
//     menu is ended, then the tooltip, the About window (its object frees itself), the find box,
//     and an open editor or message box go; their modal loops end and answer Cancel, so the
//     command that opened them returns without acting.
//  3. The main window's WM_DESTROY: the keyboard session ends, the hotkey is unregistered, the
//     shell's windows are given back and the drop target is revoked; WM_QUIT is posted. A modal
//     loop still running (a message box owned by no window) ends on it and posts it again.
//     At WM_NCDESTROY the single instance's subclass comes off.
//  4. The loop below ends; leaving Run lets go of the single-instance lock, now that the files
//     are saved and the window that answered later starts is gone.
//  5. ~WendlixApp: the main window's object with its fonts, pictures and menus, then the hidden
//     application window (members go in the reverse order of their declaration), and last OLE,
//     when no drop target or shell object is left.
int WendlixApp::Run(int showCommand) {
  // One bar per settings file: a later start brings the running bar forward and ends.
  SingleInstance single(ResolveConfigBase(program_));
  if (!single.Claim()) return 0;
  if (!application_.Create(instance_)) return 1;
  mainForm_ = std::make_unique<TWendlixMainForm>(program_, state_);
  if (!mainForm_->Create(instance_, application_.Handle())) return 1;
  StartupMark("bar created");
  ShowWindow(mainForm_->Handle(), showCommand == SW_HIDE ? SW_HIDE : SW_SHOWNOACTIVATE);
  UpdateWindow(mainForm_->Handle());
  StartupMark("first paint");
  // A later start meanwhile finds the lock taken and waits for the bar to answer.
  single.Serve(mainForm_->Handle(), [form = mainForm_.get()] { BringBarForward(*form); });
  ole_.Begin();
  StartupMark("OLE ready");
  mainForm_->FinishStart();
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunWendlix(HINSTANCE instance, int showCommand) {
  StartupMark("entry");
  try {
    WendlixApp app(instance);
    return app.Run(showCommand);
  } catch (...) {
    return 1;
  }
}

}  // namespace wendlix
