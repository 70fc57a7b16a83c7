// Test switches for leak hunts and long runs. With WENDLIX_TEST_SWITCHES=1 in the environment
// when the bar starts, it takes requests by WM_COPYDATA (dwData kProbeMagic, wParam the requesting
// window, the text a ProbeCommand such as "mainmenu 1000") that run one of its own code paths again
// and again: slides, menus opened and dismissed, groups refilled, display and shell notices, the
// editor opened and cancelled. The batch runs from the bar's own message loop; when it is over the
// requester gets "done NAME COUNT" (or "refused ...") the way the inspection channel answers.
// Without the variable the bar has no probe, and such messages fall through unanswered.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/diagnostics/probe_command.h"

namespace wendlix {

class TWendlixMainForm;

inline constexpr ULONG_PTR kProbeMagic = 0x57584254;  // "WXBT"

class LeakProbe {
 public:
  // A probe when the test switches are on, else nothing.
  static std::unique_ptr<LeakProbe> FromEnvironment(TWendlixMainForm& form);

  explicit LeakProbe(TWendlixMainForm& form) : form_(form) {}
  LeakProbe(const LeakProbe&) = delete;
  LeakProbe& operator=(const LeakProbe&) = delete;

  // Takes the probe's own messages (requests, the batch, the closer's ticks); false for the rest.
  bool HandleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  enum class Closing { kNone, kMenu, kEditor };

  bool Request(HWND hwnd, HWND requester, LPARAM lp);
  std::string Run(HWND hwnd, const ProbeCommand& command);
  std::string Slides(HWND hwnd, const ProbeCommand& command);
  // Runs `open`, which shows a menu or the editor modally, and dismisses what it shows; counts in
  // closed_ the openings where there was something to dismiss.
  template <typename Open>
  void OpenAndDismiss(HWND hwnd, Closing what, Open open);
  void CloseWhatIsOpen(HWND hwnd);
  // Dispatches what is waiting, as the bar's own loop would between two user actions.
  static void PumpPending();

  TWendlixMainForm& form_;
  std::optional<ProbeCommand> pending_;
  HWND requester_ = nullptr;
  bool running_ = false;
  Closing closing_ = Closing::kNone;
  bool closedThisOpening_ = false;  // the menu or editor of this opening was found and closed
  int closed_ = 0;                  // openings of this batch found and closed
};

}  // namespace wendlix
