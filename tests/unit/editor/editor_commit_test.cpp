#include "core/editor/editor_commit.h"

#include <gtest/gtest.h>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/shell/ordered_merge.h"

namespace wendlix {
namespace {

using Keys = std::vector<std::string>;

IniFile Commit(const char* bytes, const ButtonCommitInput& in) {
  IniFile gpf = IniFile::FromBytes(bytes);
  ApplyProfileOps(gpf, PlanButtonCommit(gpf, in));
  return IniFile::FromBytes(gpf.ToBytes());
}

TEST(EditorCommit, NothingModifiedWritesNothing) {
  const IniFile gpf = IniFile::FromBytes("[Web  Buttons]\r\nA=http://a.cn\r\n");
  ButtonCommitInput in{false, false, "Web", "Sites", {}};
  EXPECT_TRUE(PlanButtonCommit(gpf, in).empty());  // a colour or a title typed back: no section written
}

TEST(EditorCommit, EachEntryKeepsItsOwnNameAndValue) {
  // The old section has a key without a button (empty value) and a stale one: pairing the
  // file's keys with the entries' values in order would shift every address by one.
  const char* file =
      "[Web  Buttons]\r\nEmpty=\r\nA=http://a.cn\r\nB=http://b.cn\r\n"
      "[Sites  Buttons]\r\nDeleted=http://old.cn\r\n[Keep]\r\nk=1\r\n";
  const ButtonCommitInput renamed{
      true, false, "Web", "Sites", {{"A", "http://a.cn", 0}, {"B", "http://b.cn", 0}}};
  const IniFile back = Commit(file, renamed);
  // The old title's section stays until the bar's list names the new title: a bar ended in
  // between still finds the group with its buttons under the old one.
  EXPECT_EQ(back.ReadSection("Web  Buttons"), (Keys{"Empty", "A", "B"}));
  EXPECT_EQ(back.ReadSection("Sites  Buttons"), (Keys{"A", "B"}));  // a deleted group's keys do not return
  EXPECT_EQ(back.ReadString("Sites  Buttons", "A", ""), "http://a.cn");
  EXPECT_EQ(back.ReadString("Sites  Buttons", "B", ""), "http://b.cn");
  EXPECT_EQ(back.ReadString("Keep", "k", ""), "1");

  // Same title in another case: the one section is emptied once and rewritten in place.
  IniFile gpf = IniFile::FromBytes(file);
  const ButtonCommitInput same{true, false, "web", "WEB", {{"B", "x", 0}, {"A", "y", 0}, {"B", "z", 0}}};
  const std::vector<ProfileOp> ops = PlanButtonCommit(gpf, same);
  EXPECT_EQ(ops.size(), 3u + 3u);
  EXPECT_EQ(ops[0], (ProfileOp{ProfileOp::Kind::kDeleteKey, "WEB  Buttons", "Empty", ""}));
  ApplyProfileOps(gpf, ops);
  const IniFile again = IniFile::FromBytes(gpf.ToBytes());
  EXPECT_EQ(again.ReadSection("Web  Buttons"), (Keys{"B", "A"}));
  EXPECT_EQ(again.ReadString("Web  Buttons", "B", ""), "z");  // one key, the later row's value
  EXPECT_EQ(again.ReadSections().front(), "Web  Buttons");
}

TEST(EditorCommit, NewGroupStartsEmptyAndClearsNoOtherSection) {
  const char* file = "[Web  Buttons]\r\nA=http://a.cn\r\n[New  Buttons]\r\nGhost=http://ghost.cn\r\n";
  // The title field held another group's title when the dialog opened.
  const IniFile untouched = Commit(file, {false, true, "Web", "New", {}});
  EXPECT_EQ(untouched.ReadSection("Web  Buttons"), (Keys{"A"}));
  EXPECT_EQ(untouched.ReadSection("New  Buttons"), Keys{});
  const IniFile written = Commit(file, {true, true, "", "New", {{"N", "n.cn", 0}}});
  EXPECT_EQ(written.ReadSection("New  Buttons"), (Keys{"N"}));
  EXPECT_EQ(written.ReadSection("Web  Buttons"), (Keys{"A"}));
}

TEST(EditorCommit, NamesTheFileCannotHoldAreLeftOutAndFollowInFolderOrder) {
  // A shortcut group's folder may hold names no key can be. They are left out, as the bar's
  // own save leaves them out, and the bar lists them after the saved ones in folder order.
  const std::vector<ButtonEntry> rows = {{"b", "b.lnk", 0},
                                         {"[Old]", "[Old].lnk", 0},
                                         {"a=b", "a=b.lnk", 0},
                                         {" lead", " lead.lnk", 0},
                                         {"笑\xF0\x9F\x98\x80", "笑\xF0\x9F\x98\x80.lnk", 0},
                                         {"a", "a.lnk", 0}};
  const IniFile back = Commit("[Tools  Buttons]\r\na=a.lnk\r\n", {true, false, "Tools", "Tools", rows});
  EXPECT_EQ(back.ReadSection("Tools  Buttons"), (Keys{"b", "a"}));
  const Keys listing = {" lead.lnk", "[Old].lnk", "a.lnk", "a=b.lnk", "b.lnk", "笑\xF0\x9F\x98\x80.lnk"};
  EXPECT_EQ(MergeOrderedList(ReadSavedOrder(back, "Tools"), listing),
            (Keys{"b.lnk", "a.lnk", " lead.lnk", "[Old].lnk", "a=b.lnk", "笑\xF0\x9F\x98\x80.lnk"}));
}

TEST(EditorCommit, EntriesComeFromTheButtonsOrFromTheSectionOfACollapsedGroup) {
  const IniFile gpf = IniFile::FromBytes(
      "[Web  Buttons]\r\nA=www.a.cn\r\nNone=\r\nB=https://b.cn\r\n"
      "[Tools  Buttons]\r\nEditor=Editor.lnk\r\nSub=Sub\r\n");
  EXPECT_EQ(EditorEntriesForGroup({}, gkWeb, gpf, "Web"),
            (std::vector<ButtonEntry>{{"A", "http://www.a.cn", 0}, {"B", "https://b.cn", 0}}));
  EXPECT_EQ(EditorEntriesForGroup({}, gkShortcut, gpf, "Tools"),
            (std::vector<ButtonEntry>{{"Editor", "Editor.lnk", 0}, {"Sub", "Sub", 0}}));
  EXPECT_EQ(EditorEntriesForGroup({{"X", "D:\\T\\X.lnk", false}}, gkShortcut, gpf, "Tools"),
            (std::vector<ButtonEntry>{{"X", "X.lnk", 0}}));
  EXPECT_EQ(EditorEntriesForGroup({{"M", "MAILTO:m@a.cn", false}}, gkEmail, gpf, "Web"),
            (std::vector<ButtonEntry>{{"M", "MAILTO:m@a.cn", 8}}));
}

}  // namespace
}  // namespace wendlix
