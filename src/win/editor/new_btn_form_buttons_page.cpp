// The buttons page of the editor: a virtual list view over the page's entries, the detail
// edits and the new, change, delete and move buttons. Every decision is the page's; this
// file mirrors its state into the controls.
#include "win/editor/new_btn_form.h"

#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include "core/editor/editor_address.h"
#include "core/editor/editor_geometry.h"
#include "core/editor/editor_texts.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/common/wide.h"
#include "win/editor/repeat_button.h"
#include "win/shell/context_menu.h"
#include "win/shell/shell_folders.h"
#include "win/ui/p_messages.h"

namespace wendlix {

void TNewBtnForm::CreateButtonsPage() {
  const int x0 = 96, y0 = 56;
  auto add = [&](const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h,
                 DWORD ex = 0) {
    const HWND h1 = AddControl(cls, text, style, id, x, y, w, h, ex);
    buttonsPage_.push_back(h1);
    return h1;
  };
  // Named by its page (a list shows no window text) and the owner-drawn icon by its window text, for
  // screen readers; the edits take their names from the labels before them.
  const HWND list = add(WC_LISTVIEWW, "工具栏按钮",
                        WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                            LVS_OWNERDATA | LVS_SHAREIMAGELISTS,
                        kTreeViewBtn, x0, y0, 340, 132, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  std::wstring column = L"Title & Name";
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.cx = 334;
  c.pszText = column.data();
  ListView_InsertColumn(list, 0, &c);
  MakeRepeatButton(add(L"BUTTON", "上移", WS_TABSTOP, kBtnUp, x0 + 346, y0, 60, 25));
  MakeRepeatButton(add(L"BUTTON", "下移", WS_TABSTOP, kBtnDown, x0 + 346, y0 + 29, 60, 25));
  add(L"BUTTON", "删除", WS_TABSTOP, kBtnDele, x0 + 346, y0 + 58, 60, 25);
  add(L"STATIC", "名称(&N):", 0, kStatic, x0, y0 + 145, 62, 16);
  add(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kEditName, x0 + 64, y0 + 142, 236, 21, WS_EX_CLIENTEDGE);
  add(L"STATIC", "目标(&M):", 0, kStatic, x0, y0 + 173, 62, 16);
  add(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kEditExe, x0 + 64, y0 + 170, 236, 21, WS_EX_CLIENTEDGE);
  const HWND browse = add(L"BUTTON", "...", WS_TABSTOP, kBtnBrowFile, x0 + 304, y0 + 169, 30, 23);
  add(L"BUTTON", "图标", BS_OWNERDRAW, kBtnIcon1, x0 + 356, y0 + 145, 40, 40);
  add(L"BUTTON", "新增(&N)", WS_TABSTOP, kBtnNew, x0 + 64, y0 + 198, 90, 25);
  add(L"BUTTON", "确认修改(&E)", WS_TABSTOP, kBtnEdit, x0 + 160, y0 + 198, 100, 25);
  AddHint(browse, "查找文件");  // it shows only "..."
  MirrorPage();
}

void TNewBtnForm::AddHint(HWND control, const std::string& hint) {
  // Owned by the dialog, so it goes with it.
  if (!hints_)
    hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!hints_ || !control) return;
  std::wstring text = ToWide(hint);
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = Handle();
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text.data();
  SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void TNewBtnForm::TabSheet2Show() {
  const RowChange rows = page_.Show(Text(kText4), Kind(), files_);
  if (rows.What != RowChange::Kind::kNone) RefreshRows(rows);
  // A list that stands keeps the detail edits as they are, a half-typed new entry too.
  MirrorPage(rows.What != RowChange::Kind::kNone);
}

int TNewBtnForm::RowImage(std::size_t row) {
  const ButtonEntry& entry = page_.Entries()[row];
  if (Kind() != gkShortcut) return entry.ImageIndex;
  // Looked up when the row is first drawn, then kept.
  const std::string path = page_.EntryPath(row);
  const auto cached = iconCache_.find(path);
  if (cached != iconCache_.end()) return cached->second;
  int index = -1;
  try {
    index = GetSysIconIndex(path);
  } catch (...) {
    index = -1;
  }
  iconCache_.emplace(path, index);
  return index;
}

void TNewBtnForm::RefreshRows(const RowChange& rows) {
  const HWND list = Control(kTreeViewBtn);
  // A rewritten or new link may show another icon under a name seen before.
  if (rows.What == RowChange::Kind::kRebuilt || rows.What == RowChange::Kind::kReplaced ||
      rows.What == RowChange::Kind::kAppended)
    iconCache_.clear();
  if (rows.What == RowChange::Kind::kRebuilt) {
    HIMAGELIST images = setup_.ImageList1;
    if (Kind() == gkShortcut) {
      SHFILEINFOW info{};
      if (!smallSystemIcons_)
        smallSystemIcons_ = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
      images = smallSystemIcons_;
    }
    ListView_SetImageList(list, images, LVSIL_SMALL);
  }
  ListView_SetItemCountEx(list, static_cast<int>(page_.Entries().Count()), 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TNewBtnForm::MirrorPage(bool detail) {
  mirroring_ = true;
  const HWND list = Control(kTreeViewBtn);
  if (list) {
    const std::optional<std::size_t> selected = page_.Entries().Selected();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (selected) {
      const int row = static_cast<int>(*selected);
      ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, row, FALSE);
    }
  }
  const ButtonPageControls& c = page_.Controls();
  const HWND focus = GetFocus();
  EnableWindow(Control(kBtnNew), c.btnNew);
  EnableWindow(Control(kBtnEdit), c.btnEdit);
  EnableWindow(Control(kBtnBrowFile), c.btnBrowFile);
  EnableWindow(Control(kBtnDele), c.btnDele);
  EnableWindow(Control(kBtnUp), c.BtnUp);
  EnableWindow(Control(kBtnDown), c.BtnDown);
  if (pageIndex_ == 1) ShowWindow(Control(kBtnBrowFile), c.btnBrowFileVisible ? SW_SHOWNA : SW_HIDE);
  // A button disabled with the focus (Up held to the top) loses it to nothing: the list
  // takes it, or Tab, Enter and Escape would go nowhere.
  if (focus && !IsWindowEnabled(focus) && IsChild(Handle(), focus)) SetFocus(list);

  if (!detail) {
    mirroring_ = false;
    return;
  }
  const ButtonDetail& d = page_.Detail();
  SetText(kEditName, d.EditName);
  SetText(kEditExe, d.EditExe);
  iconShown_ = d.IconSource != ButtonDetail::Icon::kNone;
  iconPath_ = d.IconPath;
  iconImage1_ = d.IconSource == ButtonDetail::Icon::kImageList1 ? d.IconIndex : -1;
  InvalidateRect(Control(kBtnIcon1), nullptr, TRUE);
  mirroring_ = false;
}

void TNewBtnForm::ApplyPageResult(const PageResult& result, bool detail) {
  if (result.Rows.What != RowChange::Kind::kNone) RefreshRows(result.Rows);
  // A refused entry stays in the edits as typed, for correcting.
  MirrorPage(detail && !result.Refusal);
  if (result.Refusal) Refuse(*result.Refusal);
}

void TNewBtnForm::TreeViewBtnSelectItem(int row) {
  page_.SelectRow(row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt,
                  files_);
  MirrorPage();
}

std::optional<std::size_t> TNewBtnForm::RowAtCursor() const {
  const HWND list = Control(kTreeViewBtn);
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  const int row = ListView_HitTest(list, &hit);
  if (row < 0 || !(hit.flags & LVHT_ONITEM)) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void TNewBtnForm::TreeViewBtnRightClick() {
  // A press away from every row does nothing.
  const std::optional<std::size_t> row = RowAtCursor();
  if (!row || *row >= page_.Entries().Count()) return;
  TreeViewBtnSelectItem(static_cast<int>(*row));
  // Web and e-mail rows hold addresses, which have no shell menu.
  if (Kind() != gkShortcut || page_.Entries()[*row].Name == "-") return;
  if (ShowFileContextMenu(Handle(), page_.EntryPath(*row))) TreeViewBtnSelectItem(static_cast<int>(*row));
}

void TNewBtnForm::BeginRowDrag() {
  if (!page_.Entries().Selected()) return;
  dragging_ = true;
  SetCapture(Handle());
}

void TNewBtnForm::RowDragOver() {
  const std::optional<std::size_t> row = RowAtCursor();
  const bool accepted = row && page_.CanDrop(*row);
  SetCursor(LoadCursorW(nullptr, accepted ? IDC_ARROW : IDC_NO));
  if (!accepted) return;
  // Near the list's edges the list scrolls, so a row can be dragged to any place.
  const HWND list = Control(kTreeViewBtn);
  RECT bounds{}, client{};
  ListView_GetItemRect(list, static_cast<int>(*row), &bounds, LVIR_BOUNDS);
  GetClientRect(list, &client);
  const int top = ListView_GetTopIndex(list);
  const int dy = DragScrollBy(bounds.top, bounds.bottom - bounds.top, client.bottom,
                              static_cast<int>(*row) == top, *row > 0);
  if (dy == 0) return;
  ListView_Scroll(list, 0, dy);
  InvalidateRect(list, nullptr, TRUE);
}

void TNewBtnForm::EndRowDrag(bool drop) {
  dragging_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (!drop) return;
  const std::optional<std::size_t> target = RowAtCursor();
  if (target && page_.CanDrop(*target)) ApplyPageResult(page_.Drop(*target, files_));
}

void TNewBtnForm::BtnMove(bool up) { ApplyPageResult(up ? page_.MoveUp(files_) : page_.MoveDown(files_)); }

void TNewBtnForm::btnNewClick() {
  const PageResult result = page_.New(Text(kEditName), Text(kEditExe), files_);
  // What was typed stays for the next entry; the selection did not change.
  ApplyPageResult(result, false);
  if (result.Done) SetFocus(Control(kEditName));
}

void TNewBtnForm::btnEditClick() {
  // In a shortcut group the page replaces the row's file (ChangeShortcutFile): what the old
  // link carried besides its target stays, and a failure changes nothing and says why.
  ApplyPageResult(page_.Change(Text(kEditName), Text(kEditExe), files_));
}

void TNewBtnForm::btnDeleClick() {
  if (!page_.Entries().Selected() || !page_.Controls().btnDele) return;
  const std::size_t row = *page_.Entries().Selected();
  if (ConfirmBox(page_.DeleteConfirmText(), kDeleteButtonCaption) != mrOk) return;
  const std::string path = page_.EntryPath(row);
  const PageResult result = page_.Delete(files_);
  ApplyPageResult(result);
  if (!result.Done && Kind() == gkShortcut)
    ShowErrorBox(std::string(kLinkDeleteFailedText) + "\r\r\"" + path + "\"", kEditorErrorCaption);
}

void TNewBtnForm::btnBrowFileClick() { BrowseForTarget(kEditExe, kEditName); }

LRESULT TNewBtnForm::OnNotify(NMHDR* header) {
  if (!header) return 0;
  if (header->idFrom == kPageControl && header->code == TCN_SELCHANGE) {
    ShowPage(TabCtrl_GetCurSel(header->hwndFrom));
    return 0;
  }
  if (header->idFrom != kTreeViewBtn) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      const auto row = static_cast<std::size_t>(info->item.iItem);
      if (row >= page_.Entries().Count()) return 0;
      const ButtonEntry& entry = page_.Entries()[row];
      if (info->item.mask & LVIF_TEXT) {
        dispText_ = ToWide(entry.Name);
        info->item.pszText = dispText_.data();
      }
      if (info->item.mask & LVIF_IMAGE) info->item.iImage = RowImage(row);
      return 0;
    }
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (mirroring_ || !(change->uChanged & LVIF_STATE)) return 0;
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED) && change->iItem >= 0)
        TreeViewBtnSelectItem(change->iItem);
      return 0;
    }
    case NM_CLICK:
      if (ListView_GetNextItem(header->hwndFrom, -1, LVNI_SELECTED) < 0) TreeViewBtnSelectItem(-1);
      return 0;
    case NM_RCLICK: TreeViewBtnRightClick(); return 0;
    case LVN_BEGINDRAG: BeginRowDrag(); return 0;
    default: return 0;
  }
}

}  // namespace wendlix
