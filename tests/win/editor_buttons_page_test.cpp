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
  RunEditor({Do(ShowButtonsPage), Do([] {
               // Row 0 renamed to row 1's name: refused.
               SetCtlText(Id::kEditName, "乙");
               SetCtlText(Id::kEditExe, "x.cn");
               Click(Id::kBtnEdit);
             }),
             [] {
               if (!MessageBoxForm()) return false;
               EXPECT_EQ(DetailTexts(), (Texts{"乙", "x.cn"}));
               return true;
             },
             AnswerBox(nullptr), NoBox(), Do([] {
               EXPECT_EQ(DetailTexts(), (Texts{"乙", "x.cn"}));
               // A new entry half typed, then the first page and back.
               SetCtlText(Id::kEditName, "丁");
               SetCtlText(Id::kEditExe, "d.c");
             }),
             // Ctrl+Tab, which the dialog manager does not know, turns the pages.
             Do([] {
               HoldControlKey(true);
               Key(VK_TAB);
             }),
             Do([] {
               EXPECT_EQ(TabCtrl_GetCurSel(Ctl(Id::kPageControl)), 0);
               Key(VK_TAB);
             }),
             Do([] {
               HoldControlKey(false);
               EXPECT_EQ(TabCtrl_GetCurSel(Ctl(Id::kPageControl)), 1);
               EXPECT_EQ(DetailTexts(), (Texts{"丁", "d.c"}));
               Key(VK_ESCAPE);
             })},
            WebGroupSetup("", {"甲", "乙"}), mrCancel);
  HoldControlKey(false);
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
  const auto firstRows = [] {
    const std::vector<std::string> rows = ListRows();
    return std::vector<std::string>(rows.begin(), rows.begin() + 4);
  };
  int topAfterBottom = -1;
  RunEditor(
      {
          Do(ShowButtonsPage),
          // One press, held: r3 goes up place after place to the top, where Up is disabled and
          // the focus it had goes to the list.
          Do([] { SelectRow(3); }),
          Do([] { Press(Id::kBtnUp, WM_LBUTTONDOWN); }),
          [] { return ListRows().at(0) == "r3"; },
          Do([&] {
            EXPECT_EQ(GetFocus(), Ctl(Id::kTreeViewBtn));
            EXPECT_FALSE(IsWindowEnabled(Ctl(Id::kBtnUp)));
            Press(Id::kBtnUp, WM_LBUTTONUP);
            EXPECT_EQ(firstRows(), (std::vector<std::string>{"r3", "r0", "r1", "r2"}));
          }),
          // A click moves by one place, not once for the press and again for the release.
          Do([] {
            SelectRow(0);
            Press(Id::kBtnDown, WM_LBUTTONDOWN);
            Press(Id::kBtnDown, WM_LBUTTONUP);
          }),
          Do([&] {
            EXPECT_EQ(firstRows(), (std::vector<std::string>{"r0", "r3", "r1", "r2"}));
            EXPECT_EQ(ToolHint(Ctl(Id::kBtnBrowFile)), "查找文件");
            SelectRow(2);
          }),
          // A drag to the row cut by the bottom edge brings that row to the top; on the top row
          // the list goes back up by one. How far each move scrolls is the core's.
          Do([] {
            NMHDR header{Ctl(Id::kTreeViewBtn), static_cast<UINT_PTR>(Id::kTreeViewBtn), LVN_BEGINDRAG};
            SendMessageW(EditorForm(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
          }),
          Do([] {
            EXPECT_EQ(TopRow(), 0);
            PointInRow(BottomRow());
          }),
          Do([&] {
            topAfterBottom = TopRow();
            EXPECT_GT(topAfterBottom, 5);
            PointInRow(TopRow());
          }),
          Do([&] {
            EXPECT_LT(TopRow(), topAfterBottom);
            PostMessageW(EditorForm(), WM_LBUTTONUP, 0, 0);
          }),
          Do([] { Key(VK_ESCAPE); }),
      },
      WebGroupSetup("", names), mrCancel);
}

}  // namespace
}  // namespace wendlix
