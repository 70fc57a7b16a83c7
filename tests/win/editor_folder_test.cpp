// The editor on a shortcut group's real folder: the files behind New, Change and Delete,
// and the folder service the page reads through.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/editor/editor_texts.h"
#include "core/profile/ini_file.h"
#include "core/shell/shortcut_data.h"
#include "core/text/paths.h"
#include "support/editor_support.h"
#include "support/win_test_support.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// a.lnk (with arguments), b.url, c.pif, d.scf, sub\ and hidden h.lnk.
void FillFolder(const TempFolder& folder) {
  TShortCutData link;
  link.LinkFile = folder / "a.lnk";
  link.Target = WindowsPath("notepad.exe");
  link.Arguments = "/x";
  ASSERT_TRUE(CreateShortcut(link));
  link.LinkFile = folder / "h.lnk";
  link.Arguments.clear();
  ASSERT_TRUE(CreateShortcut(link));
  SetFileAttributesW(ToWide(folder / "h.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(WriteBytes(folder / "b.url", "[InternetShortcut]\r\nURL=http://b.cn/\r\n"));
  ASSERT_TRUE(WriteBytes(folder / "c.pif", std::string(16, 'p')));
  ASSERT_TRUE(WriteBytes(folder / "d.scf", "[Shell]\r\nCommand=2\r\n"));
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder / "sub").c_str(), nullptr));
}

// What the dialog below does not reach: targets of other kinds and failures.
TEST(EditorFiles, ReadsTargetsOfEachKindAndFailsQuietly) {
  TempFolder folder("editor_files");
  FillFolder(folder);
  WinEditorFiles files;
  EXPECT_EQ(files.ReadLinkTarget(folder / "b.url"), "http://b.cn/");
  EXPECT_EQ(files.ReadLinkTarget(folder / "missing.lnk"), "");  // a shell error reads as no target
  EXPECT_EQ(files.ReadLinkTarget(folder / "c.pif"), "");
  EXPECT_EQ(files.MakeShortcutFile("C:\\x.exe", folder / "no\\such\\dir\\x.lnk"), "");
  EXPECT_FALSE(files.DeleteFile(folder / "missing.lnk"));
}

