// What the Win32 tests of the desktop-edge toolbar share: a bar of the test's own, docked as the
// bar docks itself.
#pragma once
#include <windows.h>

#include <memory>

#include "support/win_test_support.h"
#include "win/appbar/app_tool_bar.h"

namespace wendlix::testing_support {

// A bar 86 wide at every edge, docked at `edge`, its auto-hide timer stopped (ticks are driven by hand).
template <class Bar>
std::unique_ptr<Bar> MakeDockedBar(TAppToolBarEdge edge, bool autoHide, bool alwaysOnTop) {
  auto bar = std::make_unique<Bar>();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  EXPECT_TRUE(bar->CreateBar(instance, L"bar", WS_POPUP | WS_THICKFRAME, 0, {100, 100, 186, 500}));
  ShowWindow(bar->Handle(), SW_SHOWNOACTIVATE);
  Pump();  // the end-of-move pair posted at creation
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) bar->SetDockSize(e, 86);
  bar->SetAutoHide(autoHide);
  bar->SetAlwaysOnTop(alwaysOnTop);
  bar->SetEdge(edge);
  Pump();
  bar->AutoHideTimer().SetEnabled(false);
  return bar;
}

}  // namespace wendlix::testing_support
