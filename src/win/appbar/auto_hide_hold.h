// Menus and dialogs hold the auto-hide timer off, so the bar cannot slide away under them;
// once the last hold ends it runs again as the bar's AutoHide says.
#pragma once
#include "win/appbar/app_tool_bar.h"

namespace wendlix {

class AutoHideHold {
 public:
  explicit AutoHideHold(AppToolBarImpl& bar) : bar_(bar) { bar_.AutoHideTimer().Hold(); }
  ~AutoHideHold() {
    bar_.AutoHideTimer().SetEnabled(bar_.AutoHide());
    bar_.AutoHideTimer().Release();
  }
  AutoHideHold(const AutoHideHold&) = delete;
  AutoHideHold& operator=(const AutoHideHold&) = delete;

 private:
  AppToolBarImpl& bar_;
};

}  // namespace wendlix
