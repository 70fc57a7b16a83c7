#include "win/editor/new_btn_form.h"

#include <windowsx.h>

#include "core/editor/editor_address.h"
#include "core/editor/editor_commit.h"
#include "core/editor/editor_geometry.h"
#include "core/editor/editor_texts.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"
#include "win/bar/bar_pictures.h"
#include "win/common/wide.h"
#include "win/editor/new_btn_form_ids.h"
#include "win/paint/system_colors.h"
#include "win/paint/theme_win.h"
#include "win/ui/p_messages.h"
#include "win/ui/system_dark_mode.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

namespace {

// Panel sizes: the group page's panel and the button-mode panel.
constexpr Size kPanel2{509, 282};
constexpr Size kPanel1{400, 130};
constexpr int kCaptionHeight = 20;
constexpr Size kBottomButton{90, 25};
constexpr COLORREF kPanel1Color = 0x00D5EAFD;

}  // namespace

NewBtnFormResult ShowNewBtnForm(HWND owner, const NewBtnFormSetup& setup) {
  NewBtnFormResult result;
  try {
    TNewBtnForm form(setup);
    const TModalResult answer = form.ShowModal(owner);
    result = form.ReadBack();
    result.ModalResult = answer;
  } catch (...) {
    result.ModalResult = mrCancel;
  }
  return result;
}

TNewBtnForm::TNewBtnForm(NewBtnFormSetup setup) : setup_(std::move(setup)), page_(setup_.Entries) {}

