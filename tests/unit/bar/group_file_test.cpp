#include "core/bar/group_file.h"

#include <gtest/gtest.h>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

IniFile Reparse(const IniFile& doc) { return IniFile::FromBytes(doc.ToBytes()); }

TEST(GroupFile, MissingKeysTakeTheKeyTableDefaults) {
  const IniFile gpf = IniFile::FromBytes("[Tools]\r\nPanel Style=1\r\nColor=oops\r\nDraw style=258\r\n");
  const GroupRecord g = ReadGroupRecord(gpf, "TOOLS");  // section names ignore case
  // Every other field is the record's default, whose values the written bytes below pin.
  TPanelData expected;
  expected.PanelStyle = gkWeb;
  expected.DrawStyle = 2;  // a byte keeps the low bits
  // Without "Title Text" (a file cut inside the record) the group keeps its section's name as
  // the file spells it, so that the next save does not move it to another title.
  expected.Title = "Tools";
  EXPECT_EQ(g.Data, expected);
  EXPECT_EQ(g.Data.Color, 0x00E5E5E5);
  EXPECT_TRUE(g.Width == 120 && g.Height == 100);
  const IniFile titled = IniFile::FromBytes("[a]\r\nTitle Text=\r\n[b]\r\nTitle Text=Other\r\n");
  EXPECT_EQ(ReadGroupRecord(titled, "A").Data.Title, "a");  // an empty title can name no section
  EXPECT_EQ(ReadGroupRecord(titled, "b").Data.Title, "Other");
}

TEST(GroupFile, SaveGroupWritesTheKeysInTableOrderInCodePage936) {
  IniFile gpf = IniFile::FromBytes("");
  GroupRecord g;
  g.Data.Title = "工具";
  g.Data.Directory = "D:\\工具";
  g.Data.Color = kClBtnFace;
  g.Width = 140;
  SaveGroup(gpf, g, false);
  EXPECT_EQ(gpf.ToBytes(),
            "[Groups]\r\n\xB9\xA4\xBE\xDF=D:\\\xB9\xA4\xBE\xDF\r\n"
            "[\xB9\xA4\xBE\xDF]\r\nVisible=1\r\nShowTitle=1\r\nShowAsButton=0\r\nShowCaption=1\r\n"
            "LayoutLeft=1\r\nBevelDown=1\r\nSmallIcon=0\r\nShowTitleIcon=0\r\nWidth=140\r\nHeight=100\r\n"
            "Panel Style=0\r\nColor=-2147483633\r\nFrom Color=16777215\r\nTo Color=16711680\r\n"
            "Draw style=0\r\nFontColor=-2147483640\r\nFontSize=9\r\nDirectory=D:\\\xB9\xA4\xBE\xDF\r\n"
            "Title Text=\xB9\xA4\xBE\xDF\r\nFontName=\xCB\xCE\xCC\xE5\r\nPictureFile=\r\n");
  // What was written reads back as the same record, every field off its default too, so that
  // no key written is left unread.
  const GroupRecord back = ReadGroupRecord(Reparse(gpf), "工具");
  EXPECT_EQ(back.Data, g.Data);
  EXPECT_EQ(back.Width, 140);
  GroupRecord odd = g;
  TPanelData& d = odd.Data;
  d.PictureFile = "D:\\背景.bmp";
  d.Color = 0x00123456;
  d.FromColor = 0x00010203;
  d.ToColor = 0x00040506;
  d.DrawStyle = 2;
  d.Font = {0x00070809, 12, "黑体"};
  d.PanelStyle = gkWeb;
  d.ShowAsButton = d.SmallIcon = d.ShowTitleIcon = true;
  d.ShowCaption = d.ShowTitle = d.LayoutLeft = d.BevelDown = d.Visible = false;
  odd.Height = 77;
  SaveGroup(gpf, odd, false);
  const GroupRecord oddBack = ReadGroupRecord(Reparse(gpf), "工具");
  EXPECT_EQ(oddBack.Data, odd.Data);
  EXPECT_EQ(oddBack.Width, 140);
  EXPECT_EQ(oddBack.Height, 77);
}

TEST(GroupFile, BookmarkSourceIsStoredInKeysOfTheWebGroupsSection) {
  IniFile gpf = IniFile::FromBytes("[G]\r\nBookmarkFolder=stale\r\n");
  const BookmarkSource source{"edge", "Profile 1", {"42", {"bookmark_bar", "工作"}}};
  WriteBookmarkSource(gpf, "G", source);
  EXPECT_EQ(gpf.ToBytes(),
            "[G]\r\nBookmarkFolder=bookmark_bar\\\xB9\xA4\xD7\xF7\r\nBookmarkBrowser=edge\r\n"
            "BookmarkProfile=Profile 1\r\nBookmarkFolderId=42\r\n");
  EXPECT_EQ(ReadBookmarkSource(Reparse(gpf), "G"), source);
  // A path the file cannot hold is left out rather than kept stale: the id finds the folder.
  WriteBookmarkSource(gpf, "G", {"edge", "Profile 1", {"42", {"bookmark_bar", "😀"}}});
  EXPECT_EQ(ReadBookmarkSource(Reparse(gpf), "G"),
            (BookmarkSource{"edge", "Profile 1", {"42", {"bookmark_bar"}}}));
  WriteBookmarkSource(gpf, "G", {});
  EXPECT_EQ(gpf.ToBytes(), "[G]\r\n");
  // Only the browser is needed; only a web group has a source.
  const IniFile bare = IniFile::FromBytes(
      "[W]\r\nPanel Style=1\r\nBookmarkBrowser=chrome\r\n[S]\r\nPanel Style=0\r\nBookmarkBrowser=chrome\r\n");
  EXPECT_EQ(ReadGroupRecord(bare, "W").Data.Bookmarks, (BookmarkSource{"chrome", "Default", {}}));
  EXPECT_EQ(ReadGroupRecord(bare, "S").Data.Bookmarks, BookmarkSource{});
}

