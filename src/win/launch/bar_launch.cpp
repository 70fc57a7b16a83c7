#include "win/launch/bar_launch.h"

#include <shellapi.h>

#include "core/bar/config_location.h"
#include "core/bookmarks/bookmark_group.h"
#include "core/launch/launch_decision.h"
#include "core/launch/launch_menus.h"
#include "core/profile/ini_file.h"
#include "core/text/paths.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/bar/icon_resolver.h"
#include "win/common/unique_handle.h"
#include "win/launch/launch.h"
#include "win/shell/disk_shortcut_folder.h"

namespace wendlix {
namespace {

// A menu's own 16x16 images: the system icons of its entries and the web and mail pictures.
class MenuIcons {
 public:
  MenuIcons() : list_(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8)) {}
  HIMAGELIST Get() const { return list_.get(); }
  int AddSystemIcon(const std::string& path) {
    const int index = AskSystemIconIndex(path);
    if (index < 0) return -1;
    SHFILEINFOW info{};
    auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    return Add(small, index);
  }
  int Add(HIMAGELIST from, int index) {
    if (!from || !list_) return -1;
    unique_hicon icon(ImageList_GetIcon(from, index, ILD_TRANSPARENT));
    return icon ? ImageList_AddIcon(list_.get(), icon.get()) : -1;
  }

