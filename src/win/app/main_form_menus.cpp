// The main window's menus: the bar settings menu (from the title button and a right click
// on the bar) and the system tweaks menu (from the system button and the title strip).
#include <windowsx.h>

#include "win/appbar/auto_hide_hold.h"
#include "win/app/main_form.h"
#include "win/bar_menu/bar_menu_commands.h"
#include "win/paint/about_form.h"

namespace wendlix {

bool TWendlixMainForm::HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return mainPopup_.HandleMenuMessage(msg, wp, lp, result) || sysPopup_.HandleMenuMessage(msg, wp, lp, result) ||
         buttonMenu_.HandleMenuMessage(msg, wp, lp, result) ||
         launch_.HandleMenuMessage(msg, wp, lp, result);
}

bool TWendlixMainForm::MenuOpen() const {
  return mainPopup_.Tracking() || sysPopup_.Tracking() || buttonMenu_.MenuOpen() ||
         launch_.MenuOpen();
}

void TWendlixMainForm::RefreshGroupEntries() {
  std::vector<GroupMenuEntry> entries;
  entries.reserve(state_.Groups.size());
  for (const GroupPanel& g : state_.Groups) entries.push_back({g.Data.Title, g.Tag, ShownAsBand(g.Data)});
  SetGroupEntries(mainMenu_, entries);
}

void TWendlixMainForm::PrepareMainMenu() {
  BarSettings settings = state_.Settings;
  settings.AppBar = CurrentAppBarProps();
  std::vector<GroupVisibility> bands;
  bands.reserve(state_.Groups.size());
  for (const GroupPanel& g : state_.Groups) bands.push_back({g.Tag, ShownAsBand(g.Data)});
  MainPMenuPopup(mainMenu_, settings, bands);
  CheckPositionItems(mainMenu_, view_.Arrangement.PositionChecks);
}

void TWendlixMainForm::ShowContextMenu(POINT client) {
  using K = BarHit::Kind;
  const BarHit hit = HitTest(client);
  switch (hit.What) {
    case K::kTitleStrip:
    case K::kBtnTitle:
    case K::kBtnSys: {
      // The title strip's own menu is the system tweaks menu, where the pointer is.
      AutoHideHold hold(*this);
      if (!tweaks_) return;
      POINT screen = client;
      ClientToScreen(Handle(), &screen);
      tweaks_->PrepareMenu(sysMenu_);
      sysPopup_.SetImages(resources_.ImageList1());
      if (const MenuItem* item = sysPopup_.Popup(Handle(), screen)) tweaks_->Execute(sysMenu_, *item);
      return;
    }
    case K::kBackground:
    case K::kBandHeader:
    case K::kNone: {
      POINT screen = client;
      ClientToScreen(Handle(), &screen);
      ShowMainMenu(screen, TPM_LEFTALIGN | TPM_TOPALIGN);
      return;
    }
    default: {
      // Groups, their buttons and PanelBtn have the buttons menu.
      POINT screen = client;
      ClientToScreen(Handle(), &screen);
      buttonMenu_.ShowButtonMenu(hit, screen);
      return;
    }
  }
}

void TWendlixMainForm::ShowMainMenu(POINT screen, UINT align) {
  AutoHideHold hold(*this);
  PrepareMainMenu();
  mainPopup_.SetImages(resources_.ImageList1());
  const MenuItem* chosen = mainPopup_.Popup(Handle(), screen, align);
  if (!chosen) return;
  // The item is copied: running it may rebuild the menu it came from.
  const MenuItem item = *chosen;
  RunMainMenuItem(item);
}

void TWendlixMainForm::ShowSysMenu() {
  AutoHideHold hold(*this);
  if (!tweaks_) return;
  const Rect r = HitBounds(view_, state_.Groups, BarHit{BarHit::Kind::kBtnSys});
  sysPopup_.SetImages(resources_.ImageList1());
  ShowSystemTweaksMenu(Handle(), RECT{r.left, r.top, r.right, r.bottom}, Edge(), sysPopup_, *tweaks_);
}

void TWendlixMainForm::RunMainMenuItem(const MenuItem& item) {
  switch (MainMenuActionOf(item)) {
    case MainMenuAction::kAutoHide: {
      AppBarProps props = CurrentAppBarProps();
      AutoHide1Click(props);
      SetAlwaysOnTop(props.AlwaysOnTop);
      SetAutoHide(props.AutoHide);
      UpdateBar();
      AutoHideTimer().SetEnabled(AutoHide());
      break;
    }
    case MainMenuAction::kPosition:
      PositionLeft1Click(item.Tag);
      break;
    case MainMenuAction::kSetting: {
      state_.Settings.AppBar = CurrentAppBarProps();
      const bool relayout = A1Click(item.Tag, state_.Settings);
      SetActivateByMouseDown(state_.Settings.AppBar.ActivateByMouseDown);
      SetAutoHideInterval(state_.Settings.AppBar.AutoHideInterval);
      SetActiveDelay(state_.Settings.AppBar.ActiveDelay);
      if (relayout) ArrangeBar();
      break;
    }
    case MainMenuAction::kGroupVisible:
      groups_.GroupMenuItemClick(item.Tag);
      break;
    case MainMenuAction::kNewGroup:
      buttonMenu_.N6Click();
      break;
    case MainMenuAction::kQuickFolder:
      quickCreate_.D4Click(item.Tag, CaptionWithoutAccelerator(item.Caption));
      break;
    case MainMenuAction::kQuickSites:
      quickCreate_.N40Click(CaptionWithoutAccelerator(item.Caption));
      break;
    case MainMenuAction::kAbout:
      ShowAboutWindow(Handle());
      break;
    case MainMenuAction::kHelp:
      H2Click(Handle());
      break;
    case MainMenuAction::kHotKey:
      keyboard_.ChooseHotKey();
      break;
    case MainMenuAction::kClose:
      PostMessageW(Handle(), WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

void TWendlixMainForm::PositionLeft1Click(int edge) {
  if (edge < abeLeft || edge > abeBottom) return;
  RECT rc{};
  GetWindowRect(Handle(), &rc);
  // The bar keeps its thickness when it turns from a side edge to the top or bottom.
  const int thickness = ThicknessAfterEdgeChange(rc.right - rc.left, rc.bottom - rc.top, Edge(), edge);
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) AppToolBarImpl::SetDockSize(e, thickness);
  SetEdge(static_cast<TAppToolBarEdge>(edge));
  ArrangeBar();
  AutoHideTimer().SetEnabled(AutoHide());
}

}  // namespace wendlix