std::string TNewBtnForm::Text(int id) const {
  const HWND h = Control(id);
  if (!h) return {};
  const int length = GetWindowTextLengthW(h);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(h, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return FromWide(text);
}

void TNewBtnForm::SetText(int id, const std::string& text) {
  if (const HWND h = Control(id)) SetWindowTextW(h, ToWide(text).c_str());
}

HWND TNewBtnForm::AddControl(const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y,
                             int w, int h, DWORD exStyle) {
  const HWND control = CreateWindowExW(
      exStyle, cls, ToWide(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, x, y, w, h, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
  return control;
}

TModalResult TNewBtnForm::ShowModal(HWND owner) {
  modalResult_ = mrCancel;
  const HINSTANCE resources = setup_.Resources ? setup_.Resources : GetModuleHandleW(nullptr);
  const HRSRC found =
      FindResourceW(resources, MAKEINTRESOURCEW(IDD_NEW_BTN_FORM), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  const HGLOBAL loaded = found ? LoadResource(resources, found) : nullptr;
  const auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
  if (!dialogTemplate) return mrCancel;

  const INT_PTR answer = RunModal(dialogTemplate, owner, true);
  // -1: not created; 0: ended by WM_QUIT. Both answer as Cancel.
  modalResult_ = answer == mrOk ? mrOk : mrCancel;
  return modalResult_;
}

void TNewBtnForm::OnInitDialog() {
  SetWindowTextW(Handle(), ToWide(setup_.Caption).c_str());
  // The template asks for 宋体 9 pt in the GB2312 character set. A dialog manager that drops the
  // character set (Wine's does), or gives no font at all, gets that font made here, for the
  // template's buttons and every control made below.
  dialogFont_ = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  const bool given = dialogFont_ && GetObjectW(dialogFont_, sizeof(lf), &lf);
  if (!given) {
    lf = LOGFONTW{};
    lf.lfHeight = FontHeightForPoints(9);
    lf.lfWeight = FW_NORMAL;
    lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  }
  if (!given || lf.lfCharSet != GB2312_CHARSET) {
    lf.lfCharSet = GB2312_CHARSET;
    ownFont_.reset(CreateFontIndirectW(&lf));
    if (ownFont_) {
      dialogFont_ = ownFont_.get();
      for (int id : {kOk, kCancel})
        SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
    }
  }
  faceBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  panel1Brush_.reset(CreateSolidBrush(kPanel1Color));

  const Size panel = setup_.GroupMode ? kPanel2 : kPanel1;
  const EditorFormLayout layout =
      LayoutEditorForm({setup_.GroupMode, panel, kCaptionHeight, 4, kBottomButton, kBottomButton});
  if (setup_.GroupMode) {
    CreateGroupPage();
    CreateButtonsPage();
  } else {
    CreateButtonPanel();
  }
  // The template's buttons, placed in pixels and moved after the page controls in the Tab
  // order; the tab control lies under the page controls and last.
  SetWindowPos(Control(kOk), HWND_BOTTOM, layout.OkButton.left, layout.OkButton.top, kBottomButton.cx,
               kBottomButton.cy, SWP_NOACTIVATE);
  SetWindowPos(Control(kCancel), HWND_BOTTOM, layout.CancelButton.left, layout.CancelButton.top,
               kBottomButton.cx, kBottomButton.cy, SWP_NOACTIVATE);
  if (const HWND tabs = Control(kPageControl))
    SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // No border: the client is the whole window. Centred on the desktop.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - layout.Client.cx) / 2,
               work.top + (work.bottom - work.top - layout.Client.cy) / 2, layout.Client.cx, layout.Client.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);

  FormShow();
  PlayOpenAnimation(Handle(), FormPosition::Designed);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  FocusField(setup_.GroupMode ? EditorField::kTitle : EditorField::kName);
}

void TNewBtnForm::CreateButtonPanel() {
  const int x0 = 16, y0 = 34;
  // An owner-drawn control never shows its window text: the text is its name for a screen reader.
  AddControl(L"BUTTON", "图标", WS_VISIBLE | BS_OWNERDRAW, kBtnIcon, x0, y0, 40, 40);
  AddControl(L"STATIC", "名    称:", WS_VISIBLE, kStatic, x0 + 50, y0 + 4, 105, 16);
  AddControl(L"EDIT", setup_.Name, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kText1, x0 + 158, y0, 220, 21,
             WS_EX_CLIENTEDGE);
  AddControl(L"STATIC", Label2CaptionFor(setup_.Kind), WS_VISIBLE, kLabel2, x0 + 50, y0 + 37, 105, 16);
  AddControl(L"EDIT", setup_.Target, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kText2, x0 + 158, y0 + 33, 220,
             21, WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", "选取目标文件...", (setup_.Kind == gkShortcut ? WS_VISIBLE : 0) | WS_TABSTOP,
             kBtnBrow, x0 + 258, y0 + 66, 120, 25);
  fileName_ = setup_.FileName;
}

void TNewBtnForm::FormShow() {
  settingUp_ = true;
  if (setup_.GroupMode) {
    ComboBox1Change();
    oldTitle_ = Text(kText3);
    ShowPage(0);
  } else if (ButtonModeShortcut()) {
    ShowFileIcon(fileName_);
  } else {
    const bool web = ButtonModeKind(false, Text(kLabel2)) == gkWeb;
    largeGlyph_ = LoadNamedBitmap(setup_.Resources, web ? kIeIconLarge : kMailIconLarge);
  }
  textsModified_ = false;
  settingUp_ = false;
}

bool TNewBtnForm::PreTranslate(const MSG& m) {
  if (!setup_.GroupMode) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (m.message == WM_KEYDOWN && m.wParam == VK_TAB && ctrl) {
    ShowPage(1 - pageIndex_);
    return true;
  }
  if (m.message == WM_SYSKEYDOWN && (m.wParam == 'B')) {
    ShowPage(1);
    return true;
  }
  if (m.message == WM_KEYDOWN && m.wParam == VK_DELETE && m.hwnd == Control(kTreeViewBtn)) {
    btnDeleClick();
    return true;
  }
  return false;
}

void TNewBtnForm::ShowPage(int index) {
  // Decided before the old page hides: a hidden focus goes to the dialog, which would give it to
  // its first visible Tab stop, OK, while the new page is not shown yet.
  const HWND focus = GetFocus();
  bool focusLeaves = !focus || focus == Handle();
  for (HWND h : index == 0 ? buttonsPage_ : groupPage_)
    focusLeaves = focusLeaves || h == focus || IsChild(h, focus);
  pageIndex_ = index;
  TabCtrl_SetCurSel(Control(kPageControl), index);
  for (HWND h : groupPage_) ShowWindow(h, index == 0 ? SW_SHOWNA : SW_HIDE);
  for (HWND h : buttonsPage_) ShowWindow(h, index == 1 ? SW_SHOWNA : SW_HIDE);
  if (index == 1) TabSheet2Show();
  if (focusLeaves) FocusControl(Control(index == 0 ? kText3 : kTreeViewBtn));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TNewBtnForm::FocusControl(HWND control) {
  // Through the dialog manager, which also moves the default button and selects an edit's text.
  if (control) SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

std::uint16_t TNewBtnForm::Kind() const {
  if (!setup_.GroupMode) return ButtonModeKind(ButtonModeShortcut(), Text(kLabel2));
  const LRESULT index = SendMessageW(Control(kComboBox1), CB_GETCURSEL, 0, 0);
  return index > 0 ? static_cast<std::uint16_t>(index) : static_cast<std::uint16_t>(gkShortcut);
}

bool TNewBtnForm::ButtonModeShortcut() const {
  const HWND browse = Control(kBtnBrow);
  return browse && (GetWindowLongW(browse, GWL_STYLE) & WS_VISIBLE);
}

NewBtnFormResult TNewBtnForm::ReadBack() const {
  NewBtnFormResult r = Handle() ? ReadControls() : closed_;
  r.ModalResult = modalResult_;
  return r;
}

void TNewBtnForm::End(TModalResult result) {
  modalResult_ = result;
  EndDialog(Handle(), result);
}

NewBtnFormResult TNewBtnForm::ReadControls() const {
  NewBtnFormResult r;
  if (setup_.GroupMode) {
    r.Title = Text(kText3);
    r.Kind = Kind();
    r.Folder = AddBackslash(Text(kText4));
    r.Color = color_;
    r.FromColor = fromColor_;
    r.ToColor = toColor_;
    r.DrawStyle = IsDlgButtonChecked(Handle(), kRd3) ? 2 : IsDlgButtonChecked(Handle(), kRd2) ? 1 : 0;
    r.Font = font_;
    r.PictureFile = fileName_;
    if (const HWND folders = Control(kBookmarkFolder))
      r.BookmarkFolder = static_cast<int>(SendMessageW(folders, CB_GETCURSEL, 0, 0));
  } else {
    r.Name = Text(kText1);
    r.Target = Text(kText2);
  }
  return r;
}

void TNewBtnForm::FocusField(EditorField field) {
  int id = 0;
  int page = -1;
  switch (field) {
    case EditorField::kName: id = kText1; break;
    case EditorField::kTarget: id = kText2; break;
    case EditorField::kTitle:
      id = kText3;
      page = 0;
      break;
    case EditorField::kFolder:
      id = kText4;
      page = 0;
      break;
    case EditorField::kRowName:
      id = kEditName;
      page = 1;
      break;
    case EditorField::kRowTarget:
      id = kEditExe;
      page = 1;
      break;
    case EditorField::kNone: return;
  }
  if (page >= 0 && page != pageIndex_) ShowPage(page);
  if (const HWND h = Control(id)) {
    FocusControl(h);
    SendMessageW(h, EM_SETSEL, 0, -1);
  }
}

void TNewBtnForm::Refuse(const EditorRefusal& refusal) {
  // The page holding the field shows before the message, so the user sees what is meant.
  if (setup_.GroupMode) {
    int page = -1;
    if (refusal.Focus == EditorField::kTitle || refusal.Focus == EditorField::kFolder) page = 0;
    if (refusal.Focus == EditorField::kRowName || refusal.Focus == EditorField::kRowTarget) page = 1;
    if (page >= 0 && page != pageIndex_) ShowPage(page);
  }
  ShowErrorBox(refusal.Text, refusal.Caption);
  FocusField(refusal.Focus);
}

void TNewBtnForm::btnOKClick() {
  if (setup_.GroupMode ? CommitGroup() : CommitButton()) End(mrOk);
}

bool TNewBtnForm::CommitButton() {
  ButtonModeInput in;
  in.Kind = Kind();
  in.Name = Text(kText1);
  in.Target = Text(kText2);
  in.OtherNames = setup_.OtherNames;
  in.InternetShortcut = SameTextAscii(ExtractFileExt(setup_.FileName), ".URL");
  const ButtonModeResult checked = CheckButtonMode(in, [](const std::string& p) { return PathExists(p); });
  if (checked.Refusal) {
    Refuse(*checked.Refusal);
    return false;
  }
  if (setup_.MakeButton) {
    if (const EditorCheck refusal = setup_.MakeButton(in.Name, checked.Target)) {
      Refuse(*refusal);
      return false;
    }
  }
  SetText(kText2, checked.Target);
  return true;
}

bool TNewBtnForm::CommitGroup() {
  GroupModeInput in;
  in.Title = Text(kText3);
  in.Folder = Text(kText4);
  in.FolderEnabled = IsWindowEnabled(Control(kText4)) != FALSE;
  in.OtherTitles = setup_.OtherTitles;
  if (EditorCheck refusal =
          CheckGroupMode(in, [](const std::string& p) { return platform::DirectoryExists(p); })) {
    Refuse(*refusal);
    return false;
  }
  // Rows built for another kind or folder than the first page now holds are built again.
  const RowChange rebuilt = page_.BuildForCommit(in.Folder, Kind(), files_);
  if (rebuilt.What != RowChange::Kind::kNone) {
    RefreshRows(rebuilt);
    MirrorPage();
  }
  ButtonCommitInput commit;
  commit.Modified = textsModified_ || page_.Modified();
  commit.NewGroup = setup_.NewItem;
  commit.OldTitle = oldTitle_;
  commit.Title = in.Title;
  commit.Entries = page_.Entries().Entries();
  if (!commit.Modified) return true;
  IniFile gpf(setup_.GroupFile);
  // Names the file cannot hold are left out (ApplyProfileOps); only a failed save is an error.
  ApplyProfileOps(gpf, PlanButtonCommit(gpf, commit));
  if (!gpf.Save()) {
    // The dialog stays open with every edit, so nothing typed is lost.
    ShowErrorBox("无法保存工具栏文件\"" + setup_.GroupFile + "\"！", kEditorErrorCaption);
    return false;
  }
  return true;
}

void TNewBtnForm::OnCommand(int id, int code, HWND) {
  if (code == EN_CHANGE) {
    if (!settingUp_ && (id == kText1 || id == kText2 || id == kText3 || id == kText4)) textsModified_ = true;
    return;
  }
  if (id == kComboBox1 && code == CBN_SELCHANGE) return ComboBox1Change();
  if (code != BN_CLICKED) return;
  switch (id) {
    case kOk: return btnOKClick();
    case kCancel: return End(mrCancel);
    case kBtnDir: return btnDirClick();
    case kBtnColor:
    case kBtnFromColor:
    case kBtnToColor: return PickColor(id);
    case kRd1:
    case kRd2:
    case kRd3: return SelectStyle(id);
    case kRxSpeedButton1: return RxSpeedButton1Click();
    case kRxSpeedButton2: return RxSpeedButton2Click();
    case kBtnBrow: return btnBrowClick();
    case kBtnUp: return BtnMove(true);
    case kBtnDown: return BtnMove(false);
    case kBtnNew: return btnNewClick();
    case kBtnEdit: return btnEditClick();
    case kBtnDele: return btnDeleClick();
    case kBtnBrowFile: return btnBrowFileClick();
    default: return;
  }
}

INT_PTR TNewBtnForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ThemeChangedMessage()) {
    MatchTitleBarToLook(Handle());
    return TRUE;
  }
  switch (msg) {
    case WM_INITDIALOG:
      MatchTitleBarToLook(Handle());
      OnInitDialog();
      return FALSE;  // the focus is set
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)); return TRUE;
    case WM_NOTIFY:
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, OnNotify(reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_PAINT: OnPaint(); return TRUE;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wp);
      SetBkMode(dc, TRANSPARENT);
      if (!setup_.GroupMode) {
        SetBkColor(dc, kPanel1Color);
        return reinterpret_cast<INT_PTR>(panel1Brush_.get());
      }
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      if (reinterpret_cast<HWND>(lp) == Control(kLblFont)) SetTextColor(dc, ResolveStoredColor(font_.Color));
      return reinterpret_cast<INT_PTR>(faceBrush_.get());
    }
    case WM_LBUTTONDOWN:
      if (GET_Y_LPARAM(lp) < kCaptionHeight) Image1MouseDown();
      return TRUE;
    case WM_MOUSEMOVE:
      if (dragging_) RowDragOver();
      return TRUE;
    case WM_LBUTTONUP:
      if (dragging_) EndRowDrag(true);
      return TRUE;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lp) != Handle()) EndRowDrag(false);
      return TRUE;
    case WM_CLOSE:
      // Alt+F4 and the system menu answer as Cancel.
      End(mrCancel);
      return TRUE;
    case WM_DESTROY:
      // The controls still exist here; the caller reads them back after the dialog is gone.
      closed_ = ReadControls();
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace wendlix
