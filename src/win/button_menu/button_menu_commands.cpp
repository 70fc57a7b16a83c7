#include "win/button_menu/button_menu_commands.h"

#include <shlobj.h>

#include <cstdio>

#include "core/bar/bar_texts.h"
#include "core/bar/config_location.h"
#include "core/bar/group_file.h"
#include "core/bar/group_list.h"
#include "core/bar/group_visibility.h"
#include "core/bookmarks/bookmark_group.h"
#include "core/button_menu/group_commands.h"
#include "core/editor/editor_commit.h"
#include "core/editor/shortcut_change.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/appbar/auto_hide_hold.h"
#include "win/common/wide.h"
#include "win/editor/editor_files_win.h"
#include "win/editor/new_btn_form.h"
#include "win/exchange/exchange_commands.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_open.h"
#include "win/shell/shell_windows.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

bool IsOk(int modalResult) { return modalResult != mrCancel; }

// A new shortcut in a shortcut group's folder: the path written, or empty. The first-run group's
// Quick Launch folder is made when missing, with its parents, as the shell makes it.
std::string MakeGroupShortcut(const std::string& folder, const std::string& name, const std::string& target) {
  const std::optional<std::string> link = LinkPathForName(folder, name);
  if (!link) return {};
  if (!platform::DirectoryExists(folder) && MayCreateGroupFolder(folder, QuickLaunchPath())) {
    std::string path = AddBackslash(folder);
    path.pop_back();
    SHCreateDirectoryExW(nullptr, ToWide(path).c_str(), nullptr);
  }
  WinEditorFiles files;
  return files.MakeShortcutFile(target, *link);
}

// The group page's fields as the editor shows them for `d`.
NewBtnFormSetup GroupSetup(const TPanelData& d) {
  NewBtnFormSetup setup;
  setup.GroupMode = true;
  setup.Title = d.Title;
  setup.Kind = d.PanelStyle;
  setup.Folder = d.PanelStyle == gkShortcut ? d.Directory : std::string();
  setup.Color = d.Color;
  setup.FromColor = d.FromColor;
  setup.ToColor = d.ToColor;
  setup.DrawStyle = d.DrawStyle;
  setup.Font = d.Font;
  setup.PictureFile = d.PictureFile;
  return setup;
}

// What the group page answered, into the record; the kind only for a new group.
void TakeGroupPage(TPanelData& d, const NewBtnFormResult& r, bool newGroup) {
  if (newGroup) d.PanelStyle = r.Kind;
  d.Title = r.Title;
  d.Directory = d.PanelStyle == gkShortcut ? AddBackslash(r.Folder) : std::string();
  d.Color = r.Color;
  d.FromColor = r.FromColor;
  d.ToColor = r.ToColor;
  d.DrawStyle = r.DrawStyle;
  d.Font = r.Font;
  d.PictureFile = r.PictureFile;
}

}  // namespace

ButtonMenuTarget ButtonMenuCommands::PrepareButtonMenu(const BarHit& hit) {
  using K = BarHit::Kind;
  ButtonMenuTarget target;
  const int count = static_cast<int>(state_.Groups.size());
  if ((hit.What == K::kGroup || hit.What == K::kGroupButton || hit.What == K::kCollapsedGroup) &&
      hit.Group >= 0 && hit.Group < count) {
    target.Group = hit.Group;
  }
  ButtonMenuState s;
  if (target.Group >= 0) {
    const GroupPanel& g = state_.Groups[target.Group];
    s.Group = g.Data;
    // Only a launch button that shows: never the collapse button, which is no button to delete.
    if (hit.What == K::kGroupButton && hit.Button >= 0 && hit.Button < static_cast<int>(g.Children.size())) {
      const BarButton& b = g.Children[hit.Button];
      if (!b.IsCollapse() && b.Visible) {
        target.Button = hit.Button;
        s.Button = GroupButton{b.Hint, b.FileName, b.IsDirectory};
      }
    }
  }
  s.BandCount = count;
  s.VisibleBandCount = VisibleBandCount(state_.Groups);
  for (const GroupPanel& g : state_.Groups) s.Groups.push_back({g.Data.Title, g.Tag, ShownAsBand(g.Data)});
  PopupMenuBtnPopup(menu_, s);
  return target;
}

