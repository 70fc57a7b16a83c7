// The group page: what its colour, style, picture, font and folder controls hand back to the
// caller, each through the dialog the user answers; and a new group whose kind changes after
// its buttons page was built.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "core/profile/ini_file.h"
#include "support/editor_support.h"
#include "support/win_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

// A dialog of this thread other than the editor: the open-file, colour, font or folder dialog.
HWND CommonDialog() {
  HWND found = nullptr;
  ForEachThreadWindow([&](HWND h) {
    if (ClassOf(h) == L"#32770" && IsWindowVisible(h) && h != EditorForm()) found = h;
    return !found;
  });
  return found;
}

HWND PopupMenu() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// Chooses the palette entry `downs` steps down from the top of the open colour menu.
EditorScript::Step ChoosePaletteEntry(int downs) {
  return [downs] {
    const HWND menu = PopupMenu();
    if (!menu) return false;
    for (int i = 0; i < downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
    return true;
  };
}

// Waits for a common dialog, lets `fill` set it up, then presses its OK or Cancel.
EditorScript::Step AnswerDialog(std::function<void(HWND)> fill, int button = IDOK) {
  return [fill, button] {
    const HWND dialog = CommonDialog();
    if (!dialog) return false;
    fill(dialog);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return true;
  };
}

// An entry of a common dialog's combo box chosen, as a user would.
void ChooseInCombo(HWND dialog, int id, int index) {
  const HWND combo = GetDlgItem(dialog, id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// A 2 x 2 24-bit bitmap file.
std::string SmallBitmap() {
  return std::string(
      "\x42\x4D\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x02\x00\x00\x00\x02\x00"
      "\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x10\x00\x00\x00\x13\x0B\x00\x00\x13\x0B\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\x00\x00\x00\xFF\x00\xFF\x00\x00\x00\x00\x00\xFF\x00\xFF\x00\x00\x00",
      70);
}

TEST(EditorGroupPage, ColourStylePictureFontAndFolderReachTheCaller) {
  TempFolder folder("editor_group_page");
  const std::string picture = folder / "背景.bmp";
  ASSERT_TRUE(WriteBytes(picture, SmallBitmap()));
  const std::string chosenFolder = folder / "工具";
  ASSERT_TRUE(CreateDirectoryW(ToWide(chosenFolder).c_str(), nullptr));

  std::string chosenFace;
  int chosenSize = 0;
  const auto checked = [](int id) { return IsDlgButtonChecked(EditorForm(), id) == BST_CHECKED; };
  NewBtnFormSetup s = ShortcutGroupSetup(folder.Path(), folder / "g.gpf");
  s.DrawStyle = 1;
  s.Font = {0, 9, "宋体"};
  const NewBtnFormResult r =
      RunEditor({
                    // The single colour's button selects single-colour filling whatever is answered:
                    // the palette closed without a choice, and the colour dialog cancelled.
                    Do([] { Click(Id::kBtnColor); }),
                    [] { return PopupMenu() && EndMenu(); },
                    Do([&] {
                      EXPECT_TRUE(checked(Id::kRd1));
                      Click(Id::kRd2);
                    }),
                    Do([] { Click(Id::kBtnColor); }),
                    [] {
                      const HWND menu = PopupMenu();
                      if (!menu) return false;
                      PostMessageW(menu, WM_KEYDOWN, VK_UP, 1);  // from the top round to "更多颜色 >>"
                      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
                      return true;
                    },
                    AnswerDialog([](HWND) {}, IDCANCEL),
                    Do([&] {
                      EXPECT_TRUE(checked(Id::kRd1));
                      Click(Id::kBtnFromColor);
                    }),
                    ChoosePaletteEntry(4),  // 黑色
                    Do([&] {
                      EXPECT_TRUE(checked(Id::kRd2));
                      Click(Id::kBtnColor);
                    }),
                    ChoosePaletteEntry(5),  // 红色
                    Do([] { Click(Id::kRxSpeedButton1); }),
                    AnswerDialog([&](HWND dialog) {
                      for (int id : {0x47C /* cmb13 */, 0x480 /* edt1 */})
                        if (const HWND name = GetDlgItem(dialog, id))
                          SetWindowTextW(name, ToWide(picture).c_str());
                    }),
                    NoBox(),
                    Do([] { Click(Id::kRxSpeedButton2); }),
                    AnswerDialog([&](HWND dialog) {
                      // The last face the dialog lists, whatever fonts the system has.
                      const HWND faces = GetDlgItem(dialog, 0x470 /* cmb1 */);
                      const int last = static_cast<int>(SendMessageW(faces, CB_GETCOUNT, 0, 0)) - 1;
                      wchar_t face[LF_FACESIZE] = {};
                      if (last >= 0 && SendMessageW(faces, CB_GETLBTEXTLEN, last, 0) < LF_FACESIZE)
                        SendMessageW(faces, CB_GETLBTEXT, last, reinterpret_cast<LPARAM>(face));
                      chosenFace = FromWide(face);
                      ChooseInCombo(dialog, 0x470, last);
                      ChooseInCombo(dialog, 0x472 /* cmb3, size */, 2);
                      chosenSize = std::stoi(WindowText(GetDlgItem(dialog, 0x472)));
                      ChooseInCombo(dialog, 0x473 /* cmb4, colour */, 1);  // maroon
                    }),
                    Do([] { Click(Id::kBtnDir); }),
                    AnswerDialog([&](HWND dialog) {
                      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                                   reinterpret_cast<LPARAM>(ToWide(chosenFolder).c_str()));
                    }),
                    Do([] { Key(VK_RETURN); }),
                },
                s, mrOk);
  EXPECT_EQ(r.Color, 0x000000FF);      // red
  EXPECT_EQ(r.FromColor, 0x00000000);  // black
  EXPECT_EQ(r.ToColor, 0x008F8F8E);    // as it was
  EXPECT_EQ(r.DrawStyle, 2);           // the picture was chosen last
  EXPECT_EQ(r.PictureFile, picture);
  ASSERT_FALSE(chosenFace.empty());
  EXPECT_EQ(r.Font, (GroupFont{0x00000080, chosenSize, chosenFace}));
  EXPECT_EQ(r.Folder, chosenFolder + "\\");
}

TEST(EditorGroupPage, ANewGroupTurnedIntoAWebGroupAfterItsButtonsPageStoresNoFileNames) {
  TempFolder folder("editor_kind_switch");
  const std::string gpf = folder / "g.gpf";
  ASSERT_TRUE(WriteBytes(folder / "Notepad.lnk", "not read"));
  NewBtnFormSetup s;
  s.Caption = "新建工具栏";
  s.NewItem = true;
  s.Folder = folder.Path();
  s.GroupFile = gpf;
  const NewBtnFormResult r =
      RunEditor({Do([] { SetCtlText(Id::kText3, "新"); }), Do(ShowButtonsPage), Do([&] {
                   EXPECT_EQ(ListRows(), std::vector<std::string>{"Notepad"});
                   HoldControlKey(true);
                   Key(VK_TAB);
                 }),
                 Do([] {
                   HoldControlKey(false);
                   SendMessageW(Ctl(Id::kComboBox1), CB_SETCURSEL, gkWeb, 0);
                   SendMessageW(EditorForm(), WM_COMMAND, MAKEWPARAM(Id::kComboBox1, CBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(Ctl(Id::kComboBox1)));
                 }),
                 Do([] { Key(VK_RETURN); })},
                s, mrOk);
  EXPECT_EQ(r.Kind, gkWeb);
  EXPECT_EQ(IniFile(gpf).ReadSection("新  Buttons"), std::vector<std::string>{});
}

}  // namespace
}  // namespace wendlix
