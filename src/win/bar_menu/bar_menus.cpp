#include "win/bar_menu/bar_menus.h"

#include "core/bar/group_visibility.h"
#include "core/bar_menu/bar_menu.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/bar_menu/bar_menu_commands.h"
#include "win/paint/about_form.h"

namespace wendlix {

BarMenus::BarMenus(BarWindow& bar, BarGroups& groups, ButtonMenuCommands& buttonMenu,
                   QuickCreateCommands& quickCreate, BarKeyboard& keyboard)
    : bar_(bar),
      state_(bar.State()),
      groups_(groups),
      buttonMenu_(buttonMenu),
      quickCreate_(quickCreate),
      keyboard_(keyboard),
      mainMenu_(BuildMainPMenu({})),
      sysMenu_(BuildSYSPMenu()) {}

void BarMenus::RefreshGroupEntries() {
  std::vector<GroupMenuEntry> entries;
  entries.reserve(state_.Groups.size());
  for (const GroupPanel& g : state_.Groups) entries.push_back({g.Data.Title, g.Tag, ShownAsBand(g.Data)});
  SetGroupEntries(mainMenu_, entries);
}

void BarMenus::PrepareMainMenu() {
  BarSettings settings = state_.Settings;
  settings.AppBar = bar_.CurrentAppBarProps();
  std::vector<GroupVisibility> bands;
  bands.reserve(state_.Groups.size());
  for (const GroupPanel& g : state_.Groups) bands.push_back({g.Tag, ShownAsBand(g.Data)});
  MainPMenuPopup(mainMenu_, settings, bands);
  SetBookmarkProfiles(mainMenu_, quickCreate_.BookmarkProfileTitles());
  CheckPositionItems(mainMenu_, bar_.View().Arrangement.PositionChecks);
}

void BarMenus::ShowSysMenuAt(POINT screen) {
  AutoHideHold hold(bar_.Toolbar());
  SystemTweaksCommands* tweaks = bar_.Tweaks();
  if (!tweaks) return;
  tweaks->PrepareMenu(sysMenu_);
  sysPopup_.SetImages(bar_.Resources().ImageList1());
  if (const MenuItem* item = sysPopup_.Popup(bar_.Handle(), screen)) tweaks->Execute(sysMenu_, *item);
}

void BarMenus::AddQueries(QueryTable& table) {
  table.Add("mainmenu", [this](std::string_view) {
    if (!mainPopup_.Tracking()) PrepareMainMenu();
    return DescribeMenu(mainMenu_);
  });
  table.Add("sysmenu", [this](std::string_view) -> std::optional<std::string> {
    SystemTweaksCommands* tweaks = bar_.Tweaks();
    if (!tweaks) return std::nullopt;
    if (!sysPopup_.Tracking()) tweaks->PrepareMenu(sysMenu_);
    return DescribeMenu(sysMenu_);
  });
}

void BarMenus::ShowMainMenu(POINT screen, UINT align) {
  AutoHideHold hold(bar_.Toolbar());
  PrepareMainMenu();
  mainPopup_.SetImages(bar_.Resources().ImageList1());
  const MenuItem* chosen = mainPopup_.Popup(bar_.Handle(), screen, align);
  if (chosen) {
    // The item is copied: running it may rebuild the menu it came from.
    const MenuItem item = *chosen;
    RunMainMenuItem(item);
  }
  // A browser installed or a profile added meanwhile is listed the next time.
  quickCreate_.LookForBookmarkProfiles();
}

void BarMenus::ShowSysMenu() {
  AutoHideHold hold(bar_.Toolbar());
  SystemTweaksCommands* tweaks = bar_.Tweaks();
  if (!tweaks) return;
  const Rect r = HitBounds(bar_.View(), state_.Groups, BarHit{BarHit::Kind::kBtnSys});
  sysPopup_.SetImages(bar_.Resources().ImageList1());
  ShowSystemTweaksMenu(bar_.Handle(), RECT{r.left, r.top, r.right, r.bottom}, bar_.Toolbar().Edge(),
                       sysPopup_, *tweaks);
}

void BarMenus::RunMainMenuItem(const MenuItem& item) {
  AppToolBarImpl& bar = bar_.Toolbar();
  switch (MainMenuActionOf(item)) {
    case MainMenuAction::kAutoHide: {
      AppBarProps props = bar_.CurrentAppBarProps();
      AutoHide1Click(props);
      bar.SetAlwaysOnTop(props.AlwaysOnTop);
      bar.SetAutoHide(props.AutoHide);
      bar.UpdateBar();
      bar.AutoHideTimer().SetEnabled(bar.AutoHide());
      break;
    }
    case MainMenuAction::kPosition: PositionLeft1Click(item.Tag); break;
    case MainMenuAction::kSetting: {
      state_.Settings.AppBar = bar_.CurrentAppBarProps();
      const bool relayout = A1Click(item.Tag, state_.Settings);
      bar.SetActivateByMouseDown(state_.Settings.AppBar.ActivateByMouseDown);
      bar.SetAutoHideInterval(state_.Settings.AppBar.AutoHideInterval);
      bar.SetActiveDelay(state_.Settings.AppBar.ActiveDelay);
      if (relayout) bar_.ArrangeBar();
      bar_.FollowTheme();
      break;
    }
    case MainMenuAction::kGroupVisible: groups_.GroupMenuItemClick(item.Tag); break;
    case MainMenuAction::kNewGroup: buttonMenu_.N6Click(); break;
    case MainMenuAction::kQuickFolder:
      quickCreate_.D4Click(item.Tag, CaptionWithoutAccelerator(item.Caption));
      break;
    case MainMenuAction::kQuickSites: quickCreate_.N40Click(CaptionWithoutAccelerator(item.Caption)); break;
    case MainMenuAction::kQuickBookmarks: quickCreate_.BookmarksClick(item.Tag); break;
    case MainMenuAction::kAbout:
      ShowAboutWindow(bar_.Handle(), [this](HWND about) {
        AutoHideHold hold(bar_.Toolbar());
        H2Click(about);
      });
      break;
    case MainMenuAction::kHelp: H2Click(bar_.Handle()); break;
    case MainMenuAction::kHotKey: keyboard_.ChooseHotKey(); break;
    case MainMenuAction::kClose: PostMessageW(bar_.Handle(), WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void BarMenus::PositionLeft1Click(int edge) {
  if (edge < abeLeft || edge > abeBottom) return;
  AppToolBarImpl& bar = bar_.Toolbar();
  RECT rc{};
  GetWindowRect(bar_.Handle(), &rc);
  // The bar keeps its thickness when it turns from a side edge to the top or bottom.
  const int thickness = ThicknessAfterEdgeChange(rc.right - rc.left, rc.bottom - rc.top, bar.Edge(), edge);
  for (TAppToolBarEdge e : {abeLeft, abeTop, abeRight, abeBottom}) bar.SetDockSize(e, thickness);
  bar.SetEdge(static_cast<TAppToolBarEdge>(edge));
  bar_.ArrangeBar();
  bar.AutoHideTimer().SetEnabled(bar.AutoHide());
}

}  // namespace wendlix