TEST(GroupFile, ButtonSectionIsRewrittenFromTheButtons) {
  IniFile gpf = IniFile::FromBytes(
      "[Web  Buttons]\r\nOld=http://old.cn\r\nStale=http://stale.cn\r\n[Web Buttons]\r\nkeep=1\r\n");
  GroupRecord web;
  web.Data.Title = "Web";
  web.Data.PanelStyle = gkWeb;
  web.Buttons = {{"News", "http://news.cn", false}, {"NoTarget", "", false}, {"Old", "http://new.cn", false}};
  SaveGroup(gpf, web, true);
  const IniFile back = Reparse(gpf);
  EXPECT_EQ(back.ReadSection("Web  Buttons"), (std::vector<std::string>{"News", "Old"}));
  EXPECT_EQ(back.ReadString("Web  Buttons", "Old", ""), "http://new.cn");
  EXPECT_EQ(back.ReadString("Web Buttons", "keep", ""), "1");  // one space is another section

  // Without buttons the button section is left as it was.
  web.Buttons.clear();
  SaveGroup(gpf, web, false);
  EXPECT_EQ(Reparse(gpf).ReadSection("Web  Buttons").size(), 2u);

  // A shortcut group stores file names only; its captions are the keys.
  GroupRecord tools;
  tools.Data.Title = "Tools";
  tools.Buttons = {{"Editor", "C:\\Tools\\Editor.lnk", false}, {"Sub", "C:\\Tools\\Sub", true}};
  SaveGroup(gpf, tools, true);
  EXPECT_EQ(ReadSavedOrder(Reparse(gpf), "Tools"), (std::vector<std::string>{"Editor.lnk", "Sub"}));
}

TEST(GroupFile, NamesTheFormatCannotHoldNeverReadBackDifferently) {
  IniFile gpf = IniFile::FromBytes("");
  GroupRecord web;
  web.Data.Title = "Web";
  web.Data.PanelStyle = gkWeb;
  web.Buttons = {{"a=b", "http://x.cn", false},
                 {"line\r\nbreak", "http://y.cn", false},
                 {"[sec", "http://z.cn", false},
                 {"fine", "http://ok.cn", false}};
  SaveGroup(gpf, web, true);
  const IniFile back = Reparse(gpf);
  EXPECT_EQ(back.ReadSection("Web  Buttons"), (std::vector<std::string>{"fine"}));
  EXPECT_EQ(back.ReadString("Web  Buttons", "a", "none"), "none");
  EXPECT_EQ(back.ReadSections(), gpf.ReadSections());
}

TEST(GroupFile, TwoGroupsWithOneTitleShareTheirSections) {
  IniFile gpf = IniFile::FromBytes("");
  GroupRecord first, second;
  first.Data.Title = second.Data.Title = "Same";
  first.Data.Directory = "C:\\one";
  second.Data.Directory = "C:\\two";
  first.Data.Color = 1;
  second.Data.Color = 2;
  SaveGroup(gpf, first, false);
  SaveGroup(gpf, second, false);
  const IniFile back = Reparse(gpf);
  EXPECT_EQ(back.ReadSection("Groups"), (std::vector<std::string>{"Same"}));
  EXPECT_EQ(back.ReadString("Groups", "Same", ""), "C:\\two");
  EXPECT_EQ(ReadGroupRecord(back, "Same").Data.Color, 2);
}

TEST(GroupFile, AddressesAreNormalisedByKind) {
  struct Case {
    const char* stored;
    std::uint16_t kind;
    const char* target;
  } cases[] = {
      {"www.example.com", gkWeb, "http://www.example.com"},
      {"HTTP://Example.COM/Path", gkWeb, "http://Example.COM/Path"},
      {"go to http://a.cn", gkWeb, "http://a.cn"},
      {"Http://a.cn?u=http://b.cn", gkWeb, "http://a.cn?u=http://b.cn"},  // first occurrence only
      {"https://a.cn", gkWeb, "https://a.cn"},                            // keeps its scheme
      {"HTTPS://A.cn", gkWeb, "HTTPS://A.cn"},
      {"ftp://a.cn", gkWeb, "http://ftp://a.cn"},
      {"me@example.com", gkEmail, "MAILTO:me@example.com"},
      {"mailto:Me@Example.com", gkEmail, "MAILTO:Me@Example.com"},
      {"x MailTo:me@a.cn", gkEmail, "MAILTO:me@a.cn"},
      {"https://a.cn", gkEmail, "MAILTO:https://a.cn"},  // the https rule is the web kind's
      {"me@a.cn", 7, "MAILTO:me@a.cn"}                   // any other kind fills as e-mail
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseAddress(c.stored, c.kind), c.target) << c.stored;

  const IniFile gpf =
      IniFile::FromBytes("[Mail  Buttons]\r\nBoss=boss@a.cn\r\nEmpty=\r\nTeam=mailto:team@a.cn\r\n");
  EXPECT_EQ(
      ReadAddressButtons(gpf, "Mail", gkEmail),
      (std::vector<GroupButton>{{"Boss", "MAILTO:boss@a.cn", false}, {"Team", "MAILTO:team@a.cn", false}}));
}

}  // namespace
}  // namespace wendlix