void ButtonMenuCommands::AddQueries(QueryTable& table) {
  table.Add("btnmenu:", [this](std::string_view at) -> std::optional<std::string> {
    POINT pt{};
    if (std::sscanf(std::string(at).c_str(), "%ld,%ld", &pt.x, &pt.y) != 2) return std::nullopt;
    if (!popup_.Tracking()) PrepareButtonMenu(bar_.HitTest(pt));
    return DescribeMenu(menu_);
  });
}

void ButtonMenuCommands::ShowButtonMenu(const BarHit& hit, POINT screen) {
  std::optional<MenuItem> item;
  ButtonMenuTarget target;
  {
    AutoHideHold hold(bar_.Toolbar());
    target = PrepareButtonMenu(hit);
    popup_.SetImages(bar_.Resources().ImageList1());
    if (const MenuItem* chosen = popup_.Popup(bar_.Handle(), screen)) item = *chosen;
  }
  if (item) RunButtonMenuItem(*item, target);
}

void ButtonMenuCommands::RunButtonMenuItem(const MenuItem& item, const ButtonMenuTarget& t) {
  using A = ButtonMenuAction;
  const A action = ButtonMenuActionOf(item);
  if (action == A::kGroupVisible) return groups_.GroupMenuItemClick(item.Tag);
  if (action == A::kNewGroup) return N6Click();
  if (t.Group < 0 || t.Group >= static_cast<int>(state_.Groups.size())) return;
  switch (action) {
    case A::kNewButton: return N9Click(t.Group);
    case A::kButtonProperties: return S3Click(t.Group, t.Button);
    case A::kDeleteButton: return D1Click(t.Group, t.Button);
    case A::kDisplayFlag: return T2Click(t.Group, item.Tag);
    case A::kGroupProperties: return S5Click(t.Group);
    case A::kShowAsButton: return N5Click(t.Group);
    case A::kExport: {
      AutoHideHold hold(bar_.Toolbar());
      return L1Click(bar_.Handle(), state_.Groups[t.Group], GroupFileName(state_.ConfigBase));
    }
    case A::kImport: {
      const std::string oldTitle = state_.Groups[t.Group].Data.Title;
      bool changed = false;
      {
        AutoHideHold hold(bar_.Toolbar());
        changed = I2Click(
            bar_.Handle(), state_.Groups[t.Group],
            {GroupFileName(state_.ConfigBase), SettingsFileName(state_.ConfigBase), bar_.CurrentGroupList()},
            OtherGroupTitles(state_.Groups, t.Group, state_.UnreadGroupEntries));
      }
      if (changed) {
        RetireKeptTitles(state_.UnreadGroupEntries, {oldTitle});
        bar_.FillGroup(state_.Groups[t.Group]);
        bar_.RefreshGroupEntries();
        bar_.ArrangeBar();
      }
      return;
    }
    case A::kDeleteGroup: return D2Click(t.Group);
    case A::kExplore: return O1Click(t.Group);
    case A::kHide: return H1Click(t.Group);
    case A::kRefresh: return R1Click(t.Group);
    default: return;
  }
}

NewBtnFormResult ButtonMenuCommands::RunEditor(NewBtnFormSetup& setup) {
  setup.GroupFile = GroupFileName(state_.ConfigBase);
  setup.ImageList1 = bar_.Resources().ImageList1();
  setup.Resources = GetModuleHandleW(nullptr);
  AutoHideHold hold(bar_.Toolbar());
  return ShowNewBtnForm(bar_.Handle(), setup);
}

bool ButtonMenuCommands::SaveButtonsAndRefill(GroupPanel& group) {
  IniFile gpf = bar_.OpenGroupFile();
  SaveGroup(gpf, PanelRecord(group), true);
  const bool saved = bar_.SaveOrReport(gpf, kButtonErrorCaption);
  bar_.BeginGroupFill(group, gpf, false);
  FillByKind(group, gpf, DiskShortcutFolder{});
  bar_.ArrangeBar();
  return saved;
}

