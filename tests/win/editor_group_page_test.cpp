// A new group whose kind changes after its buttons page was built.
#include <gtest/gtest.h>

#include "core/profile/ini_file.h"
#include "editor_test_support.h"
#include "shell_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

TEST(EditorGroupPage, ANewGroupTurnedIntoAWebGroupAfterItsButtonsPageStoresNoFileNames) {
  TempFolder folder("editor_kind_switch");
  const std::string gpf = folder / "g.gpf";
  ASSERT_TRUE(WriteBytes(folder / "Notepad.lnk", "not read"));
  std::vector<std::string> shortcutRows;
  EditorScript script({WaitForEditor(), Do([] { SetCtlText(Id::kText3, "新"); }),
                       Do([] { PostMessageW(GetFocus(), WM_SYSKEYDOWN, 'B', 1 | (1 << 29)); }),
                       Do([&] {
                         shortcutRows = ListRows();
                         HoldControlKey(true);
                         Key(VK_TAB);
                       }),
                       Do([] {
                         HoldControlKey(false);
                         SendMessageW(Ctl(Id::kComboBox1), CB_SETCURSEL, gkWeb, 0);
                         SendMessageW(EditorForm(), WM_COMMAND, MAKEWPARAM(Id::kComboBox1, CBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(Ctl(Id::kComboBox1)));
                       }),
                       Do([] { Key(VK_RETURN); })});
  NewBtnFormSetup s;
  s.Caption = "新建工具栏";
  s.NewItem = true;
  s.Folder = folder.Path();
  s.GroupFile = gpf;
  const NewBtnFormResult r = ShowEditor(s);
  EXPECT_TRUE(script.Finished()) << script.StepReached();
  EXPECT_EQ(shortcutRows, std::vector<std::string>{"Notepad"});
  EXPECT_EQ(r.ModalResult, 1);
  EXPECT_EQ(r.Kind, gkWeb);
  EXPECT_EQ(IniFile(gpf).ReadSection("新  Buttons"), std::vector<std::string>{});
}

}  // namespace
}  // namespace wendlix
