// Files dropped onto a group become shortcuts in its folder, read back from the disk.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "support/win_test_support.h"
#include "win/drops/drop_files.h"
#include "win/shell/shell_links.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string LinkTarget(const std::string& link) {
  TShortCutData data;
  try {
    ReadShortcut(link, data);
  } catch (...) {
    return "<unreadable>";
  }
  return data.Target;
}

// A source folder with three files and a group folder that already holds a shortcut for
// the first of them, pointing elsewhere.
struct DropScene {
  TempFolder source{"dropsrc"};
  TempFolder group{"dropgrp"};
  std::vector<std::string> files;
  std::string old;
  TPanelData data;

  DropScene() {
    for (const char* name : {"Notepad.exe", "记事本 Ő.txt", "third"}) {
      files.push_back(source / name);
      WriteBytes(files.back(), "x");
    }
    old = source / "old.exe";
    WriteBytes(old, "MZ");
    TShortCutData link;
    link.LinkFile = group / "Notepad.lnk";
    link.Target = old;
    CreateShortcut(link);
    data.Title = "Tools";
    data.PanelStyle = gkShortcut;
    data.Directory = group.Path().substr(0, group.Path().size() - 1);  // stored without "\"
  }
};

struct Asked {
  std::vector<std::pair<std::string, std::string>> questions;
  bool answer = true;
  ConfirmOverwriteFn Fn() {
    return [this](const std::string& text, const std::string& caption) {
      questions.emplace_back(text, caption);
      return answer;
    };
  }
};

const std::pair<std::string, std::string> kNotepadQuestion{
    "\"Notepad\"\r\r快捷方式文件已经存在！是否覆盖该文件？", "覆盖文件!?"};

TEST(DropFiles, ThreeFilesOneExistingShortcutAskedOnce) {
  for (bool overwrite : {true, false}) {
    SCOPED_TRACE(overwrite);
    DropScene scene;
    ASSERT_EQ(LinkTarget(scene.group / "Notepad.lnk"), scene.old);
    Asked asked;
    asked.answer = overwrite;
    const DropFilesOutcome outcome = DropFilesOnGroup(scene.data, scene.files, asked.Fn());

    EXPECT_EQ(asked.questions, (std::vector{kNotepadQuestion}));
    EXPECT_EQ(FileNames(scene.group.Path()),
              (std::vector<std::string>{"Notepad.lnk", "third.lnk", "记事本 Ő.lnk"}));
    // OK replaces the old shortcut by one to the dropped file; Cancel keeps it untouched.
    EXPECT_EQ(LinkTarget(scene.group / "Notepad.lnk"), overwrite ? scene.files[0] : scene.old);
    EXPECT_EQ(LinkTarget(scene.group / "记事本 Ő.lnk"), scene.files[1]);
    EXPECT_EQ(LinkTarget(scene.group / "third.lnk"), scene.files[2]);
    EXPECT_EQ(outcome.Declined, overwrite ? 0 : 1);
    std::vector<std::string> written = {scene.group / "记事本 Ő.lnk", scene.group / "third.lnk"};
    if (overwrite) written.insert(written.begin(), scene.group / "Notepad.lnk");
    EXPECT_EQ(outcome.LinksWritten, written);
  }
}

TEST(DropFiles, NothingIsAskedOrDeletedOutsideShortcutGroups) {
  DropScene scene;
  Asked asked;
  scene.data.PanelStyle = gkWeb;
  EXPECT_EQ(DropFilesOnGroup(scene.data, scene.files, asked.Fn()), DropFilesOutcome{});
  // The group's own shortcut dropped onto it stays as it is.
  scene.data.PanelStyle = gkShortcut;
  EXPECT_EQ(DropFilesOnGroup(scene.data, {scene.group / "Notepad.lnk"}, asked.Fn()), DropFilesOutcome{});
  EXPECT_TRUE(asked.questions.empty());
  // No answer, or a question that fails, keeps the old shortcut; the drop goes on.
  EXPECT_EQ(DropFilesOnGroup(scene.data, {scene.files[0]}, nullptr).Declined, 1);
  const DropFilesOutcome thrown = DropFilesOnGroup(
      scene.data, {scene.files[0], scene.files[2]},
      [](const std::string&, const std::string&) -> bool { throw std::runtime_error("no box"); });
  EXPECT_EQ(thrown, (DropFilesOutcome{{scene.group / "third.lnk"}, 1, {}}));
  EXPECT_EQ(LinkTarget(scene.group / "Notepad.lnk"), scene.old);
}