NewBtnFormSetup ButtonMenuCommands::ButtonSetup(const GroupPanel& group, int button) const {
  NewBtnFormSetup setup;
  setup.GroupMode = false;
  setup.Kind = group.Data.PanelStyle;
  setup.OtherNames = OtherButtonNames(group, button);
  if (group.Data.PanelStyle != gkShortcut) {
    // Keys the fill skips (no address) are names all the same.
    for (const std::string& name : SectionButtonNames(bar_.OpenGroupFile(), group.Data.Title)) {
      if (button >= 0 && SameTextAscii(name, group.Children[button].Hint)) continue;
      setup.OtherNames.push_back(name);
    }
  }
  return setup;
}

bool ButtonMenuCommands::RefusedByBookmarks(const GroupPanel& group) {
  if (!IsBookmarkGroup(group.Data)) return false;
  AutoHideHold hold(bar_.Toolbar());
  ShowInfoBox(kBookmarksReadOnlyText, kBookmarksCaption);
  return true;
}

void ButtonMenuCommands::N9Click(int g) {
  GroupPanel& group = state_.Groups[g];
  if (RefusedByBookmarks(group)) return;
  // Saving a group never filled would keep only the new button.
  if (!IsFilled(group)) bar_.FillGroup(group);
  NewBtnFormSetup setup = ButtonSetup(group, -1);
  setup.Caption = "新建按钮";
  setup.NewItem = true;
  std::string saved;
  if (group.Data.PanelStyle == gkShortcut) {
    // Made while the dialog is open, so that a failure leaves what was typed there to correct.
    const std::string folder = group.Data.Directory;
    setup.MakeButton = [&saved, folder](const std::string& name, const std::string& target) -> EditorCheck {
      saved = MakeGroupShortcut(folder, name, target);
      if (!saved.empty()) return std::nullopt;
      return EditorRefusal{"无法在文件夹\"" + folder + "\"中创建快捷方式【" + name + "】。",
                           kButtonErrorCaption, EditorField::kName};
    };
  }
  const NewBtnFormResult r = RunEditor(setup);
  if (!IsOk(r.ModalResult)) return;
  // A shortcut is named after the file really written (Notepad(2).lnk when Notepad.lnk is taken).
  const bool shortcut = group.Data.PanelStyle == gkShortcut;
  PutLaunchButton(group, shortcut ? ExtractFileBaseName(saved) : r.Name, shortcut ? saved : r.Target);
  SaveButtonsAndRefill(group);
}

void ButtonMenuCommands::S3Click(int g, int b) {
  GroupPanel& group = state_.Groups[g];
  if (b < 0 || b >= static_cast<int>(group.Children.size())) return;
  if (RefusedByBookmarks(group)) return;
  const BarButton button = group.Children[b];
  const std::uint16_t kind = group.Data.PanelStyle;
  if (!CanDeleteButton(kind, GroupButton{button.Hint, button.FileName, button.IsDirectory})) return;
  WinEditorFiles files;
  NewBtnFormSetup setup = ButtonSetup(group, b);
  setup.Caption = "按钮属性:【" + button.Hint + "】";
  setup.Name = button.Hint;
  setup.Target = kind == gkShortcut ? files.ReadLinkTarget(button.FileName)
                                    : AddressWithoutPrefix(button.FileName, kind);
  setup.FileName = button.FileName;
  const NewBtnFormResult r = RunEditor(setup);
  if (!IsOk(r.ModalResult)) return;
  if (kind == gkShortcut) {
    const ShortcutChange change =
        ChangeShortcutFile(files, group.Data.Directory, button.FileName, r.Name, r.Target);
    if (!change.Changed) {
      AutoHideHold hold(bar_.Toolbar());
      ShowErrorBox(change.Message, kButtonErrorCaption);
      return;
    }
    ChangeLaunchButton(group, b, ExtractFileBaseName(change.NewPath), change.NewPath);
  } else {
    ChangeLaunchButton(group, b, r.Name, r.Target);
  }
  SaveButtonsAndRefill(group);
}

