// One dialog, one C++ class, as BaseWindow is for windows: the object is stored at
// WM_INITDIALOG (DWLP_USER), every message from then on goes to its HandleMessage, and the
// link is cleared at WM_NCDESTROY. The dialog manager runs the modal loop; a dialog that
// wants keys the manager keeps for itself (Ctrl+Tab, Alt+letter) gets them through a thread
// message filter that the run owns. No exception leaves the dialog procedure or the filter.
#pragma once
#include <windows.h>

#include "win/common/unique_handle.h"

namespace wendlix {

template <typename Derived>
class BaseDialog {
 public:
  BaseDialog(const BaseDialog&) = delete;
  BaseDialog& operator=(const BaseDialog&) = delete;

  HWND Handle() const noexcept { return hwnd_; }

 protected:
  BaseDialog() = default;
  virtual ~BaseDialog() {
    if (hwnd_) SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  }

  // Runs the dialog from `dialogTemplate` modally, owned by `owner` (disabled meanwhile).
  // Answers what EndDialog was given; -1 when the dialog could not be made, 0 when WM_QUIT
  // ended the loop. With `filterKeys`, PreTranslate sees the loop's messages first.
  INT_PTR RunModal(const DLGTEMPLATE* dialogTemplate, HWND owner, bool filterKeys) {
    // The dialog loop offers each message to the thread's filter (IsDialogMessageW calls
    // CallMsgFilterW with MSGF_DIALOGBOX) before it handles it.
    unique_hhook filter;
    if (filterKeys)
      filter.reset(
          SetWindowsHookExW(WH_MSGFILTER, &BaseDialog::MessageFilter, nullptr, GetCurrentThreadId()));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, &BaseDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  }

  // Every message from WM_INITDIALOG on, answered as a dialog procedure answers: FALSE
  // leaves it to the dialog manager.
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // A message for this dialog or one of its controls, before the dialog loop handles it;
  // true takes it.
  virtual bool PreTranslate(const MSG& /*m*/) { return false; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BaseDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
      self = reinterpret_cast<BaseDialog*>(lp);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    } else {
      self = reinterpret_cast<BaseDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
      result = self->HandleMessage(msg, wp, lp);
    } catch (...) {
      // A failing handler must not take the bar down; a failure while starting closes the dialog.
      if (msg == WM_INITDIALOG) EndDialog(hwnd, IDCANCEL);
      result = FALSE;
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  static LRESULT CALLBACK MessageFilter(int code, WPARAM wp, LPARAM lp) {
    if (code == MSGF_DIALOGBOX && lp) {
      const MSG& m = *reinterpret_cast<const MSG*>(lp);
      if (BaseDialog* self = DialogOf(m.hwnd)) {
        try {
          if (self->PreTranslate(m)) return 1;
        } catch (...) {
          return 1;  // the key is dropped, as its handler failed
        }
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  // The dialog of this class that `hwnd` is or lies in, told by its dialog procedure; null
  // for any other window (a message box or a common dialog opened over it, say).
  static BaseDialog* DialogOf(HWND hwnd) {
    const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (!root || GetWindowLongPtrW(root, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&BaseDialog::DialogProc))
      return nullptr;
    return reinterpret_cast<BaseDialog*>(GetWindowLongPtrW(root, DWLP_USER));
  }

  HWND hwnd_ = nullptr;
};

}  // namespace wendlix
