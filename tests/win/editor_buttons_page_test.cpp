// The buttons page under the user's hands: what was typed survives a refusal and another
// showing of the page, the move buttons repeat while held, a drag scrolls the list at its
// edges, and the browse button tells what it does.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/editor_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

std::pair<std::string, std::string> DetailTexts() {
  return {WindowText(Ctl(Id::kEditName)), WindowText(Ctl(Id::kEditExe))};
}

TEST(EditorButtonsPage, TypedTextOutlivesARefusedChangeAndAnotherShowingOfThePage) {
  using Texts = std::pair<std::string, std::string>;
  Texts duringRefusal, afterRefusal, afterReturn;
  std::vector<int> pages;
  EditorScript script({WaitForEditor(), Do(ShowButtonsPage), Do([] {
                         // Row 0 renamed to row 1's name: refused.
                         SetCtlText(Id::kEditName, "乙");
                         SetCtlText(Id::kEditExe, "x.cn");
                         Click(Id::kBtnEdit);
                       }),
                       [&] {
                         if (!MessageBoxForm()) return false;
                         duringRefusal = DetailTexts();
                         return true;
                       },
                       AnswerBox(nullptr), NoBox(), Do([&] {
                         afterRefusal = DetailTexts();
                         // A new entry half typed, then the first page and back.
                         SetCtlText(Id::kEditName, "丁");
                         SetCtlText(Id::kEditExe, "d.c");
                         ShowButtonsPage();
                       }),
                       // Ctrl+Tab, which the dialog manager does not know, turns the pages.
                       Do([] {
                         HoldControlKey(true);
                         Key(VK_TAB);
                       }),
                       Do([&] {
                         pages.push_back(TabCtrl_GetCurSel(Ctl(Id::kPageControl)));
                         Key(VK_TAB);
                       }),
                       Do([&] {
                         HoldControlKey(false);
                         pages.push_back(TabCtrl_GetCurSel(Ctl(Id::kPageControl)));
                         afterReturn = DetailTexts();
                         Key(VK_ESCAPE);
                       })});
  EXPECT_EQ(ShowEditor(WebGroupSetup("", {"甲", "乙"})).ModalResult, mrCancel);
  EXPECT_TRUE(script.Finished()) << script.StepReached();
  EXPECT_EQ(duringRefusal, (Texts{"乙", "x.cn"}));
  EXPECT_EQ(afterRefusal, (Texts{"乙", "x.cn"}));
  EXPECT_EQ(pages, (std::vector<int>{0, 1}));
  EXPECT_EQ(afterReturn, (Texts{"丁", "d.c"}));
}

// The screen point in the middle of a control.
POINT CentreOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Press(int id, UINT message) {
  const HWND button = Ctl(id);
  const POINT p = CentreOf(button);
  SetCursorPos(p.x, p.y);
  RECT r{};
  GetClientRect(button, &r);
  PostMessageW(button, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
               MAKELPARAM(r.right / 2, r.bottom / 2));
}

// The list's first visible row.
int TopRow() { return static_cast<int>(SendMessageW(Ctl(Id::kTreeViewBtn), LVM_GETTOPINDEX, 0, 0)); }

// Points at a row, inside the list even when the row is cut by its bottom edge.
void PointInRow(int row) {
  const HWND list = Ctl(Id::kTreeViewBtn);
  RECT r{}, client{};
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  GetClientRect(list, &client);
  POINT p{(r.left + r.right) / 2, std::min((r.top + r.bottom) / 2, client.bottom - 2)};
  ClientToScreen(list, &p);
  SetCursorPos(p.x, p.y);
  PostMessageW(EditorForm(), WM_MOUSEMOVE, MK_LBUTTON, 0);
}

// The row cut by the list's bottom edge.
int BottomRow() {
  const HWND list = Ctl(Id::kTreeViewBtn);
  return TopRow() + static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
}

TEST(EditorButtonsPage, MovesRepeatWhileHeldDragsScrollAtTheEdgesAndBrowseHasItsHint) {
  std::vector<std::string> names;
  for (int i = 0; i < 20; ++i) names.push_back("r" + std::to_string(i));
  std::vector<std::string> afterHold, afterClick;
  int topBefore = -1, topAfterBottom = -1, topAfterTop = -1;
  HWND focusAtTop = nullptr;
  bool upAtTop = true;
  HWND list = nullptr;
  std::string hint;
  const auto row = [](int i) { return ListRows().at(static_cast<std::size_t>(i)); };
  EditorScript script({
      WaitForEditor(),
      Do(ShowButtonsPage),
      // One press, held: r3 goes up place after place to the top, where Up is disabled and
      // the focus it had goes to the list.
      Do([] { SelectRow(3); }),
      Do([] { Press(Id::kBtnUp, WM_LBUTTONDOWN); }),
      [&] { return row(0) == "r3"; },
      Do([&] {
        focusAtTop = GetFocus();
        upAtTop = IsWindowEnabled(Ctl(Id::kBtnUp)) != FALSE;
        Press(Id::kBtnUp, WM_LBUTTONUP);
        afterHold = ListRows();
      }),
      // A click moves by one place, not once for the press and again for the release.
      Do([] {
        SelectRow(0);
        Press(Id::kBtnDown, WM_LBUTTONDOWN);
        Press(Id::kBtnDown, WM_LBUTTONUP);
      }),
      Do([&] {
        afterClick = ListRows();
        list = Ctl(Id::kTreeViewBtn);
        hint = ToolHint(Ctl(Id::kBtnBrowFile));
        SelectRow(2);
      }),
      // A drag to the row cut by the bottom edge brings that row to the top; on the top row
      // the list goes back up by one.
      Do([] {
        NMHDR header{Ctl(Id::kTreeViewBtn), static_cast<UINT_PTR>(Id::kTreeViewBtn), LVN_BEGINDRAG};
        SendMessageW(EditorForm(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
      }),
      Do([&] {
        topBefore = TopRow();
        PointInRow(BottomRow());
      }),
      Do([&] {
        topAfterBottom = TopRow();
        PointInRow(TopRow());
      }),
      Do([&] {
        topAfterTop = TopRow();
        PostMessageW(EditorForm(), WM_LBUTTONUP, 0, 0);
      }),
      Do([] { Key(VK_ESCAPE); }),
  });
  EXPECT_EQ(ShowEditor(WebGroupSetup("", names)).ModalResult, mrCancel);
  EXPECT_TRUE(script.Finished()) << script.StepReached();
  ASSERT_EQ(afterHold.size(), 20u);
  EXPECT_EQ(std::vector<std::string>(afterHold.begin(), afterHold.begin() + 4),
            (std::vector<std::string>{"r3", "r0", "r1", "r2"}));
  EXPECT_FALSE(upAtTop);
  EXPECT_EQ(focusAtTop, list);
  ASSERT_GE(afterClick.size(), 2u);
  EXPECT_EQ(afterClick[1], afterHold[0]);
  EXPECT_EQ(afterClick[0], afterHold[1]);
  EXPECT_EQ(afterClick[2], afterHold[2]);
  // How far each move scrolls is the core's; here the list follows the pointer both ways.
  EXPECT_EQ(topBefore, 0);
  EXPECT_GT(topAfterBottom, 5);
  EXPECT_LT(topAfterTop, topAfterBottom);
  EXPECT_EQ(hint, "查找文件");
}

}  // namespace
}  // namespace wendlix