void ButtonMenuCommands::D1Click(int g, int b) {
  GroupPanel& group = state_.Groups[g];
  if (b < 0 || b >= static_cast<int>(group.Children.size())) return;
  if (RefusedByBookmarks(group)) return;
  const BarButton& button = group.Children[b];
  const GroupButton what{button.Hint, button.FileName, button.IsDirectory};
  const std::uint16_t kind = group.Data.PanelStyle;
  if (!CanDeleteButton(kind, what)) return;
  {
    AutoHideHold hold(bar_.Toolbar());
    if (ConfirmBox(DeleteButtonQuestion(kind, what), kDeleteButtonCaption) != mrOk) return;
    // Exactly the file the question names, and only a shortcut file that may be deleted.
    WinEditorFiles files;
    if (kind == gkShortcut && !files.DeleteFile(what.FileName)) {
      ShowErrorBox("无法删除文件:\r\r\"" + what.FileName + "\"", kButtonErrorCaption);
      return;
    }
  }
  RemoveLaunchButton(group, b);
  SaveButtonsAndRefill(group);
}

void ButtonMenuCommands::T2Click(int g, int tag) {
  GroupPanel& group = state_.Groups[g];
  const FlagFollowUp follow = ToggleDisplayFlag(group.Data, tag);
  if (follow == FlagFollowUp::kNone) return;
  IniFile gpf = bar_.OpenGroupFile();
  // The icon size changes the pictures: a filled group is filled again at the new size.
  if (follow == FlagFollowUp::kRefill && IsFilled(group)) {
    bar_.BeginGroupFill(group, gpf, false);
    FillByKind(group, gpf, DiskShortcutFolder{});
  }
  bar_.ArrangeBar();
  SaveGroup(gpf, BarGroups::RecordWithoutButtons(group), false);
  bar_.SaveOrReport(gpf, kGroupErrorCaption);
}

void ButtonMenuCommands::N6Click() {
  TPanelData data = NewGroupData();
  NewBtnFormSetup setup = GroupSetup(data);
  setup.Caption = "新建工具栏";
  setup.NewItem = true;
  setup.KindEnabled = true;
  setup.Title.clear();
  setup.Folder.clear();
  setup.OtherTitles = OtherGroupTitles(state_.Groups, -1, state_.UnreadGroupEntries);
  const NewBtnFormResult r = RunEditor(setup);
  if (!IsOk(r.ModalResult)) return;
  TakeGroupPage(data, r, true);
  // The dialog has written the group's buttons; its settings and its place in the list join them.
  IniFile gpf = bar_.OpenGroupFile();
  GroupPanel group =
      CreateGroupPanel(data, static_cast<int>(state_.Groups.size()), 120, 100, gpf, DiskShortcutFolder{});
  const GroupRecord record = BarGroups::RecordWithoutButtons(group);
  state_.Groups.push_back(std::move(group));
  state_.BandBarVisible = true;
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  bar_.SaveGroupList({[&](IniFile& f) { SaveGroup(f, record, false); }, {}}, &gpf, kGroupErrorCaption);
}

void ButtonMenuCommands::S5Click(int g) {
  GroupPanel& group = state_.Groups[g];
  NewBtnFormSetup setup = GroupSetup(group.Data);
  setup.Caption = "工具栏属性:【" + group.Data.Title + "】";
  setup.KindEnabled = false;
  // A group not filled lists its stored buttons, so that a commit keeps them.
  setup.Entries =
      EditorEntriesForGroup(IsFilled(group) ? PanelRecord(group).Buttons : std::vector<GroupButton>{},
                            group.Data.PanelStyle, bar_.OpenGroupFile(), group.Data.Title);
  setup.OtherTitles = OtherGroupTitles(state_.Groups, g, state_.UnreadGroupEntries);
  // A bookmarks group chooses among the folders of the browser's file as it last read cleanly.
  const std::vector<BookmarkFolderEntry> folders =
      group.BookmarkFile ? ListBookmarkFolders(*group.BookmarkFile) : std::vector<BookmarkFolderEntry>{};
  for (const BookmarkFolderEntry& f : folders) {
    const BookmarkFolderRef& now = group.Data.Bookmarks.Folder;
    if (f.Ref.Id.empty() ? f.Ref.Path == now.Path : f.Ref.Id == now.Id)
      setup.BookmarkFolder = static_cast<int>(setup.BookmarkFolders.size());
    setup.BookmarkFolders.push_back(f.Shown);
  }
  const NewBtnFormResult r = RunEditor(setup);
  if (!IsOk(r.ModalResult)) {
    // The buttons page writes and deletes shortcut files at once, even when cancelled.
    if (group.Data.PanelStyle == gkShortcut && IsFilled(group)) {
      bar_.FillGroup(group);
      bar_.ArrangeBar();
    }
    return;
  }
  const std::string oldTitle = group.Data.Title;
  TakeGroupPage(group.Data, r, false);
  if (r.BookmarkFolder >= 0 && r.BookmarkFolder < static_cast<int>(folders.size())) {
    group.Data.Bookmarks.Folder = folders[r.BookmarkFolder].Ref;
    ShowBookmarkFolder(group, group.BookmarkFile);
  }
  group.MenuItem.Caption = group.Hint = group.Data.Title;
  // The dialog wrote the buttons under the title now, beside the old title's.
  IniFile gpf = bar_.OpenGroupFile();
  if (IsFilled(group)) {
    bar_.BeginGroupFill(group, gpf, false);
    FillByKind(group, gpf, DiskShortcutFolder{});
  }
  const GroupRecord record = BarGroups::RecordWithoutButtons(group);
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  bar_.SaveGroupList({[&](IniFile& f) { SaveGroup(f, record, false); }, {oldTitle}}, &gpf,
                     kGroupErrorCaption);
}

