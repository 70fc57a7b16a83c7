// The main window's work on groups and their buttons: launching, the folder and collapse
// menus, collapsing a group by double click, showing and hiding groups from the groups
// menu and reordering bands by their headers.
#include <windows.h>
#include <shellapi.h>

#include "core/bar/group_file.h"
#include "core/bar/band_order.h"
#include "core/bar/button_lookup.h"
#include "core/bar/button_move.h"
#include "core/drops/drop_plan.h"
#include "core/bar/mouse_rules.h"
#include "core/drops/file_drop_effect.h"
#include "core/drops/url_drop.h"
#include "core/bar/group_visibility.h"
#include "core/launch/launch_menus.h"
#include "core/bar/config_location.h"
#include "core/button_menu/group_commands.h"
#include "core/profile/ini_file.h"
#include "core/text/paths.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/app/main_form.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/drops/drop_files.h"
#include "win/launch/launch.h"
#include "win/drops/file_drag_source.h"

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

// Runs a launch menu at `screen` and launches what was chosen; sub-menus of folders are
// read when first opened. The caller holds auto-hide off.
void RunLaunchMenu(HWND owner, std::vector<MenuItem> items, MenuIcons& icons, HIMAGELIST imageList1,
                   POINT screen, PopupMenu*& active) {
  MenuModel model({}, std::move(items));
  PopupMenu menu(model, icons.Get());
  menu.SetFillHandler([&](MenuItem& sub) {
    sub.Children = LaunchMenu(FolderMenuItems(AddBackslash(sub.Name), DiskShortcutFolder{}), icons, imageList1);
    sub.Filled = true;
    EnsureNotEmpty(sub);
    menu.SetImages(icons.Get());
  });
  active = &menu;
  const MenuItem* chosen = menu.Popup(owner, screen);
  active = nullptr;
  if (!chosen) return;
  LaunchAndReport(DecideLaunch(MenuItemSender{chosen->Name, chosen->Tag, 0}), owner);
}

}  // namespace

void TWendlixMainForm::LaunchClick(const BarHit& hit) {
  if (hit.Group < 0 || hit.Group >= static_cast<int>(state_.Groups.size())) return;
  const GroupPanel& group = state_.Groups[hit.Group];
  if (hit.Button < 0 || hit.Button >= static_cast<int>(group.Children.size())) return;
  const BarButton& b = group.Children[hit.Button];
  if (b.IsCollapse() || b.IsDirectory) return;  // their menus open on the press
  AutoHideHold hold(*this);
  LaunchAndReport(DecideLaunch(LaunchButtonSender{group.Data.PanelStyle, b.FileName, b.IsDirectory}), Handle());
}

void TWendlixMainForm::FolderButtonMouseDown(const BarHit& hit) {
  const BarButton& b = state_.Groups[hit.Group].Children[hit.Button];
  const std::string folder = b.FileName;
  const POINT at = MenuPointFor(hit, b.Menu);
  AutoHideHold hold(*this);
  MenuIcons icons;
  RunLaunchMenu(Handle(), LaunchMenu(FolderMenuItems(AddBackslash(folder), DiskShortcutFolder{}), icons,
                                     resources_.ImageList1()),
                icons, resources_.ImageList1(), at, launchMenu_);
}

void TWendlixMainForm::CollapseButtonMouseDown(const BarHit& hit, int buttonTag) {
  const std::optional<CollapseMenuTarget> target = FindCollapseMenuGroup(state_.Groups, buttonTag);
  if (!target) return;
  GroupPanel& group = state_.Groups[target->Group];
  if (target->FillFirst) FillGroup(group);
  const MenuPosition position =
      hit.What == BarHit::Kind::kCollapsedGroup
          ? (view_.CoolBarVertical ? MenuPosition::dmpBottom : MenuPosition::dmpRight)
          : state_.Groups[hit.Group].Children[hit.Button].Menu;
  const POINT at = MenuPointFor(hit, position);
  AutoHideHold hold(*this);
  MenuIcons icons;
  RunLaunchMenu(Handle(), LaunchMenu(CollapseMenuEntries(group), icons, resources_.ImageList1()), icons,
                resources_.ImageList1(), at, launchMenu_);
}

}  // namespace wendlix
