#include "core/button_menu/group_commands.h"

#include <gtest/gtest.h>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

GroupPanel Filled(std::uint16_t kind, std::vector<std::pair<std::string, std::string>> buttons, int tag = 0) {
  GroupPanel p;
  p.Data.PanelStyle = kind;
  p.Tag = tag;
  for (const auto& [name, file] : buttons) AddGroupButton(p, name, false, file);
  AddCollapseButton(p);
  return p;
}

std::string Names(const GroupPanel& p) {
  std::string out;
  for (const BarButton& b : p.Children)
    out += b.IsCollapse() ? "|" + std::to_string(b.Tag)
                          : b.Hint + "=" + b.FileName + "#" + std::to_string(b.Tag) + " ";
  return out;
}

TEST(GroupCommands, WebButtonsKeepOneButtonPerKey) {
  GroupPanel web = Filled(gkWeb, {{"新闻", "http://a/"}, {"Mail", "http://m/"}});
  // A name already there (as a key: ASCII case ignored) takes the new address in its place.
  EXPECT_EQ(PutLaunchButton(web, "MAIL", "http://m2/"), 1);
  EXPECT_EQ(Names(web), "新闻=http://a/#1 MAIL=http://m2/#2 |2000");
  EXPECT_EQ(PutLaunchButton(web, "搜索", "http://s/"), 2);
  // A rename onto another button's name leaves one button of that name, where the renamed one was.
  ChangeLaunchButton(web, 0, "搜索", "http://s2/");
  EXPECT_EQ(Names(web), "搜索=http://s2/#1 MAIL=http://m2/#2 |2000");
  EXPECT_TRUE(RemoveLaunchButton(web, 1));
  EXPECT_FALSE(RemoveLaunchButton(web, 1));  // the collapse button is no launch button
  EXPECT_EQ(Names(web), "搜索=http://s2/#1 |2000");

  // Shortcut buttons are files: two of one caption are two files, and both stay.
  GroupPanel links = Filled(gkShortcut, {{"a", "C:\\g\\a.lnk"}});
  PutLaunchButton(links, "a", "C:\\g\\a.url");
  ChangeLaunchButton(links, 0, "b", "C:\\g\\b.lnk");
  EXPECT_EQ(Names(links), "b=C:\\g\\b.lnk#1 a=C:\\g\\a.url#2 |2000");

  // Saved, the section follows the bar's order: a rename keeps its place.
  IniFile gpf = IniFile::FromBytes("[web  Buttons]\r\nx=http://x/\r\n");
  web.Data.Title = "web";
  PutLaunchButton(web, "z", "http://z/");
  SaveGroup(gpf, PanelRecord(web), true);
  EXPECT_EQ(gpf.ReadSection("web  Buttons"), (std::vector<std::string>{"搜索", "z"}));
  EXPECT_FALSE(IsFilled(GroupPanel{}));
  EXPECT_TRUE(IsFilled(web));
}

TEST(GroupCommands, DeletingTheMiddleGroupRenumbersTheOthers) {
  std::vector<GroupPanel> groups;
  for (int i = 0; i < 3; ++i) {
    groups.push_back(Filled(gkWeb, {{"n", "http://n/"}}, i));
    groups[i].Data.Title = "G" + std::to_string(i);
    groups[i].MenuItem.Tag = i;
  }
  EXPECT_EQ(DeleteGroupAt(groups, 1), 2);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[1].Data.Title, "G2");
  EXPECT_EQ(groups[1].Tag, 1);
  EXPECT_EQ(groups[1].MenuItem.Tag, 1);
  EXPECT_EQ(groups[1].Children.back().Tag, 2001);  // its collapse button lists its own buttons
}

TEST(GroupCommands, TextsAndFlags) {
  EXPECT_EQ(AddressWithoutPrefix("http://a.b/c", gkWeb), "a.b/c");
  EXPECT_EQ(AddressWithoutPrefix("see HTTP://a", gkWeb), "a");
  EXPECT_EQ(AddressWithoutPrefix("a.b", gkWeb), "a.b");
  EXPECT_EQ(AddressWithoutPrefix("mailto:me@x", gkEmail), "me@x");
  EXPECT_EQ(DeleteButtonQuestion(gkEmail, {"我", "MailTo:me@x"}),
            "你是否确认要删除按钮: 【我】?\r\r其所定义的电子邮箱地址是:\rme@x");
  EXPECT_EQ(DeleteButtonQuestion(gkShortcut, {"a", "C:\\g\\a.lnk"}),
            "你是否确认要删除按钮: 【a】?\r\r同时将会从磁盘上删除以下文件:\rC:\\g\\a.lnk");
  TPanelData d = NewGroupData();
  d.Title = "T";
  d.PanelStyle = gkWeb;
  EXPECT_EQ(
      DeleteGroupQuestion(d),
      "将要删除工具栏 ------ 【T】\r\r删除该工具栏将请除其所包含的所有网址信息\r\r是否确认继续删除当前工具栏！");
  d.PanelStyle = gkShortcut;
  d.Directory = "D:\\工具";
  EXPECT_EQ(
      DeleteGroupQuestion(d),
      "将要删除工具栏 ------ 【T】\r\rD:\\工具\r\r删除该快捷方式工具栏, \r并不会从磁盘上清除其所包含的快捷方式文件;\r"
      "你可通过其他方式删除该工具栏下的所有快捷方式文件\r\r是否确认继续删除当前工具栏！");
  d.PanelStyle = 7;
  EXPECT_EQ(DeleteGroupQuestion(d), "将要删除工具栏 ------ 【T】\r\r是否确认继续删除当前工具栏！");

  const char* quick = "C:\\users\\a\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";
  EXPECT_TRUE(MayCreateGroupFolder(
      "c:\\USERS\\a\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\", quick));
  EXPECT_FALSE(MayCreateGroupFolder("C:\\users\\a\\AppData\\Roaming\\Microsoft", quick));
  EXPECT_FALSE(MayCreateGroupFolder("", ""));

  EXPECT_EQ(ToggleDisplayFlag(d, 30), FlagFollowUp::kLayout);
  EXPECT_FALSE(d.LayoutLeft);
  EXPECT_EQ(ToggleDisplayFlag(d, 40), FlagFollowUp::kRefill);
  EXPECT_TRUE(d.SmallIcon);
  EXPECT_EQ(ToggleDisplayFlag(d, 60), FlagFollowUp::kAppearance);
  const TPanelData before = d;
  EXPECT_EQ(ToggleDisplayFlag(d, 35), FlagFollowUp::kNone);
  EXPECT_EQ(d, before);
}

}  // namespace
}  // namespace wendlix
