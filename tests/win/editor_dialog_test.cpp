// The editor dialog driven from inside its modal loop: captions, keys, refusals and what
// the group commit writes.
#include <gtest/gtest.h>

#include "core/editor/editor_texts.h"
#include "core/profile/ini_file.h"
#include "support/editor_support.h"
#include "support/win_test_support.h"

namespace wendlix {
namespace {

using namespace testing_support;
using Id = TNewBtnForm::Id;

NewBtnFormSetup ButtonSetup(std::uint16_t kind, const std::string& name, const std::string& target) {
  NewBtnFormSetup s;
  s.GroupMode = false;
  s.Caption = "按钮属性:【" + name + "】";
  s.Kind = kind;
  s.Name = name;
  s.Target = target;
  return s;
}

// The names a screen reader gives the shown fields, in Tab order: the static label just before each (a
// list without one by its own text, in brackets); "?" for a field or a button without a name.
std::vector<std::string> ReaderNames() {
  std::vector<std::string> names;
  HWND before = nullptr;
  for (HWND c = GetWindow(EditorForm(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    const std::wstring cls = ClassOf(c), text = ToWide(WindowText(c));
    if (cls == L"Edit" || cls == L"ComboBox" || cls == WC_LISTVIEWW)
      names.push_back(before && ClassOf(before) == L"Static" ? WindowText(before)
                      : text.empty()                         ? "?"
                                                             : "(" + FromWide(text) + ")");
    if (cls == L"Button" && text.empty()) names.push_back("?");
    before = c;
  }
  return names;
}

TEST(EditorDialog, ButtonModeCaptionsKeysAndRefusals) {
  struct KindCase {
    std::uint16_t kind;
    const char* label2;
    bool browse;
  };
  for (const KindCase& k :
       {KindCase{gkShortcut, "执行文件名(&F):", true}, KindCase{gkWeb, "网址(&Http://):", false},
        KindCase{gkEmail, "电子邮件地址(&M):", false}}) {
    SCOPED_TRACE(k.kind);
    RunEditor({Do([&] {
                EXPECT_EQ(WindowText(Ctl(Id::kLabel2)), k.label2);
                EXPECT_EQ(IsWindowVisible(Ctl(Id::kBtnBrow)) != FALSE, k.browse);
                EXPECT_EQ(ReaderNames(), (std::vector<std::string>{"名    称:", k.label2}));
                Key(VK_ESCAPE);
              })},
              ButtonSetup(k.kind, "名字", "x"), mrCancel);
  }

  {  // Enter commits a web address with its prefix.
    const NewBtnFormResult r =
        RunEditor({Do([] { SetCtlText(Id::kText2, "www.a.cn"); }), Do([] { Key(VK_RETURN); })},
                  ButtonSetup(gkWeb, "甲", "a"), mrOk);
    EXPECT_EQ(r.Name, "甲");
    EXPECT_EQ(r.Target, "HTTP://www.a.cn");
  }
  {  // Alt+F4 answers Cancel.
    RunEditor({Do([] { PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)); })},
              ButtonSetup(gkEmail, "乙", "b@c"), mrCancel);
  }
  {  // A refused name (which names are refused is the core's): the box, and the focus back in it.
    NewBtnFormSetup s = ButtonSetup(gkWeb, "甲", "a.cn");
    s.OtherNames = {"other"};
    const NewBtnFormResult r = RunEditor({Do([] {
                                            SetCtlText(Id::kText1, "OTHER");
                                            Click(Id::kOk);
                                          }),
                                          AnswerBox(nullptr), NoBox(), Do([&] {
                                            EXPECT_EQ(GetDlgCtrlID(GetFocus()), Id::kText1);
                                            SetCtlText(Id::kText1, "新名");
                                            Key(VK_RETURN);
                                          })},
                                         s, mrOk);
    EXPECT_EQ(r.Name, "新名");
  }
}

TEST(EditorDialog, GroupPageTabOrderOnEachPage) {
  TempFolder folder("editor_tabs");
  std::vector<int> order1, order2;
  std::vector<std::string> names1, names2;
  std::vector<EditorScript::Step> steps;
  // Each page's focus, then a Tab after each step until it came round again.
  const auto tabs = [&](std::vector<int>& order, int count) {
    const auto note = Do([o = &order] { o->push_back(GetDlgCtrlID(GetFocus())); });
    steps.push_back(note);
    for (int i = 0; i < count; ++i) {
      steps.push_back(Do([] { Key(VK_TAB); }));
      steps.push_back(note);
    }
  };
  steps.push_back(Do([&] { names1 = ReaderNames(); }));
  tabs(order1, 12);
  steps.push_back(Do(ShowButtonsPage));
  steps.push_back(Do([&] { names2 = ReaderNames(); }));
  tabs(order2, 6);
  steps.push_back(Do([] { Key(VK_ESCAPE); }));
  NewBtnFormSetup s = WebGroupSetup(folder / "g.gpf");
  s.Kind = gkShortcut;
  s.KindEnabled = true;
  s.Folder = folder.Path();
  s.Entries.clear();
  const NewBtnFormResult r = RunEditor(std::move(steps), s, mrCancel);
  // The style radios are one group with one Tab stop.
  EXPECT_EQ(order1, (std::vector<int>{Id::kText3, Id::kComboBox1, Id::kText4, Id::kBtnDir, Id::kRd1,
                                      Id::kBtnColor, Id::kBtnFromColor, Id::kBtnToColor, Id::kRxSpeedButton1,
                                      Id::kRxSpeedButton2, Id::kOk, Id::kCancel, Id::kText3}));
  // An empty folder: only New among the list's buttons is enabled, so Tab skips the rest.
  EXPECT_EQ(order2, (std::vector<int>{Id::kTreeViewBtn, Id::kEditName, Id::kEditExe, Id::kBtnNew, Id::kOk,
                                      Id::kCancel, Id::kTreeViewBtn}));
  EXPECT_EQ(names1, (std::vector<std::string>{"名称:", "工具栏属性:", "指定工具栏目录:"}));
  EXPECT_EQ(names2, (std::vector<std::string>{"(工具栏按钮)", "名称(&N):", "目标(&M):"}));
}

// The group file behind WebGroupSetup.
void WriteWebGroupFile(const std::string& gpf) {
  IniFile f(gpf);
  f.WriteString("Programs  Buttons", "x", "y.lnk");
  for (const ButtonEntry& e : WebGroupSetup(gpf).Entries) f.WriteString("网址  Buttons", e.Name, e.Value);
  ASSERT_TRUE(f.Save());
}

TEST(EditorDialog, EscapeLeavesTheGroupFileAloneAndEnterCommitsTheRows) {
  TempFolder folder("editor_web");
  const std::string gpf = folder / "g.gpf";
  WriteWebGroupFile(gpf);
  const std::string before = ReadBytes(gpf);
  ASSERT_FALSE(before.empty());

  {  // Edits, then Escape: nothing is written, and the fields are still read as the dialog closes.
    const NewBtnFormResult r =
        RunEditor({Do(ShowButtonsPage), Do([] { Click(Id::kBtnDown); }),
                   Do([] { SetCtlText(Id::kText3, "改名"); }), Do([] { Key(VK_ESCAPE); })},
                  WebGroupSetup(gpf), mrCancel);
    EXPECT_EQ(r.Title, "改名");
    EXPECT_EQ(ReadBytes(gpf), before);
  }

  // Row 2 up one place, a new row, a new title: the moves and the refusals are the core's.
  const NewBtnFormResult r =
      RunEditor({Do(ShowButtonsPage), Do([] { SelectRow(2); }), Do([] { Click(Id::kBtnUp); }), Do([] {
                   SetCtlText(Id::kEditName, "丁");
                   SetCtlText(Id::kEditExe, "d.cn");
                   Click(Id::kBtnNew);
                 }),
                 Do([] {
                   SetCtlText(Id::kText3, "收藏");
                   Key(VK_RETURN);
                 })},
                WebGroupSetup(gpf), mrOk);
  EXPECT_EQ(r.Title, "收藏");
  // The old title's section is the bar's to retire, once its groups list names the new title.
  EXPECT_EQ(SectionLines(gpf, "网址  Buttons"),
            (std::vector<std::string>{"甲=HTTP://甲.cn", "乙=HTTP://乙.cn", "丙=HTTP://丙.cn"}));
  EXPECT_EQ(SectionLines(gpf, "收藏  Buttons"),
            (std::vector<std::string>{"甲=HTTP://甲.cn", "丙=HTTP://丙.cn", "乙=HTTP://乙.cn", "丁=d.cn"}));
  EXPECT_EQ(SectionLines(gpf, "Programs  Buttons"), std::vector<std::string>{"x=y.lnk"});
}

TEST(EditorDialog, ARefusalShowsThePageOfItsFieldAndFocusesIt) {
  TempFolder folder("editor_refuse");
  const std::string gpf = folder / "g.gpf";
  WriteWebGroupFile(gpf);
  const std::string before = ReadBytes(gpf);
  std::string text;
  RunEditor({Do([] { SetCtlText(Id::kText3, "Groups"); }), Do(ShowButtonsPage), Do([] { Key(VK_RETURN); }),
             AnswerBox(&text), NoBox(), Do([&] {
               EXPECT_EQ(TabCtrl_GetCurSel(Ctl(Id::kPageControl)), 0);
               EXPECT_EQ(GetDlgCtrlID(GetFocus()), Id::kText3);
               Key(VK_ESCAPE);
             })},
            WebGroupSetup(gpf), mrCancel);
  EXPECT_EQ(text, "|" + std::string(kReservedTitleText) + "|确认(&O)|");
  EXPECT_EQ(ReadBytes(gpf), before);

  // A group file that cannot be saved: the error names it and the dialog stays open.
  std::string saveError;
  const std::string unsavable = folder / "missing\\g.gpf";
  RunEditor({Do([] { SetCtlText(Id::kText3, "新名"); }), Do([] { Key(VK_RETURN); }), AnswerBox(&saveError),
             NoBox(), Do([] {
               EXPECT_NE(EditorForm(), nullptr);
               Key(VK_ESCAPE);
             })},
            WebGroupSetup(unsavable), mrCancel);
  EXPECT_EQ(saveError, "|无法保存工具栏文件\"" + unsavable + "\"！|确认(&O)|");
}

// Puts the pointer over a row's centre, or (row -1) below the last row.
void PointAtRow(int row) {
  const HWND list = Ctl(Id::kTreeViewBtn);
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, row < 0 ? 0 : row, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  if (row < 0) {
    RECT client{};
    GetClientRect(list, &client);
    p.y = client.bottom - 4;
  }
  ClientToScreen(list, &p);
  SetCursorPos(p.x, p.y);
}

void NotifyFromList(UINT code) {
  NMHDR header{Ctl(Id::kTreeViewBtn), static_cast<UINT_PTR>(Id::kTreeViewBtn), code};
  SendMessageW(EditorForm(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

TEST(EditorDialog, RightPressesAndDragsOnTheList) {
  RunEditor({Do(ShowButtonsPage),
             // A right press away from every row changes nothing: row 0 stays selected.
             Do([] { PointAtRow(-1); }), Do([] {
               NotifyFromList(NM_RCLICK);
               EXPECT_EQ(WindowText(Ctl(Id::kEditName)), "甲");
             }),
             // On a web row: the row is selected, and no shell menu opens for an address.
             Do([] { PointAtRow(1); }), Do([] {
               NotifyFromList(NM_RCLICK);
               EXPECT_EQ(WindowText(Ctl(Id::kEditName)), "乙");
               const HWND menu = FindWindowW(L"#32768", nullptr);
               EXPECT_FALSE(menu && IsWindowVisible(menu));
             }),
             // Row 0 dragged onto row 2.
             Do([] { SelectRow(0); }), Do([] { NotifyFromList(LVN_BEGINDRAG); }), Do([] { PointAtRow(2); }),
             Do([] { PostMessageW(EditorForm(), WM_LBUTTONUP, 0, 0); }), Do([] {
               EXPECT_EQ(ListRows(), (std::vector<std::string>{"乙", "丙", "甲"}));
               Key(VK_ESCAPE);
             })},
            WebGroupSetup(""), mrCancel);
}

}  // namespace
}  // namespace wendlix
