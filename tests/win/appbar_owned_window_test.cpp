// A bar owned by a hidden application window, as the program's main window is: its z-order
// follows AlwaysOnTop both ways, shown or not yet shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "win/appbar/app_tool_bar.h"

namespace wendlix {
namespace {

class OwnedBar : public TAppToolBar<OwnedBar> {
 public:
  static constexpr wchar_t kClassName[] = L"WendlixOwnedAppBarTestWindow";
};

struct OwnerWindow {
  OwnerWindow() {
    hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"owner", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  ~OwnerWindow() { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
};

bool IsTopmost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(AppBarOwnedWindow, ZOrderFollowsAlwaysOnTopBothWays) {
  OwnerWindow owner;
  ASSERT_NE(owner.hwnd, nullptr);
  for (bool shown : {false, true}) {
    auto bar = std::make_unique<OwnedBar>();
    ASSERT_TRUE(bar->CreateBar(GetModuleHandleW(nullptr), L"bar", WS_POPUP | WS_THICKFRAME, 0,
                               {0, 0, 86, 400}, owner.hwnd));
    if (shown) ShowWindow(bar->Handle(), SW_SHOWNOACTIVATE);
    bar->AutoHideTimer().SetEnabled(false);
    for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) bar->SetDockSize(e, 86);
    bar->SetAutoHide(false);

    // Created topmost (the toolbar starts always on top), then asked to leave that band.
    bar->SetAlwaysOnTop(true);
    bar->SetEdge(abeRight);
    EXPECT_TRUE(IsTopmost(bar->Handle())) << shown;
    bar->SetAlwaysOnTop(false);
    bar->UpdateBar();
    EXPECT_FALSE(IsTopmost(bar->Handle())) << shown;
    bar->SetAlwaysOnTop(true);
    bar->UpdateBar();
    EXPECT_TRUE(IsTopmost(bar->Handle())) << shown;
    // An auto-hide bar stands on top whatever AlwaysOnTop says.
    bar->SetAlwaysOnTop(false);
    bar->SetAutoHide(true);
    bar->UpdateBar();
    EXPECT_TRUE(IsTopmost(bar->Handle())) << shown;
    bar->SetAutoHide(false);
    bar->UpdateBar();
    EXPECT_FALSE(IsTopmost(bar->Handle())) << shown;
    EXPECT_EQ(GetWindow(bar->Handle(), GW_OWNER), owner.hwnd);
  }
}

}  // namespace
}  // namespace wendlix
