// What a modal window answers: the button that closed it. mrNone leaves the window open; a
// window closed any other way (Escape, Alt+F4, the end of the session) answers mrCancel.
// The values are the dialog manager's IDOK, IDCANCEL, ... which they stand for.
#pragma once

namespace wendlix {

enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

}  // namespace wendlix