void ButtonMenuCommands::D2Click(int g) {
  {
    AutoHideHold hold(bar_.Toolbar());
    if (ConfirmBox(DeleteGroupQuestion(state_.Groups[g].Data), kDeleteGroupCaption) != mrOk) return;
  }
  const std::string title = state_.Groups[g].Data.Title;
  const int keyNumber = DeleteGroupAt(state_.Groups, static_cast<std::size_t>(g));
  const std::wstring key = ToWide(AppRegistryKey() + "\\Group" + std::to_string(keyNumber));
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  // Out of the list first, then out of the group file: it never comes back.
  bar_.SaveGroupList({{}, {title}}, nullptr, kGroupErrorCaption);
}

void ButtonMenuCommands::N5Click(int g) {
  GroupPanel& group = state_.Groups[g];
  if (VisibleBandCount(state_.Groups) <= 1 && !group.Data.ShowAsButton) {
    AutoHideHold hold(bar_.Toolbar());
    ShowWarningBox(kShowAsButtonRefused, kWarningCaption);
    return;
  }
  group.Data.ShowAsButton = !group.Data.ShowAsButton;
  IniFile gpf = bar_.OpenGroupFile();
  const bool saved = BarGroups::SaveGroupWithButtons(group, gpf);
  if (ShownAsBand(group.Data)) {
    bar_.BeginGroupFill(group, gpf, false);
    FillByKind(group, gpf, DiskShortcutFolder{});
  }
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  if (!saved) bar_.ReportSaveFailed(gpf.Path(), kGroupErrorCaption);
}

void ButtonMenuCommands::H1Click(int g) {
  GroupPanel& group = state_.Groups[g];
  group.Data.Visible = false;
  IniFile gpf = bar_.OpenGroupFile();
  const bool saved = BarGroups::SaveGroupWithButtons(group, gpf);
  bar_.RefreshGroupEntries();
  bar_.ArrangeBar();
  if (!saved) bar_.ReportSaveFailed(gpf.Path(), kGroupErrorCaption);
}

void ButtonMenuCommands::R1Click(int g) {
  GroupPanel& group = state_.Groups[g];
  IniFile gpf = bar_.OpenGroupFile();
  const bool save = IsFilled(group);
  // Written before the fill, so that the renames noticed meanwhile apply to the order the
  // group showed, and after it, so that the file names what it shows now.
  if (save) SaveShownGroup(gpf, group);
  bar_.BeginGroupFill(group, gpf, true);
  FillByKind(group, gpf, DiskShortcutFolder{});
  if (save) {
    SaveShownGroup(gpf, group);
    bar_.SaveOrReport(gpf, kGroupErrorCaption);
  }
  bar_.ArrangeBar();
}

void ButtonMenuCommands::O1Click(int g) {
  const std::string folder = state_.Groups[g].Data.Directory;
  // An imported group may name a program here: only a folder is opened.
  if (!platform::DirectoryExists(folder)) {
    AutoHideHold hold(bar_.Toolbar());
    ShowErrorBox("文件夹不存在:\r\r\"" + folder + "\"", kGroupErrorCaption);
    return;
  }
  ShellOpen(bar_.Handle(), folder, "", "", SW_SHOWNORMAL);
}

}  // namespace wendlix
