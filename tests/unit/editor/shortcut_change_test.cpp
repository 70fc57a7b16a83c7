#include "core/editor/shortcut_change.h"

#include <gtest/gtest.h>

#include "core/editor/editor_texts.h"
#include "support/fake_editor_files.h"

namespace wendlix {
namespace {

using Fake = testing_support::FakeEditorFiles;
using Log = std::vector<std::string>;

TEST(LinkPathForName, JoinsOneFileNameAndRefusesAnythingElse) {
  EXPECT_EQ(LinkPathForName("D:\\T", "a.b"), "D:\\T\\a.b.lnk");
  EXPECT_EQ(LinkPathForName("D:\\T\\", "记事本 2"), "D:\\T\\记事本 2.lnk");
  EXPECT_EQ(LinkPathForName("D:\\T\\", "a..b"), "D:\\T\\a..b.lnk");
  for (const char* bad : {"", "\\", "/", ":", "*", "?", "\"", "<", ">", "|", "a\tb", "a\x7f", ".", "..",
                          "..\\x", "x/..", "C:x", "CON", "com1.txt"})
    EXPECT_EQ(LinkPathForName("D:\\T", bad), std::nullopt) << bad;
  EXPECT_EQ(LinkPathForName("", "a"), std::nullopt);  // would land in the current folder
}

// a.lnk with every field set, w.url, c.pif, the folder x.lnk, d.scf.
Fake SampleFolder() {
  Fake fs;
  TShortCutData a;
  a.LinkFile = "D:\\T\\a.lnk";
  a.Target = "C:\\Old\\a.exe";
  a.WorkDir = "C:\\Old";  // where MakeShortcutFile puts it: follows the target
  a.Arguments = "/x \"y\"";
  a.IconFile = "C:\\icons.dll";
  a.IconIndex = 3;
  a.ShowCmd = 7;
  a.HotKey = 0x0641;
  fs.Add(a);
  TShortCutData w;
  w.LinkFile = "D:\\T\\w.url";
  w.Target = "http://w.cn/";
  w.IconFile = "C:\\w.ico";
  fs.Add(w);
  fs.Add("D:\\T\\c.pif", "C:\\dos.exe");
  fs.AddFolder("D:\\T\\x.lnk");
  fs.Add("D:\\T\\d.scf");
  return fs;
}

TEST(ChangeShortcutFile, WritesTheReplacementFirstAndKeepsWhatTheOldShortcutCarried) {
  Fake fs = SampleFolder();
  TShortCutData want = fs.At("D:\\T\\a.lnk").Data;
  ShortcutChange c = ChangeShortcutFile(fs, "D:\\T", "D:\\T\\a.lnk", "b", "C:\\New\\b.exe");
  ASSERT_TRUE(c.Changed) << c.Message;
  EXPECT_EQ(c.NewPath, "D:\\T\\b.lnk");
  EXPECT_EQ(fs.log, (Log{"write D:\\T\\b.lnk", "delete D:\\T\\a.lnk"}));
  EXPECT_FALSE(fs.Has("D:\\T\\a.lnk"));
  want.LinkFile = "D:\\T\\b.lnk";
  want.Target = "C:\\New\\b.exe";
  want.WorkDir = "C:\\New\\";
  EXPECT_EQ(fs.At("D:\\T\\b.lnk"), Fake::File{want});

  // A working folder the user chose stays with the new target.
  fs.files[ToUpperAscii("D:\\T\\b.lnk")].Data.WorkDir = "D:\\Work";
  ASSERT_TRUE(ChangeShortcutFile(fs, "D:\\T\\", "D:\\T\\b.lnk", "b2", "C:\\Other\\o.exe").Changed);
  EXPECT_EQ(fs.At("D:\\T\\b2.lnk").Data.WorkDir, "D:\\Work");

  // The same name (in any case) replaces the file in place, through a file beside it.
  fs.log.clear();
  c = ChangeShortcutFile(fs, "D:\\T", "D:\\T\\b2.lnk", "B2", "C:\\Third\\t.exe");
  ASSERT_TRUE(c.Changed) << c.Message;
  EXPECT_EQ(c.NewPath, "D:\\T\\B2.lnk");
  EXPECT_EQ(fs.log, (Log{"write D:\\T\\b2.lnk.tmp", "replace D:\\T\\b2.lnk.tmp>D:\\T\\b2.lnk"}));
  EXPECT_FALSE(fs.Has("D:\\T\\b2.lnk.tmp"));
  EXPECT_EQ(fs.At("D:\\T\\b2.lnk").Data.Target, "C:\\Third\\t.exe");
  EXPECT_EQ(fs.At("D:\\T\\b2.lnk").Data.Arguments, "/x \"y\"");
}

TEST(ChangeShortcutFile, NamesAsMakeShortcutFileDoesAndKeepsEachKind) {
  Fake fs = SampleFolder();
  fs.Add("D:\\T\\Notepad.lnk", "C:\\n.exe");
  fs.Add("D:\\T\\Notepad(1).lnk", "C:\\n.exe");
  EXPECT_EQ(ChangeShortcutFile(fs, "D:\\T", "D:\\T\\a.lnk", "Notepad", "C:\\n.exe").NewPath,
            "D:\\T\\Notepad(2).lnk");
  // The old file's own name counts as free: Notepad(1) stays where it is.
  EXPECT_EQ(ChangeShortcutFile(fs, "D:\\T", "D:\\T\\Notepad(1).lnk", "Notepad", "C:\\m.exe").NewPath,
            "D:\\T\\Notepad(1).lnk");

  // An internet shortcut stays one, numbered the same way, keeping its other lines.
  fs.Add("D:\\T\\Web.url", "http://old.cn/");
  const ShortcutChange url = ChangeShortcutFile(fs, "D:\\T", "D:\\T\\w.url", "Web", "http://new.cn/");
  ASSERT_TRUE(url.Changed) << url.Message;
  EXPECT_EQ(url.NewPath, "D:\\T\\Web(1).url");
  EXPECT_TRUE(fs.At(url.NewPath).Internet);
  EXPECT_EQ(fs.At(url.NewPath).Data.Target, "http://new.cn/");
  EXPECT_EQ(fs.At(url.NewPath).Data.IconFile, "C:\\w.ico");
  EXPECT_FALSE(fs.Has("D:\\T\\w.url"));

  // A .pif is not a link: it becomes a plain .lnk to the new target.
  fs.log.clear();
  const ShortcutChange pif = ChangeShortcutFile(fs, "D:\\T", "D:\\T\\c.pif", "c", "C:\\Win\\c.exe");
  ASSERT_TRUE(pif.Changed) << pif.Message;
  EXPECT_EQ(pif.NewPath, "D:\\T\\c.lnk");
  EXPECT_EQ(fs.log, (Log{"write D:\\T\\c.lnk", "delete D:\\T\\c.pif"}));
  EXPECT_FALSE(fs.At("D:\\T\\c.lnk").Internet);
  EXPECT_EQ(fs.At("D:\\T\\c.lnk").Data.WorkDir, "C:\\Win\\");
  EXPECT_EQ(fs.At("D:\\T\\c.lnk").Data.Arguments, "");
}

TEST(ChangeShortcutFile, AFailureLeavesTheFolderAsItWasAndSaysWhy) {
  struct Case {
    const char* what;
    const char* oldPath;
    const char* name;
    const char* target;
    const char* undeletable;
    bool failWrites;
    const char* message;  // the message starts with it
    const char* log;      // the file operations in order, " | " between them
  } cases[] = {
      {"read-only, new name", "D:\\T\\a.lnk", "b", "C:\\b.exe", "D:\\T\\a.lnk", false, kLinkDeleteFailedText,
       "write D:\\T\\b.lnk | delete D:\\T\\a.lnk | delete D:\\T\\b.lnk"},
      {"read-only, same name", "D:\\T\\a.lnk", "a", "C:\\b.exe", "D:\\T\\a.lnk", false,
       kLinkReplaceFailedText,
       "write D:\\T\\a.lnk.tmp | replace D:\\T\\a.lnk.tmp>D:\\T\\a.lnk | delete D:\\T\\a.lnk.tmp"},
      {"not written", "D:\\T\\w.url", "v", "http://v.cn", "", true, kLinkWriteFailedText,
       "write D:\\T\\v.url"},
      {"a folder named x.lnk", "D:\\T\\x.lnk", "y", "C:\\y.exe", "", false, kNotAShortcutText, ""},
      {"not a shortcut file", "D:\\T\\d.scf", "d", "C:\\d.exe", "", false, kNotAShortcutText, ""},
      {"gone", "D:\\T\\gone.lnk", "g", "C:\\g.exe", "", false, kLinkMissingText, ""},
      {"a path for a name", "D:\\T\\a.lnk", "..\\up", "C:\\u.exe", "", false, kFieldName, ""},
      {"blank name", "D:\\T\\a.lnk", " ", "C:\\b.exe", "", false, kNameBlankText, ""},
      {"blank target", "D:\\T\\a.lnk", "a", "  ", "", false, kTargetBlankText, ""},
  };
  for (const Case& k : cases) {
    Fake fs = SampleFolder();
    const auto before = fs.files;
    if (*k.undeletable) fs.undeletable.insert(k.undeletable);
    fs.failWrites = k.failWrites;
    const ShortcutChange c = ChangeShortcutFile(fs, "D:\\T", k.oldPath, k.name, k.target);
    EXPECT_FALSE(c.Changed) << k.what;
    EXPECT_TRUE(c.NewPath.empty()) << k.what;
    EXPECT_EQ(c.Message.rfind(k.message, 0), 0u) << k.what << ": " << c.Message;
    EXPECT_EQ(fs.files, before) << k.what;
    std::string log;
    for (const std::string& op : fs.log) log += (log.empty() ? "" : " | ") + op;
    EXPECT_EQ(log, k.log) << k.what;
  }
  // A message about a file names it, for the error box.
  Fake fs = SampleFolder();
  fs.undeletable.insert("D:\\T\\a.lnk");
  EXPECT_EQ(ChangeShortcutFile(fs, "D:\\T", "D:\\T\\a.lnk", "b", "C:\\b.exe").Message,
            std::string(kLinkDeleteFailedText) + "\r\r\"D:\\T\\a.lnk\"");
}

}  // namespace
}  // namespace wendlix
