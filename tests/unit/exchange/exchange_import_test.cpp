#include "core/exchange/exchange_import.h"

#include <gtest/gtest.h>

#include "core/bar/group_file.h"
#include "core/profile/ini_file.h"
#include "core/text/encoding.h"

namespace wendlix {
namespace {

// Test texts are UTF-8; files are code page 936.
ExchangeFile Import(std::string_view text) {
  return ParseExchangeFile(Utf8ToCp936(text).value(), ExchangeReading::kImport);
}

GroupRecord Target(std::uint16_t kind, std::string title) {
  GroupRecord g;
  g.Data.Title = std::move(title);
  g.Data.PanelStyle = kind;
  g.Data.Directory = "D:\\Tools\\";
  g.Data.ShowAsButton = true;
  g.Width = 130;
  g.Height = 90;
  return g;
}

constexpr char kWebFile[] =
    "[Config]\r\nPanel Style=1\r\nTitle Text=常用网址\r\nColor=255\r\nHeight=300\r\n"
    "[Buttons]\r\n新浪=http://www.sina.com.cn/\r\nBad=..\\..\\x.lnk\r\n";

TEST(ExchangeImport, SameKindKeepsTheTitleAndAsksNothing) {
  // The whole round trip is in the exchange file tests; here what a partial file leaves.
  const ImportDecision d = *DecideImport(Target(gkWeb, "Internet"), Import(kWebFile), {"Programs"});
  EXPECT_TRUE(d.Question.empty());
  EXPECT_FALSE(d.TitleChanged || d.EmptySection);
  EXPECT_EQ(d.Group.Data.Color, 255);
  EXPECT_EQ(d.Group.Data.Directory, "D:\\Tools\\");  // missing: the group's own
  EXPECT_EQ(d.Group.Width, 130);
  EXPECT_EQ(d.Group.Height, 300);
  EXPECT_EQ(d.Lines.size(), 2u);  // web lines are addresses: nothing to drop
}

TEST(ExchangeImport, KindChangeAsksTheExactQuestionAndEmptiesTheSection) {
  const ImportDecision d = *DecideImport(Target(gkShortcut, "Programs"), Import(kWebFile), {"Internet"});
  EXPECT_TRUE(d.Ask);
  EXPECT_EQ(d.Question,
            "当前需要导入的信息与现有信息有冲突\r\r当前工具栏是 【快捷方式工具栏】 \r"
            "将要载入的数据是 【网址收藏夹工具栏】 的信息\r\r是否继续导入信息？");
  EXPECT_EQ(d.Group.Data.PanelStyle, gkWeb);
  EXPECT_EQ(d.Group.Data.Title, "常用网址");
  EXPECT_TRUE(d.TitleChanged);
  EXPECT_TRUE(d.EmptySection);

  // Into a web group, a shortcut file's lines keep only bare entry names.
  const ImportDecision back = *DecideImport(
      Target(gkWeb, "Internet"),
      Import("[Config]\r\nPanel "
             "Style=0\r\n[Buttons]\r\nA=a.lnk\r\nB=..\r\nC=C:\\x.lnk\r\nD=sub/x.lnk\r\nE=Sub\r\n"),
      {});
  EXPECT_EQ(back.Lines, (std::vector<ExchangeLine>{{"A", "a.lnk"}, {"E", "Sub"}}));
  EXPECT_EQ(back.Group.Data.Title, "Internet");  // the file has no title

  // Stored kinds above 2 behave as e-mail groups: an e-mail file asks nothing there.
  EXPECT_FALSE(DecideImport(Target(7, "Mail"), Import("[Config]\r\nPanel Style=2\r\n"), {})->Ask);
}

TEST(ExchangeImport, TitleOfAnotherGroupIsNotTaken) {
  const ExchangeFile file = Import(kWebFile);
  EXPECT_EQ(DecideImport(Target(gkEmail, "Mail"), file, {"Programs", "常用网址"})->Group.Data.Title, "Mail");
  // The store compares ASCII letters without case.
  const ExchangeFile tools = Import("[Config]\r\nPanel Style=0\r\nTitle Text=TOOLS\r\n");
  const ImportDecision d = *DecideImport(Target(gkWeb, "Web"), tools, {"tools"});
  EXPECT_EQ(d.Group.Data.Title, "Web");
  EXPECT_FALSE(d.TitleChanged);
  EXPECT_TRUE(d.EmptySection);  // still a kind change
  // The group's own title in another spelling is fine.
  EXPECT_EQ(DecideImport(Target(gkWeb, "tools"), tools, {"Web"})->Group.Data.Title, "TOOLS");
}

TEST(ExchangeImport, DamagedFileDecidesNothingAndNamesTheFile) {
  EXPECT_FALSE(DecideImport(Target(gkWeb, "W"), Import("[Config]\r\nPanel Style=9\r\n"), {}).has_value());
  ExchangeFile missing;
  missing.Fault = ExchangeFault::kMissing;
  EXPECT_FALSE(DecideImport(Target(gkWeb, "W"), missing, {}).has_value());
  EXPECT_EQ(
      ImportErrorText("C:\\a\\b.GLF", ExchangeFault::kBadKind),
      "无法导入工具栏配置文件：\r\r\"C:\\a\\b.GLF\"\r\r文件中的工具栏类型 (Panel Style) 不是 0、1 或 2。\r"
      "工具栏没有任何改动。");
}

TEST(ExchangeImport, MergeAddsAndReplacesLinesAndEmptiesOnKindChange) {
  IniFile gpf = IniFile::FromBytes(
      "[Internet  Buttons]\r\nOld=http://old.cn\r\nsina=http://stale.cn\r\n[Other  Buttons]\r\nX=1\r\n");
  const std::vector<ExchangeLine> lines = {{"新浪", "http://sina.cn"}, {"SINA", "http://www.sina.com.cn"}};
  MergeButtonLines(gpf, "Internet", lines, false);
  IniFile back = IniFile::FromBytes(gpf.ToBytes());
  EXPECT_EQ(back.ReadSection("Internet  Buttons"), (std::vector<std::string>{"Old", "sina", "新浪"}));
  EXPECT_EQ(back.ReadString("Internet  Buttons", "sina", ""), "http://www.sina.com.cn");
  // Twice the same file: no duplicate lines.
  MergeButtonLines(gpf, "Internet", lines, false);
  EXPECT_EQ(IniFile::FromBytes(gpf.ToBytes()).ReadSection("Internet  Buttons").size(), 3u);

  ImportDecision d;
  d.Group.Data.Title = "Internet";
  d.Lines = {{"A", "a.lnk"}};
  d.EmptySection = true;
  ApplyImport(gpf, d);
  back = IniFile::FromBytes(gpf.ToBytes());
  EXPECT_EQ(back.ReadSection("Internet  Buttons"), std::vector<std::string>{"A"});
  EXPECT_EQ(back.ReadString("Other  Buttons", "X", ""), "1");
}

}  // namespace
}  // namespace wendlix
