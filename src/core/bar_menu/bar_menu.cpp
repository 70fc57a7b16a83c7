#include "core/bar_menu/bar_menu.h"

#include <string_view>

#include "core/appbar/app_tool_bar_types.h"

namespace wendlix {
namespace {

constexpr std::string_view kSitesPrefix = "N40.";
constexpr std::string_view kBookmarksPrefix = "Bookmarks.";

// The web-site collections: the caption names the collection file beside the program.
constexpr const char* kSiteCollections[] = {"精品网址集",   "优秀个人网站", "全国十佳网站",
                                            "搜索引擎网站", "软件下载网站", "精选音乐影视网站",
                                            "游戏网站"};
constexpr const char* kMoreSiteCollections[] = {
    "电脑网站", "商业网站",     "军事网站", "休育网站", "计算机报刊网站", "免费资源网站", "聊天网站",
    "美媚网站", "国外精选网站", "报刊网站", "科研网站", "政府网站",       "文学网站",     "新闻网站"};

MenuItem Radio(std::string name, std::string caption, int tag) {
  MenuItem item = MakeItem(std::move(name), std::move(caption), tag);
  item.RadioItem = true;
  return item;
}

MenuItem QuickCreateMenu() {
  std::vector<MenuItem> items = {
      MakeItem("D4", "桌面(&D)", 1, 11),
      MakeItem("P2", "程序组(&P)", 2, 10),
      MakeItem("Quick1", "&Quick Launck", 3, 9),
      MakeItem("N27", "收藏夹(&F)", 4, 12),
      MakeItem("Q2", "驱动器(&Q)", 5, 13),
      MakeSubMenu("Bookmarks1", "浏览器书签(&B)", {}, 0),
      MakeSeparator("Q1Sep1"),
  };
  int n = 0;
  for (const char* caption : kSiteCollections)
    items.push_back(MakeItem(std::string(kSitesPrefix) + std::to_string(++n), caption, 0, 0));
  std::vector<MenuItem> more;
  for (const char* caption : kMoreSiteCollections)
    more.push_back(MakeItem(std::string(kSitesPrefix) + std::to_string(++n), caption, 0, 15));
  more.push_back(MakeSeparator("N42Sep1"));
  more.push_back(MakeItem("N61", "更多的分类网址......"));
  items.push_back(MakeSubMenu("N42", "更多网站", std::move(more), 14));
  return MakeSubMenu("Q1", "快速创建工具栏(&Q)", std::move(items));
}

void SetChecked(MenuModel& menu, std::string_view name, bool checked) {
  if (MenuItem* item = menu.Find(name)) item->Checked = checked;
}

bool IsVertical(int edge) { return edge == abeLeft || edge == abeRight; }

}  // namespace

MenuModel BuildMainPMenu(const std::vector<GroupMenuEntry>& groups) {
  MenuModel menu(
      kMainMenuTitle,
      {
          MakeItem("Autohide1", "自动隐藏(&N)"),
          MakeSeparator("N31"),
          MakeSubMenu("PositionMenu", "显示位置(&P)",
                      {MakeItem("PositionLeft", "显示在左侧(&L)", abeLeft),
                       MakeItem("PositionRight", "显示在右侧(&R)", abeRight),
                       MakeItem("PositionTop", "显示在顶侧(&T)", abeTop),
                       MakeItem("PositionBottom", "显示在底侧(&B)", abeBottom)}),
          MakeSeparator("N1"),
          MakeSubMenu("ShowMenuBar", "显示工具栏(&T)", {}),
          MakeSeparator("N26"),
          MakeSubMenu(
              "S1", "设置工具栏属性(&S)...",
              {MakeItem("A1", "系统启动时自动运行(&R)", 1), MakeItem("M1", "隐藏时通过鼠标按键激活(&M)", 2),
               MakeItem("N18", "按钮显示为下划线(&D)", 3), MakeItem("LiveFolders1", "自动更新文件夹(&U)", 4),
               MakeSeparator("N0"),
               MakeSubMenu("H3", "滑出速度(&H)",
                           {Radio("N20", "快", 11), Radio("N21", "中", 12), Radio("N22", "慢", 13)}),
               MakeSubMenu("S6", "激活速度(&S)",
                           {Radio("N23", "快", 21), Radio("N24", "中", 22), Radio("N25", "慢", 23)}),
               MakeSubMenu(
                   "Appearance1", "外观(&A)",
                   {Radio("AppearanceSystem", "跟随系统(&F)", 31), Radio("AppearanceLight", "浅色(&L)", 32),
                    Radio("AppearanceDark", "深色(&D)", 33)}),
               MakeSeparator("HotKeySep"), MakeItem("HotKey1", "热键(&K)...")},
              4),
          MakeSeparator("N32"),
          MakeItem("G1", "新建工具栏(&G)...", 0, 5),
          QuickCreateMenu(),
          MakeSeparator("N62"),
          MakeItem("AboutN", "关于 Wendlix (&A)...", 0, 23),
          MakeItem("H2", "帮助(&H)...", 0, 7),
          MakeSeparator("N2"),
          MakeItem("N4", "关闭快捷工具栏(&Q)", 0, 6),
      });
  SetGroupEntries(menu, groups);
  SetBookmarkProfiles(menu, {});
  return menu;
}

void SetBookmarkProfiles(MenuModel& menu, const std::vector<std::string>& captions) {
  MenuItem* list = menu.Find("Bookmarks1");
  if (!list) return;
  list->Children.clear();
  int n = 0;
  for (const std::string& caption : captions) {
    std::string shown;
    for (char c : caption) shown += c == '&' ? std::string("&&") : std::string(1, c);
    list->Children.push_back(MakeItem(std::string(kBookmarksPrefix) + std::to_string(n), shown, n));
    ++n;
  }
  if (captions.empty()) {
    MenuItem none = MakeItem("NoBrowser1", kNoBrowserCaption);
    none.Enabled = false;
    list->Children.push_back(std::move(none));
  }
  menu.AssignCommandIds();
}

void SetGroupEntries(MenuModel& menu, const std::vector<GroupMenuEntry>& groups) {
  MenuItem* list = menu.Find("ShowMenuBar");
  if (!list) return;
  list->Children.clear();
  for (const GroupMenuEntry& g : groups) {
    // A title may hold "&": it is shown as it stands, not as an accelerator.
    std::string caption;
    for (char c : g.Caption) caption += c == '&' ? std::string("&&") : std::string(1, c);
    MenuItem entry = MakeItem(std::string(kGroupEntryPrefix) + std::to_string(g.Tag), caption, g.Tag);
    entry.Checked = g.Checked;
    list->Children.push_back(std::move(entry));
  }
  EnsureNotEmpty(*list);
  menu.AssignCommandIds();
}

void MainPMenuPopup(MenuModel& menu, const BarSettings& s, const std::vector<GroupVisibility>& bands) {
  if (MenuItem* list = menu.Find("ShowMenuBar")) {
    for (const GroupVisibility& band : bands)
      for (MenuItem& entry : list->Children)
        if (!entry.Name.empty() && entry.Tag == band.Tag) entry.Checked = band.Visible;
  }
  const AppBarProps& p = s.AppBar;
  SetChecked(menu, "Autohide1", p.AutoHide);
  SetChecked(menu, "A1", s.AutoRun);
  SetChecked(menu, "M1", p.ActivateByMouseDown);
  SetChecked(menu, "N18", !s.FlatDrawMode);
  SetChecked(menu, "LiveFolders1", s.LiveFolders);
  SetChecked(menu, "N20", p.AutoHideInterval < 60);
  SetChecked(menu, "N21", p.AutoHideInterval >= 60 && p.AutoHideInterval <= 100);
  SetChecked(menu, "N22", p.AutoHideInterval > 100);
  SetChecked(menu, "N23", p.ActiveDelay < 800);
  SetChecked(menu, "N24", p.ActiveDelay >= 800 && p.ActiveDelay <= 1500);
  SetChecked(menu, "N25", p.ActiveDelay > 1500);
  SetChecked(menu, "AppearanceSystem", s.Appearance == AppearanceChoice::kFollowSystem);
  SetChecked(menu, "AppearanceLight", s.Appearance == AppearanceChoice::kLight);
  SetChecked(menu, "AppearanceDark", s.Appearance == AppearanceChoice::kDark);
}

void CheckPositionItems(MenuModel& menu, const std::array<bool, 4>& checks) {
  if (MenuItem* positions = menu.Find("PositionMenu")) {
    for (MenuItem& item : positions->Children)
      if (item.Tag >= 0 && item.Tag < 4) item.Checked = checks[item.Tag];
  }
}

MainMenuAction MainMenuActionOf(const MenuItem& item) {
  const std::string_view name = item.Name;
  if (name.empty() || !item.IsCommand() || !item.Enabled) return MainMenuAction::kNone;
  if (name == "Autohide1") return MainMenuAction::kAutoHide;
  if (name.starts_with("Position")) return MainMenuAction::kPosition;
  if (name.starts_with(kGroupEntryPrefix)) return MainMenuAction::kGroupVisible;
  for (std::string_view s : {"A1", "M1", "N18", "LiveFolders1", "N20", "N21", "N22", "N23", "N24", "N25",
                             "AppearanceSystem", "AppearanceLight", "AppearanceDark"})
    if (name == s) return MainMenuAction::kSetting;
  if (name == "HotKey1") return MainMenuAction::kHotKey;
  if (name == "G1") return MainMenuAction::kNewGroup;
  for (std::string_view s : {"D4", "P2", "Quick1", "N27", "Q2"})
    if (name == s) return MainMenuAction::kQuickFolder;
  if (name.starts_with(kSitesPrefix)) return MainMenuAction::kQuickSites;
  if (name.starts_with(kBookmarksPrefix)) return MainMenuAction::kQuickBookmarks;
  if (name == "AboutN") return MainMenuAction::kAbout;
  if (name == "H2" || name == "N61") return MainMenuAction::kHelp;
  if (name == "N4") return MainMenuAction::kClose;
  return MainMenuAction::kNone;
}

bool A1Click(int tag, BarSettings& s) {
  AppBarProps& p = s.AppBar;
  switch (tag) {
    case 1: s.AutoRun = !s.AutoRun; break;
    case 2: p.ActivateByMouseDown = !p.ActivateByMouseDown; break;
    case 3: s.FlatDrawMode = !s.FlatDrawMode; return true;
    // The groups are watched, or no longer, as the bar is laid out again.
    case 4: s.LiveFolders = !s.LiveFolders; return true;
    case 11: p.AutoHideInterval = 10; break;
    case 12: p.AutoHideInterval = 60; break;
    case 13: p.AutoHideInterval = 130; break;
    case 21: p.ActiveDelay = 100; break;
    case 22: p.ActiveDelay = 800; break;
    case 23: p.ActiveDelay = 3000; break;
    case 31: s.Appearance = AppearanceChoice::kFollowSystem; break;
    case 32: s.Appearance = AppearanceChoice::kLight; break;
    case 33: s.Appearance = AppearanceChoice::kDark; break;
    default: break;
  }
  return false;
}

bool AutoHide1Click(AppBarProps& props) {
  props.AutoHide = !props.AutoHide;
  props.AlwaysOnTop = true;
  return props.AutoHide;
}

Point EdgeChangePopupPoint(int width, int height, int oldEdge, int newEdge) {
  // Same orientation before and after: (H, W); a change of orientation: (W, H).
  return IsVertical(oldEdge) == IsVertical(newEdge) ? Point{height, width} : Point{width, height};
}

int ThicknessAfterEdgeChange(int width, int height, int oldEdge, int newEdge) {
  const Point p = EdgeChangePopupPoint(width, height, oldEdge, newEdge);
  return IsVertical(newEdge) ? p.y : p.x;
}

Point SysMenuPopupOffset(int edge, int buttonWidth, int buttonHeight) {
  return IsVertical(edge) ? Point{-1, buttonHeight} : Point{buttonWidth, -1};
}

}  // namespace wendlix
