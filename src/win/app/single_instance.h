// One bar per settings file. Two bars on one pair of settings files would each save
// over the other's changes on exit, so a later start (the Run value at sign-in plus a
// click on the shortcut, say) finds the running bar, asks it to come forward and ends.
//
// The lock is a named mutex made from the settings path; the running bar is found among
// the windows of class TWendlixMainForm by a registered message that carries the same
// key, so bars of other settings files ignore it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "win/common/unique_handle.h"
#include "win/common/window_subclass.h"

namespace wendlix {

class AppToolBarImpl;

// The mutex name for a settings path: one name for every spelling Windows takes for the
// same file (letter case, '/' for '\', "." and ".." steps), and a valid kernel object
// name for any path, however long.
std::wstring InstanceMutexName(const std::string& configBase);

// The 64-bit key of a mutex name, as the bring-forward message carries it.
std::uint64_t InstanceKey(const std::wstring& mutexName);

// The registered message: wParam and lParam hold the key's low and high 32 bits (both
// survive between 32-bit and 64-bit processes). A bar serving that key answers
// kBroughtForward; every other window answers something else.
UINT BringForwardMessage();
inline constexpr LRESULT kBroughtForward = 0x57584246;  // "WXBF"

// Asks the bar serving `key` to come forward. True when one answered.
bool BringRunningBarForward(std::uint64_t key);

// Shows the bar if it is hidden, slides it out if it is hidden at its edge, and makes
// it the foreground window.
void BringBarForward(AppToolBarImpl& bar);

// Holds the lock, and serves later starts through a subclass of the bar's window.
class SingleInstance : private WindowSubclass {
 public:
  explicit SingleInstance(const std::string& configBase);
  ~SingleInstance() override;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process is to run the bar: it holds the lock until destruction.
  // False when another process holds it: that bar was asked to come forward (or could
  // not be reached within `patienceMs`, while it starts or ends) and this one should
  // end. When the lock cannot be made at all (other than for want of access to another
  // bar's lock), answers true: a bar is better than none.
  bool Claim(DWORD patienceMs = 10000);

  // Lets later starts reach `window` (of class TWendlixMainForm): `comeForward` runs on
  // the window's thread when one asks. Call after a successful Claim.
  void Serve(HWND window, std::function<void()> comeForward);

 private:
  // Answers the bring-forward message for this key; everything else goes to the window.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  std::wstring name_;
  std::uint64_t key_;
  unique_handle<NullHandleTraits> mutex_;
  bool owned_ = false;
  std::function<void()> comeForward_;
};

}  // namespace wendlix