TEST(EditorDialog, ShortcutGroupNewChangeDeleteOnARealFolder) {
  TempFolder folder("editor_kind0");
  FillFolder(folder);
  const std::string gpf = folder / "g.gpf";
  const std::string notepad = WindowsPath("notepad.exe");

  std::vector<std::string> rowsAtStart, rowsAtEnd;
  std::string failedDelete, confirm;
  HANDLE held = INVALID_HANDLE_VALUE;
  auto rowOf = [](const std::string& caption) {
    const std::vector<std::string> rows = ListRows();
    return static_cast<int>(std::find(rows.begin(), rows.end(), caption) - rows.begin());
  };
  const NewBtnFormResult r = RunEditor(
      {
          Do(ShowButtonsPage),
          Do([&] {
            // Sub-folders first, hidden files too; the rest in the folder's own order.
            rowsAtStart = ListRows();
            EXPECT_EQ(rowsAtStart.front(), "sub");
            EXPECT_EQ(Sorted(rowsAtStart), (std::vector<std::string>{"a", "b", "c", "d", "h", "sub"}));
            SelectRow(rowOf("d"));
          }),
          Do([&] {
            EXPECT_FALSE(
                IsWindowEnabled(Ctl(Id::kBtnDele)));  // a .scf entry moves but is not changed or deleted
            EXPECT_TRUE(IsWindowEnabled(Ctl(Id::kBtnUp)));  // below "sub", so it can move up
            SelectRow(rowOf("a"));
          }),
          Do([&] {
            EXPECT_TRUE(IsWindowEnabled(Ctl(Id::kBtnDele)));
            EXPECT_EQ(WindowText(Ctl(Id::kEditExe)), notepad);
            SetCtlText(Id::kEditName, "Notepad");
            SetCtlText(Id::kEditExe, notepad);
            Click(Id::kBtnNew);
          }),
          Do([&] { Click(Id::kBtnNew); }),  // the same name again: a numbered file
          Do([&] {
            rowsAtStart.insert(rowsAtStart.end(), {"Notepad", "Notepad(1)"});
            EXPECT_EQ(ListRows(), rowsAtStart);
            SelectRow(rowOf("a"));
          }),
          Do([&] {
            SetCtlText(Id::kEditName, "A2");
            Click(Id::kBtnEdit);
          }),
          Do([&] { SelectRow(rowOf("h")); }),
          Do([] { Click(Id::kBtnDele); }),
          AnswerBox(&confirm),
          NoBox(),
          Do([&] {
            held = CreateFileW(ToWide(folder / "b.url").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
            SelectRow(rowOf("b"));
          }),
          Do([] { SetFocus(Ctl(Id::kTreeViewBtn)); }),
          Do([] { Key(VK_DELETE); }),
          AnswerBox(nullptr),
          AnswerBox(&failedDelete),
          NoBox(),
          Do([&] {
            CloseHandle(held);
            rowsAtEnd = ListRows();
            Key(VK_RETURN);
          }),
      },
      ShortcutGroupSetup(folder.Path(), gpf), mrOk);
  EXPECT_EQ(r.Folder, folder.Path());
  EXPECT_TRUE(Exists(folder / "Notepad.lnk"));
  EXPECT_TRUE(Exists(folder / "Notepad(1).lnk"));
  // Change replaced a.lnk by A2.lnk on the same target, keeping what else the old link carried:
  // its arguments, and its working folder (none was set).
  EXPECT_FALSE(Exists(folder / "a.lnk"));
  TShortCutData a2;
  ASSERT_TRUE(ReadShortcut(folder / "A2.lnk", a2));
  EXPECT_EQ((std::vector<std::string>{a2.Target, a2.WorkDir, a2.Arguments}),
            (std::vector<std::string>{notepad, "", "/x"}));
  // The hidden link was deleted after the confirmation; the held .url stayed, with an error.
  EXPECT_EQ(confirm, "|你是否确认要删除按钮:\"h\"?|确认(&O)|取消(&C)|");
  EXPECT_FALSE(Exists(folder / "h.lnk"));
  EXPECT_TRUE(Exists(folder / "b.url"));
  EXPECT_EQ(failedDelete,
            "|" + std::string(kLinkDeleteFailedText) + "\r\r\"" + (folder / "b.url") + "\"|确认(&O)|");
  // The commit stored the rows in order, each name with its own file.
  EXPECT_EQ(IniFile(gpf).ReadSection("程序  Buttons"), rowsAtEnd);
  EXPECT_EQ(Sorted(SectionLines(gpf, "程序  Buttons")),
            (std::vector<std::string>{"A2=A2.lnk", "Notepad(1)=Notepad(1).lnk", "Notepad=Notepad.lnk",
                                      "b=b.url", "c=c.pif", "d=d.scf", "sub=sub"}));
}

TEST(EditorDialog, NamesNoKeyCanHoldDoNotStopTheCommit) {
  // Names the group file cannot hold as keys: the commit stores the others, says nothing, and
  // the bar lists these after them in folder order.
  TempFolder folder("editor_odd_names");
  const std::string gpf = folder / "g.gpf";
  for (const char* name : {"[Old]", "a=b", " lead", "\xF0\x9F\x98\x80", "b", "c"})
    ASSERT_TRUE(
        WriteBytes(folder / (std::string(name) + ".url"), "[InternetShortcut]\r\nURL=http://x.cn/\r\n"))
        << name;
  std::vector<std::string> rows;
  std::string box;
  EditorScript script({WaitForEditor(), Do(ShowButtonsPage), Do([&] {
                         rows = ListRows();
                         const auto c = std::find(rows.begin(), rows.end(), "c");
                         SelectRow(static_cast<int>(c - rows.begin()));
                       }),
                       Do([] { Click(Id::kBtnUp); }), Do([&] {
                         rows = ListRows();
                         Key(VK_RETURN);
                       }),
                       // Never done: a dialog kept open by a message is closed when the script stalls.
                       [&] {
                         if (const HWND shown = MessageBoxForm()) box = BoxText(shown);
                         return false;
                       }});
  const NewBtnFormResult r = ShowEditor(ShortcutGroupSetup(folder.Path(), gpf));
  EXPECT_EQ(box, "");
  EXPECT_EQ(r.ModalResult, mrOk);
  ASSERT_EQ(rows.size(), 6u);
  std::vector<std::string> storable;
  for (const std::string& row : rows)
    if (row == "b" || row == "c") storable.push_back(row + "=" + row + ".url");
  EXPECT_EQ(SectionLines(gpf, "程序  Buttons"), storable);
}

TEST(EditorDialog, CancelAfterNewKeepsTheLinkAndWritesNoGroupFile) {
  TempFolder folder("editor_cancel");
  const std::string gpf = folder / "g.gpf";
  NewBtnFormSetup s;
  s.Caption = "新建工具栏";
  s.NewItem = true;
  s.Title = "新";
  s.Folder = folder.Path();
  s.GroupFile = gpf;
  RunEditor({Do(ShowButtonsPage), Do([] {
               SetCtlText(Id::kEditName, "记事本");
               SetCtlText(Id::kEditExe, WindowsPath("notepad.exe"));
               Click(Id::kBtnNew);
             }),
             Do([] { Key(VK_ESCAPE); })},
            s, mrCancel);
  EXPECT_TRUE(Exists(folder / "记事本.lnk"));
  EXPECT_FALSE(Exists(gpf));
}

}  // namespace
}  // namespace wendlix