TEST(DropFiles, AReplacementThatFailsKeepsTheOldLinkAndNamesTheFile) {
  DropScene scene;
  // A protected shortcut cannot be replaced: the old one stays whole, nothing is left beside it.
  const std::string old = scene.group / "Notepad.lnk";
  ASSERT_TRUE(SetFileAttributesW(ToWide(old).c_str(), FILE_ATTRIBUTE_READONLY));
  Asked asked;
  DropFilesOutcome outcome = DropFilesOnGroup(scene.data, scene.files, asked.Fn(), DropPath::kOle);
  // An OLE drag asks in its own wording.
  EXPECT_EQ(asked.questions, (std::vector<std::pair<std::string, std::string>>{
                                 {"快捷方式文件已经存在！是否覆盖该文件？\r\r\"Notepad\"", "覆盖文件1!?"}}));
  EXPECT_EQ(LinkTarget(old), scene.old);
  EXPECT_EQ(outcome.Failed, (std::vector<std::string>{scene.files[0]}));
  EXPECT_EQ(outcome.LinksWritten.size(), 2u);
  EXPECT_EQ(FileNames(scene.group.Path()),
            (std::vector<std::string>{"Notepad.lnk", "third.lnk", "记事本 Ő.lnk"}));
  SetFileAttributesW(ToWide(old).c_str(), FILE_ATTRIBUTE_NORMAL);

  // A group whose folder is gone links nothing: every file is named, once.
  scene.data.Directory = scene.group / "gone";
  outcome = DropFilesOnGroup(scene.data, scene.files, asked.Fn());
  EXPECT_EQ(outcome.Failed, scene.files);
  EXPECT_TRUE(outcome.LinksWritten.empty());
}

TEST(DropFiles, ADriveIsLinkedUnderTheNameTheShellGivesIt) {
  DropScene scene;
  const std::string display = ShellDriveName("C:\\");
  const std::string link = scene.group / (DriveLinkName(display, 'C') + ".lnk");
  RecordProperty("display_name", display);
  Asked asked;
  EXPECT_EQ(DropFilesOnGroup(scene.data, {"C:\\"}, asked.Fn()).LinksWritten, std::vector<std::string>{link});
  EXPECT_EQ(LinkTarget(link), "C:\\");
  EXPECT_NE(FileNames(scene.group.Path()), (std::vector<std::string>{".lnk", "Notepad.lnk"}));
  // Dropped again, as "C:", the question names that link.
  asked.answer = false;
  EXPECT_EQ(DropFilesOnGroup(scene.data, {"C:"}, asked.Fn(), DropPath::kOle).Declined, 1);
  ASSERT_EQ(asked.questions.size(), 1u);
  EXPECT_EQ(asked.questions[0].first,
            "快捷方式文件已经存在！是否覆盖该文件？\r\r\"" + DriveLinkName(display, 'C') + "\"");
}

TEST(DropFiles, ShellDropListsEveryFileInOrder) {
  const std::vector<std::string> names{"C:\\a\\记事本.exe", "D:\\Ő한🙂 b.txt", "\\\\srv\\share\\"};
  const std::string bytes = DropFilesBytes(names);
  const HGLOBAL memory = GlobalAlloc(GHND, bytes.size());
  ASSERT_NE(memory, nullptr);
  memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  EXPECT_EQ(DroppedFileNames(static_cast<HDROP>(memory)), names);
  GlobalFree(memory);
  EXPECT_TRUE(DroppedFileNames(nullptr).empty());
}

}  // namespace
}  // namespace wendlix
