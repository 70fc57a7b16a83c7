// TNewBtnForm: the bar's one modal editor, for a group (two pages: its properties and its
// buttons) or for one button. A command calls it like this:
//
//   NewBtnFormSetup setup;
//   setup.GroupMode = true;                       // false: button mode
//   setup.Caption = "工具栏属性:【" + group.Title + "】";  // or "新建工具栏"
//   setup.Title = group.Title;  setup.Kind = group.PanelStyle;  setup.KindEnabled = false;
//   setup.Folder = group.PanelStyle == gkShortcut ? group.Directory : "";
//   setup.Color = ...; setup.DrawStyle = ...; setup.Font = ...; setup.PictureFile = ...;
//   setup.Entries = EditorEntriesForGroup(buttons, kind, gpf, title);
//   setup.OtherTitles = <the other groups' titles>;
//   setup.GroupFile = ConfigBase + ".GPF";
//   setup.ImageList1 = <the bar's ImageList1>;  setup.Resources = <the exe's module>;
//   NewBtnFormResult result = ShowNewBtnForm(barWindow, setup);
//   if (result.ModalResult == mrOk) { apply result.Title, result.Kind, result.Folder, ... }
//
// In group mode the dialog has already written the group's button section when it answers
// mrOk; in button mode it writes nothing but what MakeButton writes, and Target carries the
// address with its prefix.
// The bar's auto-hide timer is the caller's to hold while the dialog is open.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/editor/buttons_page.h"
#include "core/editor/editor_entries.h"
#include "core/editor/editor_validation.h"
#include "core/paint/pixel_buffer.h"
#include "core/ui/modal_result.h"
#include "win/common/base_dialog.h"
#include "win/common/unique_handle.h"
#include "win/editor/editor_files_win.h"

namespace wendlix {

struct NewBtnFormSetup {
  bool GroupMode = true;
  std::string Caption;   // painted in the strip
  bool NewItem = false;  // a new group or button

  // Group mode.
  std::string Title;
  std::uint16_t Kind = gkShortcut;  // button mode too: 0 shortcut, 1 web, 2 e-mail
  bool KindEnabled = true;          // only a new group may still change its kind
  std::string Folder;
  std::int32_t Color = 0x00E5E5E5;
  std::int32_t FromColor = 0x00FFFFFF;
  std::int32_t ToColor = 0x008F8F8E;  // RGB 142, 143, 143
  std::uint8_t DrawStyle = 0;
  GroupFont Font;
  std::string PictureFile;
  std::vector<ButtonEntry> Entries;      // the group's buttons in order
  std::vector<std::string> OtherTitles;  // titles of the other groups
  std::string GroupFile;                 // the .GPF file the commit writes
  // A bookmarks group: the browser's folders it may show (as the choice lists them), and the one
  // it shows now. Empty for any other group.
  std::vector<std::string> BookmarkFolders;
  int BookmarkFolder = -1;

  // Button mode.
  std::string Name;
  std::string Target;                   // the target, or the address without its prefix
  std::string FileName;                 // the button's file or address, for its icon
  std::vector<std::string> OtherNames;  // the group's other buttons
  // Run at OK once the checks pass, with the name and the target to hand back; a refusal is shown
  // and keeps the dialog open with what was typed. Empty: the caller makes the button afterwards.
  std::function<EditorCheck(const std::string& name, const std::string& target)> MakeButton;

  HIMAGELIST ImageList1 = nullptr;  // the bar's pictures; not owned
  // Module with the dialog template, IEICON_LARGE and MAILICON_LARGE; null: the exe itself.
  HINSTANCE Resources = nullptr;
};

struct NewBtnFormResult {
  TModalResult ModalResult = mrCancel;
  // Group mode.
  std::string Title;
  std::uint16_t Kind = gkShortcut;
  std::string Folder;  // with a trailing backslash
  std::int32_t Color = 0;
  std::int32_t FromColor = 0;
  std::int32_t ToColor = 0;
  std::uint8_t DrawStyle = 0;
  GroupFont Font;
  std::string PictureFile;
  int BookmarkFolder = -1;  // the place of the chosen folder in the set-up's BookmarkFolders
  // Button mode.
  std::string Name;
  std::string Target;  // the target, or the address with its prefix
};

// Shows the dialog modally, owned by `owner` (disabled meanwhile), and reads it back.
NewBtnFormResult ShowNewBtnForm(HWND owner, const NewBtnFormSetup& setup);

// A modal dialog from the IDD_NEW_BTN_FORM template, found in the set-up's Resources module
// (else the exe's own). The dialog manager runs the loop, disables the owner and moves the
// focus; the page keys it does not know reach PreTranslate.
class TNewBtnForm : public BaseDialog<TNewBtnForm> {
 public:
  // The dialog manager's class. Finders also look for a control only the editor has.
  static constexpr wchar_t kClassName[] = L"#32770";

