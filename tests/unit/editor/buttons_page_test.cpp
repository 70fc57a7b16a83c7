#include "core/editor/buttons_page.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"
#include "core/editor/editor_texts.h"
#include "core/text/ascii.h"
#include "support/fake_editor_files.h"

namespace wendlix {
namespace {

using Strings = std::vector<std::string>;

using FakeFiles = testing_support::FakeEditorFiles;

Strings Names(const ButtonsPage& page) {
  Strings names;
  for (const ButtonEntry& e : page.Entries().Entries()) names.push_back(e.Name);
  return names;
}
Strings Values(const ButtonsPage& page) { return page.Entries().BtnValues(); }

ButtonsPage WebPage(FakeFiles& files, const Strings& names) {
  std::vector<ButtonEntry> entries;
  for (const std::string& n : names) entries.push_back({n, "http://" + n + ".cn", 0});
  ButtonsPage page(entries);
  page.Show("", gkWeb, files);
  return page;
}

TEST(ButtonsPage, BuildsFromTheFolderInSavedOrderAndRebuildsOnlyWhenNeeded) {
  FakeFiles fs;
  for (const char* f :
       {"D:\\T\\Sub", "D:\\T\\a.lnk", "D:\\T\\b.url", "D:\\T\\c.lnk", "D:\\U\\c.lnk", "D:\\U\\d.pif"})
    fs.Add(f);
  ButtonsPage page({{"C", "c.lnk", 0}, {"Gone", "gone.lnk", 0}, {"A", "A.LNK", 0}});
  EXPECT_EQ(page.Show("D:\\T", gkShortcut, fs).What, RowChange::Kind::kRebuilt);
  // Saved names still present first, in saved order and the folder's spelling; new ones after.
  EXPECT_EQ(Values(page), (Strings{"c.lnk", "a.lnk", "b.url", "Sub"}));
  EXPECT_EQ(Names(page), (Strings{"c", "a", "b", "Sub"}));
  EXPECT_EQ(page.Entries()[0].ImageIndex, 10);  // the icon of "D:\T\c.lnk"
  EXPECT_EQ(page.Entries().Selected(), 0u);
  EXPECT_FALSE(page.Modified());

  page.MoveDown(fs);
  EXPECT_EQ(page.Show("D:\\T", gkShortcut, fs).What, RowChange::Kind::kNone);  // edits stand
  EXPECT_EQ(Values(page)[0], "a.lnk");
  page.Show("D:\\U\\", gkShortcut, fs);  // another folder: the edited order where names meet
  EXPECT_EQ(Values(page), (Strings{"c.lnk", "d.pif"}));

  // A new group's kind can change after a build: the list follows it, from the caller's lists.
  ButtonsPage fresh({{"Boss", "MAILTO:boss@a.cn", 0}});
  fresh.Show("D:\\T\\", gkShortcut, fs);
  EXPECT_EQ(fresh.Entries().Count(), 4u);
  fresh.Show("D:\\T\\", gkEmail, fs);
  EXPECT_EQ(fresh.Entries().Entries(),
            (std::vector<ButtonEntry>{{"Boss", "MAILTO:boss@a.cn", kEmailRowImage}}));
  EXPECT_FALSE(fresh.Controls().btnBrowFileVisible);
  EXPECT_FALSE(fresh.NeedsBuild("D:\\T\\", gkEmail));

  // No folder lists nothing (not the current folder); an empty list is built again next time.
  ButtonsPage none;
  none.Show("", gkShortcut, fs);
  EXPECT_TRUE(none.Entries().Empty());
  EXPECT_TRUE(none.NeedsBuild("", gkShortcut));
  EXPECT_EQ(none.Controls(),
            (ButtonPageControls{true, false, false, false, false, false, true}));  // btnNew only
}

TEST(ButtonsPage, AKindChangeKeepsTypedAddressesAndNeverCommitsFileNamesAsAddresses) {
  FakeFiles fs;
  fs.Add("D:\\T\\Notepad.lnk", "C:\\n.exe");
  ButtonsPage page;  // a new group: the caller passed no buttons
  page.Show("", gkWeb, fs);
  for (const auto& [name, typed] :
       {std::pair{"甲", "a.cn"}, {"乙", "see http://b.cn"}, {"丙", "https://c.cn"}})
    ASSERT_TRUE(page.New(name, typed, fs).Done);
  // Between web and e-mail each row keeps its name and what was typed after the prefix.
  page.Show("", gkEmail, fs);
  EXPECT_EQ(page.Entries().Entries(), (std::vector<ButtonEntry>{{"甲", "a.cn", kEmailRowImage},
                                                                {"乙", "b.cn", kEmailRowImage},
                                                                {"丙", "https://c.cn", kEmailRowImage}}));
  page.Show("D:\\T\\", gkShortcut, fs);
  EXPECT_EQ(Values(page), Strings{"Notepad.lnk"});
  page.Show("D:\\T\\", gkWeb, fs);  // the addresses typed before, never the folder's files
  EXPECT_EQ(Values(page), (Strings{"a.cn", "b.cn", "https://c.cn"}));

  // Rows built for another kind or folder are built again before the commit takes them.
  ButtonsPage fresh;
  fresh.Show("D:\\T\\", gkShortcut, fs);
  EXPECT_EQ(fresh.BuildForCommit("D:\\T\\", gkWeb, fs).What, RowChange::Kind::kRebuilt);
  EXPECT_TRUE(fresh.Entries().Empty());
  EXPECT_EQ(fresh.BuildForCommit("D:\\T\\", gkWeb, fs).What, RowChange::Kind::kNone);
  // A list never built is the caller's, and the commit takes it as it is.
  ButtonsPage never({{"A", "a.lnk", 0}});
  EXPECT_EQ(never.BuildForCommit("D:\\T\\", gkShortcut, fs).What, RowChange::Kind::kNone);
  EXPECT_EQ(Values(never), Strings{"a.lnk"});
}

TEST(ButtonsPage, SelectionDecidesDetailAndEnabledStates) {
  FakeFiles fs;
  fs.Add("D:\\T\\a.lnk", "C:\\a.exe");
  fs.Add("D:\\T\\b.SCF");
  fs.Add("D:\\T\\c.pif", "ignored");
  fs.Add("D:\\T\\Sub");
  fs.Add("D:\\T\\z.url", "http://z");
  ButtonsPage page({{"A", "a.lnk", 0}, {"B", "b.SCF", 0}, {"S", "Sub", 0}, {"C", "c.pif", 0}});
  page.Show("D:\\T\\", gkShortcut, fs);
  struct Case {
    std::size_t row;
    bool edit;  // change, delete and browse
    bool up, down;
    const char* exe;
  } cases[] = {
      {0, true, false, true, "C:\\a.exe"}, {1, false, true, true, ""},
      {2, false, true, true, ""},          {3, true, true, true, ""},  // .pif is not read
      {4, true, true, false, "http://z"},
  };
  for (const Case& c : cases) {
    page.SelectRow(c.row, fs);
    const ButtonPageControls& k = page.Controls();
    EXPECT_TRUE(k.btnNew && k.btnEdit == c.edit && k.btnDele == c.edit && k.btnBrowFile == c.edit) << c.row;
    EXPECT_EQ(k.BtnUp, c.up) << c.row;
    EXPECT_EQ(k.BtnDown, c.down) << c.row;
    EXPECT_EQ(page.Detail().EditExe, c.exe) << c.row;
  }
  // A shortcut that vanished since the build shows no target rather than the last row's.
  fs.files.erase("D:\\T\\A.LNK");
  page.SelectRow(0, fs);
  EXPECT_EQ(page.Detail().EditName, "a");
  EXPECT_EQ(page.Detail().EditExe, "");
  // No row, or one past the last (a list box's stale index): nothing selected or enabled.
  for (std::optional<std::size_t> none : {std::optional<std::size_t>(), std::optional<std::size_t>(5)}) {
    page.SelectRow(none, fs);
    EXPECT_FALSE(page.Controls().btnEdit || page.Controls().BtnUp || page.Controls().BtnDown);
    EXPECT_EQ(page.Entries().Selected(), std::nullopt);
  }

  ButtonsPage mail({{"Boss", "MAILTO:boss@a.cn", 0}});
  mail.Show("", gkEmail, fs);
  EXPECT_EQ(mail.Detail(),
            (ButtonDetail{"Boss", "boss@a.cn", ButtonDetail::Icon::kImageList1, "", kEmailRowImage}));
}

TEST(ButtonsPage, MovesStopAtTheEndsAndDragsShiftTheRowsBetween) {
  FakeFiles fs;
  ButtonsPage page = WebPage(fs, {"r0", "r1", "r2", "r3"});
  EXPECT_FALSE(page.MoveUp(fs).Done);
  int moves = 0;
  while (page.MoveDown(fs).Done) ++moves;  // what auto-repeat does
  EXPECT_EQ(moves, 3);
  EXPECT_EQ(Names(page), (Strings{"r1", "r2", "r3", "r0"}));
  EXPECT_TRUE(page.Controls().BtnUp && !page.Controls().BtnDown);
  EXPECT_EQ(page.MoveUp(fs).Rows, (RowChange{RowChange::Kind::kSwapped, 3, 2}));
  EXPECT_TRUE(page.Modified());

  struct Case {
    std::size_t from, to;
    Strings order;
  } drags[] = {
      {0, 3, {"r1", "r2", "r3", "r0"}},
      {3, 0, {"r3", "r0", "r1", "r2"}},
      {1, 2, {"r0", "r2", "r1", "r3"}},
  };
  for (const Case& d : drags) {
    ButtonsPage p = WebPage(fs, {"r0", "r1", "r2", "r3"});
    p.SelectRow(d.from, fs);
    EXPECT_FALSE(p.CanDrop(d.from) || p.CanDrop(4));  // onto itself, past the end
    EXPECT_TRUE(p.Drop(d.to, fs).Done);
    EXPECT_EQ(Names(p), d.order);
    EXPECT_EQ(Values(p)[d.to], "http://r" + std::to_string(d.from) + ".cn");  // values moved with names
    EXPECT_EQ(p.Entries().Selected(), d.to);
  }
}

TEST(ButtonsPage, DeleteSelectsTheSameIndexThenTheLastThenNothing) {
  FakeFiles fs;
  ButtonsPage page = WebPage(fs, {"a", "b", "c"});
  page.SelectRow(1, fs);
  EXPECT_EQ(page.DeleteConfirmText(), "你是否确认要删除按钮:\"b\"?");
  page.Delete(fs);
  EXPECT_EQ(Names(page), (Strings{"a", "c"}));
  EXPECT_EQ(page.Detail().EditName, "c");
  page.Delete(fs);
  EXPECT_EQ(page.Entries().Selected(), 0u);
  EXPECT_TRUE(page.Delete(fs).Done);
  EXPECT_FALSE(page.Entries().Selected());
  EXPECT_FALSE(page.Controls().btnEdit || page.Controls().btnDele || page.Controls().BtnUp);
  EXPECT_FALSE(page.Delete(fs).Done || page.Change("x", "y", fs).Done || page.MoveDown(fs).Done);

  // Shortcut groups delete the file first; a file that stays keeps its row; folders stay.
  for (const char* f : {"D:\\T\\Sub", "D:\\T\\a.lnk", "D:\\T\\b.lnk"}) fs.Add(f);
  fs.undeletable.insert("D:\\T\\b.lnk");
  ButtonsPage links;
  links.Show("D:\\T\\", gkShortcut, fs);
  ASSERT_EQ(Values(links), (Strings{"a.lnk", "b.lnk", "Sub"}));
  for (std::size_t row : {1, 2}) {
    links.SelectRow(row, fs);
    EXPECT_FALSE(links.Delete(fs).Done) << row;
  }
  links.SelectRow(0, fs);
  EXPECT_TRUE(links.Delete(fs).Done);
  EXPECT_FALSE(fs.Has("D:\\T\\a.lnk"));
  EXPECT_EQ(Values(links), (Strings{"b.lnk", "Sub"}));
}

TEST(ButtonsPage, NewAndChangeInWebAndEmailGroups) {
  FakeFiles fs;
  ButtonsPage web = WebPage(fs, {"a"});
  const PageResult blank = web.New("b", "  ", fs);
  EXPECT_FALSE(blank.Done || blank.Refusal);  // nothing, and no message
  EXPECT_TRUE(web.New("b", "www.b.cn", fs).Done);
  EXPECT_TRUE(web.New("c", "see hTTp://c.cn", fs).Done);
  EXPECT_EQ(Values(web), (Strings{"http://a.cn", "www.b.cn", "HTTP://c.cn"}));
  EXPECT_EQ(web.Entries().Selected(), 0u);                                      // a new row is not selected
  EXPECT_EQ(web.New("A", "dup.cn", fs).Refusal->Focus, EditorField::kRowName);  // one key per name
  EXPECT_EQ(web.New("d", "d\n.cn", fs).Refusal->Focus, EditorField::kRowTarget);

  web.SelectRow(1, fs);
  EXPECT_EQ(web.Change("", "b.cn", fs).Refusal->Text, kNameBlankText);
  EXPECT_EQ(web.Change("b", " ", fs).Refusal->Text, kWebAddressBlankText);
  EXPECT_TRUE(web.Change("c", "x", fs).Refusal);          // another row's name
  EXPECT_TRUE(web.Change("B", "https://b.cn", fs).Done);  // its own, in another case
  EXPECT_EQ(web.Entries()[1], (ButtonEntry{"B", "https://b.cn", kWebRowImage}));

  ButtonsPage mail;
  mail.Show("", gkEmail, fs);
  mail.New("Boss", "mailto:boss@a.cn", fs);
  EXPECT_EQ(mail.Entries()[0], (ButtonEntry{"Boss", "MAILTO:boss@a.cn", kEmailRowImage}));  // image 8 at once
}

TEST(ButtonsPage, NewAndChangeInShortcutGroupsWriteTheLinks) {
  FakeFiles fs;
  fs.Add("D:\\T\\a.lnk", "C:\\a.exe");
  fs.Add("D:\\T\\b.lnk", "C:\\b.exe");
  ButtonsPage page;
  page.Show("D:\\T", gkShortcut, fs);
  // A taken name is numbered by the writer; the row names the file written.
  ASSERT_TRUE(page.New("a", "C:\\new.exe", fs).Done);
  EXPECT_EQ(page.Entries()[2], (ButtonEntry{"a(1)", "a(1).lnk", 10}));  // the icon of the target
  EXPECT_EQ(fs.ReadLinkTarget("D:\\T\\a(1).lnk"), "C:\\new.exe");
  EXPECT_EQ(page.New("..\\x", "C:\\x.exe", fs).Refusal->Focus, EditorField::kRowName);

  page.SelectRow(1, fs);
  ASSERT_TRUE(page.Change("bee", "C:\\bee.exe", fs).Done);
  EXPECT_EQ(Values(page), (Strings{"a.lnk", "bee.lnk", "a(1).lnk"}));
  EXPECT_FALSE(fs.Has("D:\\T\\b.lnk"));
  EXPECT_EQ(page.Detail().EditExe, "C:\\bee.exe");

  // A file that cannot be deleted is not replaced, and its row keeps its name.
  fs.undeletable.insert("D:\\T\\bee.lnk");
  EXPECT_EQ(page.Change("other", "C:\\o.exe", fs).Refusal->Text,
            std::string(kLinkDeleteFailedText) + "\r\r\"D:\\T\\bee.lnk\"");
  EXPECT_EQ(Values(page), (Strings{"a.lnk", "bee.lnk", "a(1).lnk"}));

  // An internet shortcut stays one, under the name given.
  fs.Add("D:\\T\\w.url", "http://w.cn/");
  page.Show("D:\\T\\", gkShortcut, fs);  // another spelling of the folder: built again
  page.SelectRow(3, fs);
  ASSERT_EQ(page.Entries()[3].Value, "w.url");
  ASSERT_TRUE(page.Change("Web", "http://web.cn/", fs).Done);
  EXPECT_EQ(page.Entries()[3], (ButtonEntry{"Web", "Web.url", 14}));
  EXPECT_TRUE(fs.At("D:\\T\\Web.url").Internet);

  ButtonsPage noFolder;
  noFolder.Show("", gkShortcut, fs);
  EXPECT_EQ(noFolder.New("n", "C:\\n.exe", fs).Refusal->Text, kNoFolderText);
}

}  // namespace
}  // namespace wendlix
