#include "core/quick_create/quick_create.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/bar_menu/bar_menu.h"
#include "core/button_menu/group_commands.h"
#include "core/profile/ini_file.h"
#include "core/quick_create/quick_create_sites.h"
#include "core/text/encoding.h"

namespace wendlix {
namespace {

const GroupFont kMainFont{kClWindowText, 10, "微软雅黑"};

GroupPanel Panel(std::string title, std::uint16_t kind, std::string folder = "C:\\") {
  GroupPanel p;
  p.Data.Title = std::move(title);
  p.Data.PanelStyle = kind;
  p.Data.Directory = std::move(folder);
  p.Data.Visible = false;
  p.Width = 140;
  p.Height = 333;
  return p;
}

TEST(QuickCreate, FolderTitlesAndDrivesFolder) {
  EXPECT_EQ(QuickFolderOfTag(6), QuickFolder::kNone);
  EXPECT_EQ(QuickGroupTitle(1, "桌面(&D)"), "桌面");
  EXPECT_EQ(QuickGroupTitle(3, "&Quick Launck"), "Quick Launch");
  EXPECT_EQ(QuickGroupTitle(2, "R&&D &Tools"), "R&D Tools");
  EXPECT_EQ(DrivesFolderPath("C:\\Wendlix"), "C:\\Wendlix\\Drivers");
  EXPECT_EQ(FreeGroupTitle("桌面", {"Programs", "桌面", "桌面(1)", "桌面(3)"}), "桌面(2)");
  EXPECT_EQ(FreeGroupTitle("Desk", {"DESK"}), "Desk(1)");
}

TEST(QuickCreate, ExistingShortcutGroupOnTheFolderIsReused) {
  const std::vector<GroupPanel> groups = {Panel("Web", gkWeb, "C:\\Users\\Me\\Desktop\\"),
                                          Panel("Mine", gkShortcut, "c:\\users\\me\\desktop"),
                                          Panel("Again", gkShortcut, "C:\\USERS\\ME\\DESKTOP\\")};
  EXPECT_EQ(DecideQuickFolder(1, "x", "D:\\Ärger", {Panel("Ä", gkShortcut, "d:\\ärger\\")}, kMainFont).Act,
            QuickFolderDecision::Action::kShowExisting);
  const QuickFolderDecision d = DecideQuickFolder(1, "桌面(&D)", "C:\\Users\\Me\\Desktop", groups, kMainFont);
  EXPECT_EQ(d.Act, QuickFolderDecision::Action::kShowExisting);
  EXPECT_EQ(d.Existing, 1u);  // a web group never matches a folder
  // No folder: nothing at all.
  EXPECT_EQ(DecideQuickFolder(9, "x", "", groups, kMainFont).Act, QuickFolderDecision::Action::kNothing);
}

TEST(QuickCreate, NewFolderGroupRecord) {
  const std::vector<GroupPanel> groups = {Panel("桌面", gkWeb), Panel("Other", gkShortcut, "D:\\")};
  const QuickFolderDecision d = DecideQuickFolder(1, "桌面(&D)", "C:\\Users\\Me\\Desktop", groups, kMainFont);
  ASSERT_EQ(d.Act, QuickFolderDecision::Action::kCreate);
  TPanelData expected;
  expected.Title = "桌面(1)";  // the plain title belongs to the web group
  expected.Directory = "C:\\Users\\Me\\Desktop\\";
  expected.Color = 0x00E5E5E5;
  expected.FromColor = 0x00FFFFFF;
  expected.ToColor = 0x008F8F8E;
  expected.Font = kMainFont;
  expected.ShowAsButton = true;
  EXPECT_EQ(d.NewGroup.Data, expected);
  // A caption without a title names the group after its folder.
  EXPECT_EQ(DecideQuickFolder(9, "(&X)", "D:\\Links\\", {}, kMainFont).NewGroup.Data.Title, "Links");
}

TEST(QuickCreate, BookmarksShowTheGroupOnTheirProfileOrMakeOneShownAsABand) {
  std::vector<GroupPanel> groups = {Panel("Microsoft Edge", gkShortcut), Panel("Edge 工作", gkWeb)};
  groups[1].Data.Bookmarks = {"edge", "Profile 1", {}};
  const BookmarkSource first{"edge", "Default", {}};
  const QuickFolderDecision d =
      DecideQuickBookmarks("Microsoft Edge", first, groups, kMainFont, {"Microsoft Edge(1)"});
  ASSERT_EQ(d.Act, QuickFolderDecision::Action::kCreate);
  TPanelData expected = NewGroupData();
  expected.Title = "Microsoft Edge(2)";
  expected.PanelStyle = gkWeb;
  expected.Directory.clear();
  expected.ShowAsButton = false;
  expected.Font = kMainFont;
  expected.Bookmarks = first;
  EXPECT_EQ(d.NewGroup.Data, expected);

  const QuickFolderDecision again = DecideQuickBookmarks(
      "Microsoft Edge - 工作", {"edge", "Profile 1", {"9", {"other"}}}, groups, kMainFont);
  EXPECT_EQ(again.Act, QuickFolderDecision::Action::kShowExisting);
  EXPECT_EQ(again.Existing, 1u);
}

TEST(QuickCreate, CollectionCreatesOrAddsToTheLastGroupOfItsTitle) {
  const std::string path = CollectionFilePath("C:\\Wendlix", "搜索引擎网站");
  EXPECT_EQ(path, "C:\\Wendlix\\搜索引擎网站.GLF");
  const ExchangeFile file = ParseExchangeFile(
      "[Config]\r\nColor=255\r\n[Buttons]\r\nA=http://a.cn\r\nB=www.b.cn\r\n", ExchangeReading::kCollection);

  CollectionDecision d = DecideCollection("搜索引擎网站", path, file, {Panel("Web", gkWeb)}, kMainFont);
  ASSERT_EQ(d.Act, CollectionDecision::Action::kCreate);
  TPanelData expected;
  expected.Title = "搜索引擎网站";
  expected.PanelStyle = gkWeb;
  expected.Directory = "";
  expected.Color = 255;
  expected.ToColor = kClBtnFace;
  expected.SmallIcon = true;
  expected.Font = {kClWindowText, 10, "微软雅黑"};
  EXPECT_EQ(d.Group.Data, expected);
  EXPECT_EQ(d.Lines.size(), 2u);

  // A group of that title (any case; the last one) keeps its settings; only buttons join.
  std::vector<GroupPanel> groups = {Panel("搜索引擎网站", gkWeb), Panel("Web", gkWeb),
                                    Panel("搜索引擎网站", gkEmail)};
  groups[2].Data.PanelStyle = gkWeb;
  d = DecideCollection("搜索引擎网站", path, file, groups, kMainFont);
  ASSERT_EQ(d.Act, CollectionDecision::Action::kAddToExisting);
  EXPECT_EQ(d.Existing, 2u);
  TPanelData own = groups[2].Data;
  own.Visible = true;
  EXPECT_EQ(d.Group.Data, own);
  EXPECT_EQ(d.Group.Height, 333);

  IniFile gpf =
      IniFile::FromBytes(*Utf8ToCp936("[搜索引擎网站  Buttons]\r\nB=http://old.cn\r\nC=http://c.cn\r\n"));
  ApplyCollection(gpf, d);
  ApplyCollection(gpf, d);  // chosen again: no duplicates
  const IniFile back = IniFile::FromBytes(gpf.ToBytes());
  EXPECT_EQ(back.ReadSection("搜索引擎网站  Buttons"), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(back.ReadString("搜索引擎网站  Buttons", "B", ""), "www.b.cn");
  EXPECT_EQ(back.ReadInteger("搜索引擎网站", "Height", 0), 333);  // the panel's size, not a default
  EXPECT_EQ(back.ReadBool("搜索引擎网站", "Visible", false), true);
}

TEST(QuickCreate, CollectionRefusalsChangeNothing) {
  const std::string path = "C:\\Wendlix\\游戏网站.GLF";
  ExchangeFile missing;
  missing.Fault = ExchangeFault::kMissing;
  CollectionDecision d = DecideCollection("游戏网站", path, missing, {}, kMainFont);
  EXPECT_EQ(d.Act, CollectionDecision::Action::kError);
  EXPECT_TRUE(d.RunHelp);
  // The last line sends the user to the help page, which opens next.
  EXPECT_EQ(d.Message,
            "无法创建网址工具栏: 【游戏网站】\r\r\"C:\\Wendlix\\游戏网站.GLF\"\r\r"
            "文件不存在。创建该网址工具栏需要以上文件支持！\r"
            "如何制作网址集文件，请看随后打开的帮助文件 Wendlix.htm 中的“收集文件”一节。");

  d = DecideCollection("游戏网站", path, ParseExchangeFile("[x]\r\n", ExchangeReading::kCollection), {},
                       kMainFont);
  EXPECT_EQ(d.Act, CollectionDecision::Action::kError);
  EXPECT_FALSE(d.RunHelp);

  // Titled like a shortcut group: refused with a message naming both kinds.
  const ExchangeFile file = ParseExchangeFile("[Config]\r\nTitle=Tools\r\n[Buttons]\r\nA=http://a.cn\r\n",
                                              ExchangeReading::kCollection);
  d = DecideCollection("游戏网站", path, file, {Panel("TOOLS", gkShortcut)}, kMainFont);
  EXPECT_EQ(d.Act, CollectionDecision::Action::kKindConflict);
  EXPECT_EQ(
      d.Message,
      "已有同名的工具栏 【TOOLS】，它是快捷方式工具栏，\r而网址集的数据是网址收藏夹工具栏的信息。\r\r没有作任何改动。");
  IniFile gpf = IniFile::FromBytes("");
  ApplyCollection(gpf, d);
  EXPECT_FALSE(gpf.Modified());
}

// Every collection the menu offers ships in src/res, and nothing else does: a web group of 8 to 15 sites,
// each line a button (no name twice, none the group file drops) with an http or https address.
TEST(QuickCreate, EveryCollectionInTheMenuShipsAsAWebGroup) {
  const std::string res = WENDLIX_TEST_DATA "/../../src/res/";
  const MenuModel menu = BuildMainPMenu({});
  std::set<std::string> captions;
  for (int n = 1; const MenuItem* item = menu.Find("N40." + std::to_string(n)); ++n) {
    captions.insert(item->Caption);
    const std::string path = res + item->Caption + ".GLF";
    const ExchangeFile file = LoadExchangeFile(path, ExchangeReading::kCollection);
    ASSERT_FALSE(file.Damaged()) << item->Caption;
    const CollectionDecision d = DecideCollection(item->Caption, path, file, {}, kMainFont);
    EXPECT_EQ(d.Group.Data.Title, item->Caption);
    EXPECT_EQ(d.Group.Data.PanelStyle, gkWeb) << item->Caption;
    EXPECT_EQ(IniFile(path).ReadSection("Buttons").size(), d.Lines.size()) << item->Caption;
    EXPECT_TRUE(d.Lines.size() >= 8 && d.Lines.size() <= 15) << item->Caption << ": " << d.Lines.size();
    for (const ExchangeLine& l : d.Lines)
      EXPECT_TRUE(l.Value.starts_with("https://") || l.Value.starts_with("http://")) << l.Name;
  }
  std::set<std::string> shipped;
  for (const auto& entry : std::filesystem::directory_iterator(res))
    if (entry.path().extension() == ".GLF") shipped.insert(entry.path().stem().string());
  EXPECT_EQ(shipped, captions);
}

// Its title kept from a start that could not read that record, a new group is made beside it.
TEST(QuickCreate, CollectionBesideAnUnreadRecordTakesTheNextTitle) {
  const ExchangeFile file =
      LoadExchangeFile(WENDLIX_TEST_DATA "/../../src/res/搜索引擎网站.GLF", ExchangeReading::kCollection);
  EXPECT_EQ(DecideCollection("搜索引擎网站", "x", file, {Panel("搜索引擎网站(1)", gkWeb)}, kMainFont,
                             {"搜索引擎网站"})
                .Group.Data.Title,
            "搜索引擎网站(2)");
}

}  // namespace
}  // namespace wendlix