  // Control identifiers, also how tests find the controls.
  enum Id : int {
    kOk = IDOK,
    kCancel = IDCANCEL,
    kPageControl = 100,
    kText3,
    kComboBox1,
    kText4,
    kBtnDir,
    kRd1,
    kRd2,
    kRd3,
    kBtnColor,
    kBtnFromColor,
    kBtnToColor,
    kImage2,
    kImage3,
    kRxSpeedButton1,
    kLblFont,
    kRxSpeedButton2,
    kLabel4,
    kTreeViewBtn = 130,
    kBtnUp,
    kBtnDown,
    kBtnDele,
    kEditName,
    kEditExe,
    kBtnBrowFile,
    kBtnIcon1,
    kBtnNew,
    kBtnEdit,
    kText1 = 160,
    kText2,
    kLabel2,
    kBtnIcon,
    kBtnBrow,
    kBookmarkFolder,
    kStatic = 199,
  };

  explicit TNewBtnForm(NewBtnFormSetup setup);

  // Creates the dialog, runs it and answers mrOk or mrCancel (also when it could not be created).
  TModalResult ShowModal(HWND owner);
  // The fields as the controls hold them; after the dialog closed, as they held them then.
  NewBtnFormResult ReadBack() const;

  // Test access to the state the controls mirror.
  HWND Control(int id) const { return GetDlgItem(Handle(), id); }

 private:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Ctrl+Tab and Alt+B switch pages, Delete on the list deletes its row.
  bool PreTranslate(const MSG& m) override;
  // Creates the mode's controls, places them in pixels, centres and shows the dialog.
  void OnInitDialog();
  void End(TModalResult result);
  NewBtnFormResult ReadControls() const;
  HWND AddControl(const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w,
                  int h, DWORD exStyle = 0);
  void CreateGroupPage();
  void CreateButtonsPage();
  void CreateButtonPanel();
  void FormShow();
  void ShowPage(int index);
  void FocusControl(HWND control);

  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(NMHDR* header);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnPaint();
  void PaintTitleStripTo(HDC dc);
  void Image1MouseDown();

  // The commit.
  void btnOKClick();
  bool CommitGroup();
  bool CommitButton();
  void Refuse(const EditorRefusal& refusal);
  void FocusField(EditorField field);

  // Group page.
  void ComboBox1Change();
  void PickColor(int id);
  // The palette under the button, and the colour dialog from its last entry; nothing when
  // the user chose nothing.
  std::optional<COLORREF> AskColor(int id, COLORREF current);
  void RxSpeedButton1Click();
  void RxSpeedButton2Click();
  void btnDirClick();
  void btnBrowClick();
  void SelectStyle(int radio);
  void LoadPreviewPicture(bool report);
  void DrawColorButton(const DRAWITEMSTRUCT& item, std::int32_t color);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void DrawLargeIcon(const DRAWITEMSTRUCT& item, bool buttonMode);
  void ApplyFontSample();

  // Buttons page.
  void TabSheet2Show();
  void RefreshRows(const RowChange& rows);
  // Puts the page's state into the controls; `detail` also refills the detail edits.
  void MirrorPage(bool detail = true);
  void ApplyPageResult(const PageResult& result, bool detail = true);
  void TreeViewBtnSelectItem(int row);
  void TreeViewBtnRightClick();
  void BeginRowDrag();
  void RowDragOver();
  void EndRowDrag(bool drop);
  std::optional<std::size_t> RowAtCursor() const;
  void BtnMove(bool up);
  void btnNewClick();
  void btnEditClick();
  void btnDeleClick();
  void btnBrowFileClick();
  // Lets the user choose a file for the target edit; an empty name edit takes its base name.
  void BrowseForTarget(int targetField, int nameField);
  void ShowFileIcon(const std::string& path);
  void AddHint(HWND control, const std::string& hint);
  int RowImage(std::size_t row);

  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  std::uint16_t Kind() const;
  bool ButtonModeShortcut() const;

  NewBtnFormSetup setup_;
  ButtonsPage page_;
  WinEditorFiles files_{true};
  std::unordered_map<std::string, int> iconCache_;  // shortcut rows: file -> system icon
  TModalResult modalResult_ = mrCancel;
  NewBtnFormResult closed_;  // read back as the dialog went away
  int pageIndex_ = 0;
  bool textsModified_ = false;
  bool settingUp_ = true;
  bool mirroring_ = false;
  bool dragging_ = false;
  std::string oldTitle_;
  std::int32_t color_ = 0, fromColor_ = 0, toColor_ = 0;
  GroupFont font_;
  std::string fileName_;  // group mode: the picture; button mode: the button's file
  std::string iconPath_;  // the file whose large icon the icon buttons show
  int iconImage1_ = -1;   // or this ImageList1 image
  bool iconShown_ = true;
  std::wstring dispText_;  // the row text handed to the list view
  PixelBuffer picture_;
  HFONT dialogFont_ = nullptr;  // 宋体 9 pt, GB2312: the template's (the dialog owns it) or ownFont_
  unique_hfont ownFont_;
  unique_hfont sampleFont_;
  unique_hbrush faceBrush_;
  unique_hbrush panel1Brush_;
  unique_hbitmap largeGlyph_;
  HIMAGELIST smallSystemIcons_ = nullptr;  // the shell's, not owned
  HIMAGELIST largeSystemIcons_ = nullptr;
  std::vector<HWND> groupPage_, buttonsPage_;
  HWND hints_ = nullptr;  // tooltips; owned by the dialog window
};

}  // namespace wendlix