 private:
  unique_himagelist list_;
};

// A caption shown as it is: "&" would underline the next letter.
std::string LiteralCaption(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

// The launch menus keep each item's path in its Name.
std::vector<MenuItem> LaunchMenu(const std::vector<LaunchMenuItem>& entries, MenuIcons& icons,
                                 HIMAGELIST imageList1) {
  std::vector<MenuItem> items;
  items.reserve(entries.size());
  for (const LaunchMenuItem& e : entries) {
    int image = -1;
    if (e.SystemIcon) {
      image = icons.AddSystemIcon(e.Hint);
    } else if (e.ImageIndex == kWebMenuImage) {
      image = icons.Add(imageList1, 15);
    } else if (e.ImageIndex == kEmailMenuImage) {
      image = icons.Add(imageList1, 16);
    }
    MenuItem item = e.HasPlaceholder ? MakeFillOnOpenSubMenu(e.Hint, LiteralCaption(e.Caption), e.Tag, image)
                                     : MakeItem(e.Hint, LiteralCaption(e.Caption), e.Tag, image);
    items.push_back(std::move(item));
  }
  return items;
}

// A bookmarks folder's menu: its bookmarks and sub-folders at any depth, in the browser's order.
std::vector<MenuItem> BookmarkMenu(const BookmarkNode& folder, int webImage) {
  std::vector<MenuItem> items;
  items.reserve(folder.Children.size());
  for (const BookmarkNode& child : folder.Children) {
    if (child.IsFolder) {
      items.push_back(MakeSubMenu({}, LiteralCaption(child.Title), BookmarkMenu(child, webImage)));
      continue;
    }
    items.push_back(MakeItem(child.Url, LiteralCaption(child.Title), 0, webImage));
  }
  return items;
}

// Runs a launch menu at `screen` and answers what was chosen; sub-menus of folders are
// read when first opened. The caller holds auto-hide off.
std::optional<MenuItemSender> RunLaunchMenu(HWND owner, std::vector<MenuItem> items, MenuIcons& icons,
                                            HIMAGELIST imageList1, POINT screen, PopupMenu*& open,
                                            bool byKey) {
  MenuModel model({}, std::move(items));
  PopupMenu menu(model, icons.Get());
  menu.SetFillHandler([&](MenuItem& sub) {
    sub.Children =
        LaunchMenu(FolderMenuItems(AddBackslash(sub.Name), DiskShortcutFolder{}), icons, imageList1);
    sub.Filled = true;
    EnsureNotEmpty(sub);
    menu.SetImages(icons.Get());
  });
  open = &menu;
  if (byKey) {
    // The menu loop reads the thread's queue: the character Enter or Space left there would
    // choose the item under no selection and close the menu at once, and a Down waiting there
    // selects the first item, as a menu opened from the keyboard does.
    MSG typed;
    if (PeekMessageW(&typed, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) &&
        (typed.wParam == '\r' || typed.wParam == ' '))
      PeekMessageW(&typed, typed.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
    PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
  }
  const MenuItem* chosen = menu.Popup(owner, screen);
  open = nullptr;
  if (!chosen) return std::nullopt;
  return MenuItemSender{chosen->Name, chosen->Tag, 0};
}

}  // namespace

void BarLaunch::AddQueries(QueryTable& table) {
  table.Add("launchmenu", [this](std::string_view) -> std::optional<std::string> {
    if (!open_) return std::nullopt;
    return DescribeMenu(open_->Model());
  });
}

bool BarLaunch::PressOpensMenu(const BarHit& hit, ShiftState shift) const {
  if (hit.What == BarHit::Kind::kCollapsedGroup) return true;
  if (hit.What != BarHit::Kind::kGroupButton) return false;
  const BarButton& b = bar_.State().Groups[hit.Group].Children[hit.Button];
  return b.IsCollapse() || (b.IsDirectory && FolderButtonOpensMenu(shift));
}

void BarLaunch::ButtonMouseDown(const BarHit& hit, std::optional<POINT> at, bool byKey) {
  if (hit.What == BarHit::Kind::kCollapsedGroup) {
    return CollapseButtonMouseDown(hit, bar_.View().Collapsed.Buttons[hit.Button].Tag, at, byKey);
  }
  const BarButton& b = bar_.State().Groups[hit.Group].Children[hit.Button];
  if (b.IsCollapse()) return CollapseButtonMouseDown(hit, b.Tag, at, byKey);
  FolderButtonMouseDown(hit, at, byKey);
}

void BarLaunch::Activate(const BarHit& hit, std::optional<POINT> menuAt) {
  if (PressOpensMenu(hit, {})) {
    bar_.SetPointer({bar_.Pointer().Hot, hit});
    ButtonMouseDown(hit, menuAt, true);
    bar_.SetPointer({bar_.Pointer().Hot, {}});
    return;
  }
  LaunchClick(hit);
}

void BarLaunch::LaunchFolderEntry(const std::string& path) {
  AutoHideHold hold(bar_.Toolbar());
  Start(DecideLaunch(MenuItemSender{path, 0, 0}), path);
}

void BarLaunch::LaunchMenuChoice(const std::optional<MenuItemSender>& chosen) {
  if (chosen) Start(DecideLaunch(*chosen), chosen->Hint);
}

void BarLaunch::Start(const LaunchRequest& request, const std::string& target) {
  if (!LaunchAndReport(request, bar_.Handle())) return;
  ++started_;
  BarState& state = bar_.State();
  state.Launches.Count(target);
  // Saved at once, like every other change: the file keeps the rest as the last save left it.
  // A failure here is not the user's concern; the close saves the counts again.
  IniFile ini(SettingsFileName(state.ConfigBase));
  state.Launches.Write(ini);
  ini.Save();
}

void BarLaunch::LaunchClick(const BarHit& hit) {
  const std::vector<GroupPanel>& groups = bar_.State().Groups;
  if (hit.Group < 0 || hit.Group >= static_cast<int>(groups.size())) return;
  const GroupPanel& group = groups[hit.Group];
  if (hit.Button < 0 || hit.Button >= static_cast<int>(group.Children.size())) return;
  const BarButton& b = group.Children[hit.Button];
  if (b.IsCollapse() || b.IsDirectory) return;  // their menus open on the press
  AutoHideHold hold(bar_.Toolbar());
  const std::string target = b.FileName;
  Start(DecideLaunch(LaunchButtonSender{group.Data.PanelStyle, target, b.IsDirectory}), target);
}

void BarLaunch::FolderButtonMouseDown(const BarHit& hit, std::optional<POINT> menuAt, bool byKey) {
  const GroupPanel& group = bar_.State().Groups[hit.Group];
  const BarButton& b = group.Children[hit.Button];
  const std::string folder = b.FileName;
  const POINT at = menuAt ? *menuAt : bar_.MenuPointFor(hit, b.Menu);
  AutoHideHold hold(bar_.Toolbar());
  MenuIcons icons;
  const HIMAGELIST imageList1 = bar_.Resources().ImageList1();
  // The menu holds its own copy: the group may read the browser's file again while it is open.
  const std::shared_ptr<const BookmarkNode> bookmarks = group.ShownBookmarks;
  const BookmarkNode* bookmarkFolder = BookmarkFolderOf(group, hit.Button);
  std::vector<MenuItem> items =
      bookmarkFolder
          ? BookmarkMenu(*bookmarkFolder, icons.Add(imageList1, 15))
          : LaunchMenu(FolderMenuItems(AddBackslash(folder), DiskShortcutFolder{}), icons, imageList1);
  LaunchMenuChoice(RunLaunchMenu(bar_.Handle(), std::move(items), icons, imageList1, at, open_, byKey));
}

void BarLaunch::CollapseButtonMouseDown(const BarHit& hit, int buttonTag, std::optional<POINT> menuAt,
                                        bool byKey) {
  std::vector<GroupPanel>& groups = bar_.State().Groups;
  const std::optional<CollapseMenuTarget> target = FindCollapseMenuGroup(groups, buttonTag);
  if (!target) return;
  GroupPanel& group = groups[target->Group];
  if (target->FillFirst) bar_.FillGroup(group);
  const MenuPosition position =
      hit.What == BarHit::Kind::kCollapsedGroup
          ? (bar_.View().CoolBarVertical ? MenuPosition::dmpBottom : MenuPosition::dmpRight)
          : groups[hit.Group].Children[hit.Button].Menu;
  const POINT at = menuAt ? *menuAt : bar_.MenuPointFor(hit, position);
  AutoHideHold hold(bar_.Toolbar());
  MenuIcons icons;
  const HIMAGELIST imageList1 = bar_.Resources().ImageList1();
  LaunchMenuChoice(RunLaunchMenu(bar_.Handle(), LaunchMenu(CollapseMenuEntries(group), icons, imageList1),
                                 icons, imageList1, at, open_, byKey));
}

}  // namespace wendlix
