// Drops on the bar: which role a drag takes where, the links a file list makes, and buttons
// moved within their group.
#include <gtest/gtest.h>

#include <set>

#include "core/bar/button_move.h"
#include "core/bar/group_construction.h"
#include "core/bar/panel_data.h"
#include "core/drops/drop_plan.h"
#include "core/drops/drop_roles.h"
#include "core/drops/file_drop_effect.h"
#include "core/drops/url_drop.h"

namespace wendlix {
namespace {

TEST(DropRoles, WhatTheDragCarriesAndWhatLiesUnderThePointChooseRoleAndEffect) {
  const DragOffer files{.Files = {"D:\\Tools\\a.exe"}};
  const DragOffer urlFile{.Files = {"D:\\a.url"}};
  const DragOffer link{.UniformResourceLocator = "http://a.example/"};
  const DragOffer text{.Text = "www.example.com"};
  const DragOffer both{.Files = {"D:\\a.exe"}, .Text = "http://a.example/"};
  const DragOffer button{.BarButton = ButtonDragBytes({7, 1})};
  const DragOffer none{};
  const std::uint32_t all = deCopy | deMove | deLink;
  const OwnDrag own{OwnButtonDrag{0, 5}};
  const OwnDrag filesOut{.FilesOut = true};
  // Places: a shortcut group's band (on launch button 2), its background, its PanelBtn button;
  // web and e-mail groups; another group's button; away from groups.
  const DropPoint onButton2{gkShortcut, 0, false, 2};
  const DropPoint onItself{gkShortcut, 0, false, 5};
  const DropPoint background{gkShortcut, 0, false, -1};
  const DropPoint panelBtn{gkShortcut, 0, true, -1};
  const DropPoint web{gkWeb, 1, false, 0};
  const DropPoint email{gkEmail, 2, false, -1};
  const DropPoint otherGroup{gkShortcut, 3, false, 2};
  const DropPoint away{};
  using R = DropRoute;
  struct Case {
    const DropPoint& at;
    const DragOffer& offer;
    OwnDrag own;
    const char* dir;
    std::uint32_t offered;
    DropChoice want;
  };
  const Case cases[] = {
      {background, files, {}, "D:\\Tools\\", all, {R::kFiles, deLink}},
      {panelBtn, files, {}, "D:\\Tools\\", all, {R::kFiles, deLink}},  // into that group, as the shell drop
      {background, files, {}, "C:\\", all, {R::kFiles, deNone}},       // the root of drive C is refused
      {background, files, {}, "D:\\Tools\\", deCopy | deMove, {R::kFiles, deNone}},  // only links
      {background, urlFile, {}, "D:\\", all, {R::kFiles, deLink}},  // a .url file is a file there
      {background, both, {}, "D:\\", all, {R::kFiles, deLink}},
      {background, link, {}, "", all, {R::kLink, deLink}},  // dropped: the box says why not
      {background, none, {}, "", all, {}},
      {web, link, {}, "", all, {R::kLink, deLink}},
      {web, text, {}, "", all, {R::kLink, deLink}},
      {web, link, {}, "", deCopy, {R::kLink, deNone}},
      {web, files, {}, "C:\\", all, {R::kLink, deLink}},  // the box says where files go
      {email, files, {}, "", all, {R::kLink, deLink}},
      {away, link, {}, "", all, {}},
      // The bar's own button: move only, onto another launch button of its group.
      {onButton2, button, own, "", all, {R::kButton, deMove}},
      {onButton2, button, own, "", deCopy | deLink, {R::kButton, deNone}},
      {onItself, button, own, "", all, {R::kButton, deNone}},
      {background, button, own, "", all, {R::kButton, deNone}},
      {panelBtn, button, own, "", all, {R::kButton, deNone}},
      {otherGroup, button, own, "", all, {R::kButton, deNone}},
      {away, button, own, "", all, {R::kButton, deNone}},
      // A button format that is no drag of this bar under way (another program's, or one
      // that ended) is nothing to drop.
      {onButton2, button, {}, "", all, {}},
      // A launch button's file dragged out with Ctrl goes to other programs only: a link to it
      // in a group would be a link to a link, a web group's box says nothing useful.
      {background, files, filesOut, "D:\\Tools\\", all, {}},
      {web, files, filesOut, "D:\\Tools\\", all, {}},
      {email, urlFile, filesOut, "D:\\", all, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "group " << c.at.Group << " button " << c.at.LaunchButton << " dir "
                                    << c.dir << " offered " << c.offered);
    EXPECT_EQ(ChooseDrop(c.at, c.offer, c.own, c.dir, c.offered), c.want);
  }
}

TEST(DropRoles, EachRouteHasItsRole) {
  // What each role allows, and whether the shell's drag image shows over it.
  EXPECT_EQ(RoleOf(DropRoute::kFiles).Allowed, deLink);
  EXPECT_EQ(RoleOf(DropRoute::kLink).Allowed, deLink);
  EXPECT_EQ(RoleOf(DropRoute::kButton).Allowed, deMove);
  EXPECT_EQ(RoleOf(DropRoute::kNone).Allowed, deNone);
  EXPECT_FALSE(RoleOf(DropRoute::kLink).DragImage);
  EXPECT_TRUE(DropDummy1.DragImage);
}

TEST(DropRoles, TheButtonTokenTellsThisDragFromAnyOther) {
  const ButtonDragToken token{0x12345678, 0x9ABCDEF0};
  EXPECT_EQ(ParseButtonDragBytes(ButtonDragBytes(token)), token);
  EXPECT_EQ(ButtonDragBytes({1, 2}), std::string("\1\0\0\0\2\0\0\0", 8));
  for (const std::string& bad :
       {std::string(), std::string(7, 'x'), std::string(9, 'x'), std::string("BM")}) {
    EXPECT_EQ(ParseButtonDragBytes(bad), std::nullopt);
  }
}

TEST(FileDropEffect, TheSourceFolderAndTheRootOfDriveC) {
  EXPECT_EQ(DragSourceDirOf({"", "D:\\Docs\\a.txt", "E:\\b"}), "D:\\Docs\\");
  EXPECT_EQ(DragSourceDirOf({"C:x.txt"}), "C:");
  EXPECT_EQ(DragSourceDirOf({"plain"}), "");
  EXPECT_EQ(DragSourceDirOf({"C:\\"}), "C:\\");  // the drive's root itself, which is refused
  // No path at all: DragSourceDir keeps the folder it had.
  EXPECT_EQ(DragSourceDirOf({}), std::nullopt);
  EXPECT_EQ(DragSourceDirOf({"", ""}), std::nullopt);
  EXPECT_EQ(FileDropEffect("c:\\", deLink), deLink);  // compared exactly, as the bar always has
}

TEST(DropPlan, OneLinkPerFileAskingOnlyForExistingOnes) {
  const std::set<std::string> onDisk = {"D:\\Links\\Notepad.lnk", "D:\\Links\\记事本.lnk",
                                        "D:\\Links\\Own.lnk"};
  const FileExistsFn exists = [&](const std::string& p) { return onDisk.count(p) > 0; };
  // A file and the link it makes (none: no link), with the existing link that is asked about.
  struct Case {
    const char* file;
    const char* link;
    const char* existing;
  };
  const Case cases[] = {
      {"C:\\Windows\\Notepad.exe", "D:\\Links\\Notepad.exe", "D:\\Links\\Notepad.lnk"},
      {"", nullptr, nullptr},
      {"C:\\a\\b.c.txt", "D:\\Links\\b.c.txt", ""},
      {"E:\\文档\\记事本", "D:\\Links\\记事本", "D:\\Links\\记事本.lnk"},
      {"\\\\srv\\share\\dir\\a.b.exe", "D:\\Links\\a.b.exe", ""},
      // Roots are named after their drive or share rather than becoming ".lnk".
      {"D:\\", "D:\\Links\\D.lnk", ""},
      {"\\\\srv\\share\\", "D:\\Links\\share", ""},
      // The group's own shortcut dropped onto it is skipped, not deleted; one from
      // elsewhere with the same name asks.
      {"D:\\LINKS\\own.LNK", nullptr, nullptr},
      {"D:\\Other\\Own.lnk", "D:\\Links\\Own.lnk", "D:\\Links\\Own.lnk"},
      {"x:y:", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::optional<DroppedFilePlan> expected =
        c.link ? std::optional(DroppedFilePlan{c.file, c.link, c.existing}) : std::nullopt;
    EXPECT_EQ(PlanDroppedFile(gkShortcut, "D:\\Links", c.file, exists), expected);
  }
  EXPECT_EQ(PlanDroppedFile(gkShortcut, "D:\\Links\\", "C:\\a.txt", exists)->LinkPath, "D:\\Links\\a.txt");
  // Web and e-mail groups, and a shortcut group without a folder, neither ask nor delete.
  for (const auto& [kind, folder] : {std::pair{gkWeb, "D:\\Links"}, {gkEmail, "D:\\Links"}, {gkShortcut, ""}})
    EXPECT_EQ(PlanDroppedFile(kind, folder, "C:\\Windows\\Notepad.exe", exists), std::nullopt);
  // Questions name the existing link without folder and extension.
  EXPECT_EQ(OverwriteQuestion("D:\\Links\\Notepad.lnk"),
            "\"Notepad\"\r\r快捷方式文件已经存在！是否覆盖该文件？");
  EXPECT_EQ(OverwriteQuestion("D:\\Links\\a.b.lnk", DropPath::kOle),
            "快捷方式文件已经存在！是否覆盖该文件？\r\r\"a.b\"");
  EXPECT_STREQ(OverwriteCaption(DropPath::kOle), "覆盖文件1!?");
  EXPECT_STREQ(OverwriteCaption(DropPath::kShell), "覆盖文件!?");
  // Files that got no link are named in one box; a long list is cut, saying how many more.
  EXPECT_EQ(LinkFailedText({"C:\\a.exe", "D:\\文件.txt"}),
            "以下文件没能在该组中创建快捷方式：\r\r\"C:\\a.exe\"\r\"D:\\文件.txt\"");
  std::string fifteen;
  for (int i = 0; i < 15; ++i) fifteen += "\r\"x\"";
  EXPECT_EQ(LinkFailedText(std::vector<std::string>(200, "x")),
            "以下文件没能在该组中创建快捷方式：\r" + fifteen + "\r……（另有 185 个文件）");
}

TEST(DropPlan, ADriveIsNamedAsTheShellNamesIt) {
  const FileExistsFn exists = [](const std::string& p) { return p == "D:\\Links\\本地磁盘 (E).lnk"; };
  const DriveNameFn shell = [](const std::string& root) {
    if (root == "E:\\") return std::string("本地磁盘 (E:)");
    if (root == "F:\\") return std::string("Vol.2 (F:)");
    return std::string();
  };
  const auto plan = [&](const char* file) {
    return PlanDroppedFile(gkShortcut, "D:\\Links", file, exists, shell);
  };
  EXPECT_EQ(plan("E:\\"),
            (DroppedFilePlan{"E:\\", "D:\\Links\\本地磁盘 (E).lnk", "D:\\Links\\本地磁盘 (E).lnk"}));
  EXPECT_EQ(plan("E:"), plan("E:\\"));
  EXPECT_EQ(plan("F:\\")->LinkPath, "D:\\Links\\Vol.2 (F).lnk");  // the dot is no extension
  EXPECT_EQ(plan("A:\\")->LinkPath, "D:\\Links\\A.lnk");          // no display name: the letter
  EXPECT_EQ(plan("a:")->LinkPath, "D:\\Links\\a.lnk");
  struct Case {
    const char* display;
    const char* want;
  };
  for (const Case& c : {Case{"本地磁盘 (C:)", "本地磁盘 (C)"}, Case{"  Data: \"x\"/<y>|*? . ", "Data xy"},
                        Case{"\\:/", "C"}, Case{"", "C"}, Case{"a\tb", "ab"}}) {
    EXPECT_EQ(DriveLinkName(c.display, 'C'), c.want) << c.display;
  }
}

TEST(ButtonMove, TheDraggedButtonTakesThePlaceAndTheOthersShift) {
  GroupPanel p;
  for (const char* name : {"0", "1", "2", "3", "4", "5"}) AddGroupButton(p, name, false, name);
  p.Children[5].IsDirectory = true;  // a folder button keeps being one wherever it goes
  p.Children[5].HasDropDownMenu = true;
  AddCollapseButton(p);
  const auto names = [&] {
    std::string s;
    for (const BarButton& b : p.Children) s += b.IsCollapse() ? "|" : b.Hint;
    return s;
  };
  EXPECT_TRUE(MoveLaunchButton(p, 5, 2));
  EXPECT_EQ(names(), "015234|");
  EXPECT_TRUE(p.Children[2].IsDirectory && p.Children[2].HasDropDownMenu && !p.Children[5].IsDirectory);
  EXPECT_EQ(p.Children[2].FileName, "5");
  EXPECT_TRUE(MoveLaunchButton(p, 0, 3));
  EXPECT_EQ(names(), "152034|");
  // Last onto first, and a neighbour.
  EXPECT_TRUE(MoveLaunchButton(p, 5, 0));
  EXPECT_EQ(names(), "415203|");
  EXPECT_TRUE(MoveLaunchButton(p, 1, 2));
  EXPECT_EQ(names(), "451203|");
  // The collapse button, the same place and places outside the group change nothing.
  for (const auto& [from, to] : {std::pair{1, 6}, {6, 1}, {2, 2}, {-1, 2}, {2, 7}})
    EXPECT_FALSE(MoveLaunchButton(p, from, to)) << from << ">" << to;
  EXPECT_EQ(names(), "451203|");
}

}  // namespace
}  // namespace wendlix
