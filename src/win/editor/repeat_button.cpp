#include "win/editor/repeat_button.h"

#include <commctrl.h>

namespace wendlix {
namespace {

constexpr UINT_PTR kSubclassId = 0x52505442;  // "RPTB"
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstPauseMs = 400;
constexpr UINT kRepeatMs = 100;

void Clicked(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

LRESULT CALLBACK RepeatProc(HWND button, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefSubclassProc(button, msg, wp, lp);  // pushed, with the capture
      // The click may disable the button at the end of the list, which stops the timer again.
      SetTimer(button, kRepeatTimer, kFirstPauseMs, nullptr);
      Clicked(button);
      return result;
    }
    case WM_TIMER:
      if (wp != kRepeatTimer) break;
      // Held means the button keeps the mouse it captured at the press.
      if (GetCapture() != button || !IsWindowEnabled(button)) {
        KillTimer(button, kRepeatTimer);
        return 0;
      }
      // Set before the click, which may end the hold by disabling the button.
      SetTimer(button, kRepeatTimer, kRepeatMs, nullptr);
      // Off the button while held, it waits until the pointer comes back.
      if (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) Clicked(button);
      return 0;
    case WM_LBUTTONUP:
      if (!KillTimer(button, kRepeatTimer)) break;
      // The press already acted: letting go ends the hold without the click a button sends on
      // release. Losing the capture resets the button's pushed state.
      ReleaseCapture();
      SendMessageW(button, BM_SETSTATE, FALSE, 0);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != button) KillTimer(button, kRepeatTimer);
      break;
    case WM_CANCELMODE: KillTimer(button, kRepeatTimer); break;
    case WM_ENABLE:
      if (!wp) KillTimer(button, kRepeatTimer);
      break;
    case WM_NCDESTROY:
      KillTimer(button, kRepeatTimer);
      RemoveWindowSubclass(button, &RepeatProc, id);
      break;
    default: break;
  }
  return DefSubclassProc(button, msg, wp, lp);
}

}  // namespace

bool MakeRepeatButton(HWND button) {
  return button && SetWindowSubclass(button, &RepeatProc, kSubclassId, 0);
}

}  // namespace wendlix
