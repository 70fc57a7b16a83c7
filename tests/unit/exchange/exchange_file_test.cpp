#include "core/exchange/exchange_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/exchange/exchange_import.h"
#include "core/profile/ini_file.h"
#include "support/files.h"

namespace wendlix {
namespace {

using testing_support::Cp936;

ExchangeFile Import(std::string_view bytes) { return ParseExchangeFile(bytes, ExchangeReading::kImport); }
ExchangeFile Collection(std::string_view bytes) {
  return ParseExchangeFile(bytes, ExchangeReading::kCollection);
}

GroupRecord WebGroup() {
  GroupRecord g;
  g.Data.Title = "网址";
  g.Data.PanelStyle = gkWeb;
  g.Data.Color = 0x00F2F2D9;
  g.Data.DrawStyle = 1;
  g.Data.Font = {0x000000FF, 12, "黑体"};
  g.Data.PictureFile = "D:\\图片\\底图.bmp";
  g.Data.SmallIcon = true;
  g.Width = 150;
  g.Height = 220;
  g.Buttons = {{"新闻", "http://news.example.cn/", false},
               {"Sports", "http://old.example.cn/", false},
               {"SPORTS", "http://sports.example.cn/", false},  // one name: one line, the later value
               {"Empty", "", false},
               {"a=b", "http://x.example.cn/", false}};  // a key the format cannot hold
  return g;
}

TEST(ExchangeFile, DamagedFilesAreRefusedWhole) {
  using F = ExchangeFault;
  constexpr ExchangeReading kImport = ExchangeReading::kImport, kCollection = ExchangeReading::kCollection;
  struct Case {
    std::string bytes;
    ExchangeReading reading;
    ExchangeFault fault;
  };
  const Case cases[] = {
      {"", kImport, F::kNoConfig},
      {"[Buttons]\r\nA=http://a.cn\r\n", kImport, F::kNoConfig},
      {"[Buttons]\r\nA=http://a.cn\r\n", kCollection, F::kNone},
      {"[Other]\r\nA=1\r\n", kCollection, F::kNoSections},
      {"[Config]\r\n", kImport, F::kNone},
      {"[config]\r\nPanel Style=3\r\n[Buttons]\r\nA=x\r\n", kImport, F::kBadKind},
      {"[Config]\r\nPanel Style=-1\r\n", kCollection, F::kBadKind},
      {"[Config]\r\nPanel Style=\r\n", kImport, F::kBadKind},
      {"[Config]\r\nPanel Style=65537\r\n", kImport, F::kBadKind},  // no low bits
      {"[Config]\r\nPanel Style=0x2\r\n", kImport, F::kNone},
      {std::string(kMaxExchangeFileBytes + 1, ' '), kCollection, F::kTooLarge},
  };
  for (const Case& c : cases) {
    const ExchangeFile f = ParseExchangeFile(c.bytes, c.reading);
    EXPECT_EQ(f.Fault, c.fault) << c.bytes.substr(0, 60);
    if (f.Damaged()) {
      EXPECT_TRUE(f.Lines.empty() && f.Settings == ExchangeSettings{});
    }
  }
}

TEST(ExchangeFile, UnusableValuesCountAsMissing) {
  const ExchangeFile f = Import(
      "[Config]\r\nWidth=0\r\nHeight=10001\r\nFontSize=201\r\nDraw style=3\r\nColor=-2147483623\r\n"
      "From Color=16777216\r\nTo Color=536870912\r\nFontColor=abc\r\nFontName=\r\n"
      "Directory=\\\\server\\share\\\r\nPictureFile=http://example.cn/x.bmp\r\nTitle Text=Groups\r\n"
      "ShowTitle=yes\r\n");
  ASSERT_FALSE(f.Damaged());
  EXPECT_EQ(f.Settings, ExchangeSettings{});

  const ExchangeFile g = Import(
      Cp936("[Config]\r\nWidth=1\r\nHeight=10000\r\nFontSize=200\r\nDraw style=2\r\nColor=-2147483618\r\n"
            "From Color=16777215\r\nTo Color=0\r\nFontColor=-2147483648\r\n"
            "FontName=0123456789012345678901234567890\r\n"
            "Directory=D:\\工具\\\r\nPictureFile=\r\nTitle Text=工具\r\nShowTitle=-7\r\nSmallIcon=0\r\n"));
  // The edges of every range are taken (0x8000001E: the last system colour); ShowAsButton is a
  // collection's only.
  ExchangeSettings want;
  want.Title = "工具";
  want.ShowTitle = true;
  want.SmallIcon = false;
  want.Width = 1;
  want.Height = 10000;
  want.Directory = "D:\\工具\\";
  want.PictureFile = "";
  want.Color = static_cast<std::int32_t>(0x8000001Eu);
  want.FromColor = 16777215;
  want.ToColor = 0;
  want.DrawStyle = 2;
  want.FontColor = static_cast<std::int32_t>(0x80000000u);
  want.FontSize = 200;
  want.FontName = "0123456789012345678901234567890";
  EXPECT_EQ(g.Settings, want);

  // Font names count UTF-16 units: 32 Chinese characters are one too many.
  std::string longName;
  for (int i = 0; i < 32; ++i) longName += "宋";
  EXPECT_TRUE(
      Import(Cp936("[Config]\r\nFontName=" + longName.substr(3) + "\r\n")).Settings.FontName.has_value());
  EXPECT_FALSE(Import(Cp936("[Config]\r\nFontName=" + longName + "\r\n")).Settings.FontName.has_value());
}

TEST(ExchangeFile, TitlesTheGroupFileCannotHoldAreNotTaken) {
  for (const char* title : {"groups", "Tools  Buttons", "Tools  BUTTONS", "[x", ";x", "a=b"}) {
    const std::string bytes = std::string("[Config]\r\nTitle Text=") + title + "\r\n";
    EXPECT_FALSE(Import(bytes).Settings.Title.has_value()) << title;
  }
  EXPECT_EQ(Import("[Config]\r\nTitle Text=Tools Buttons\r\n").Settings.Title, "Tools Buttons");  // one space
  // A collection's title key is "Title"; "Title Text" means nothing there.
  const ExchangeFile c = Collection("[Config]\r\nTitle Text=A\r\nTitle=B\r\nShowAsButton=1\r\nWidth=50\r\n");
  EXPECT_EQ(c.Settings.Title, "B");
  EXPECT_EQ(c.Settings.ShowAsButton, true);
  EXPECT_FALSE(c.Settings.Width.has_value());
  // A character outside code page 936 (from a UTF-8 file) cannot become a section name.
  EXPECT_FALSE(
      Import("\xef\xbb\xbf[Config]\nTitle Text=Tools \xf0\x9f\x98\x80\n").Settings.Title.has_value());
}

TEST(ExchangeFile, ButtonLinesAreReadAsTheGroupFileReadsThem) {
  const ExchangeFile f = Import(
      "[Config]\r\n[Buttons]\r\nNews=http://first.cn\r\nnews=http://second.cn\r\nBlank=\r\nBlank=http://"
      "b.cn\r\n"
      "; note=1\r\nno "
      "equals\r\n\xD0\xC2\xC0\xCB=http://sina.cn\r\nLast=\"quoted\"\r\n[Buttons]\r\nLater=x\r\n");
  EXPECT_EQ(f.Lines, (std::vector<ExchangeLine>{
                         {"News", "http://first.cn"}, {"新浪", "http://sina.cn"}, {"Last", "quoted"}}));
}

TEST(ExchangeFile, FileNamesForImportAndExport) {
  EXPECT_EQ(ImportFilePath("C:\\a\\网址"), "C:\\a\\网址.GLF");
  EXPECT_EQ(ImportFilePath("C:\\a\\list.txt"), "C:\\a\\list.txt");  // the file chosen is the file read
  EXPECT_EQ(ExportFilePath("C:\\a\\Web 2.0"), "C:\\a\\Web 2.0.GLF");
  EXPECT_EQ(ExportFilePath("C:\\a\\web.glf"), "C:\\a\\web.glf");
  EXPECT_EQ(ExportFilePath("C:\\a\\notes.txt"), "C:\\a\\notes.txt.GLF");  // never over another file type
}

TEST(ExchangeFile, ExportWritesTheWholeFileInCodePage936) {
  const ExchangeExport e = ExportGroup(WebGroup(), false);
  EXPECT_EQ(e.Bytes,
            "[Config]\r\nVisible=0\r\nShowTitle=1\r\nShowCaption=1\r\nLayoutLeft=1\r\nBevelDown="
            "1\r\nSmallIcon=1\r\n"
            "ShowTitleIcon=0\r\nWidth=150\r\nHeight=220\r\nTitle Text=\xCD\xF8\xD6\xB7\r\nPanel Style=1\r\n"
            "Directory=C:\\\r\nColor=15921881\r\nFrom Color=16777215\r\nTo Color=16711680\r\nDraw style=1\r\n"
            "FontColor=255\r\nFontSize=12\r\nFontName=\xBA\xDA\xCC\xE5\r\n"
            "PictureFile=D:\\\xCD\xBC\xC6\xAC\\\xB5\xD7\xCD\xBC.bmp\r\n"
            "[Buttons]\r\n\xD0\xC2\xCE\xC5=http://news.example.cn/\r\nSports=http://sports.example.cn/\r\n");
  EXPECT_EQ(e.Skipped, std::vector<std::string>{"a=b"});
  // A shortcut group carries file names only.
  GroupRecord tools;
  tools.Data.Title = "Tools";
  tools.Buttons = {{"Editor", "C:\\Tools\\Editor.lnk", false}, {"Sub", "C:\\Tools\\Sub", true}};
  const ExchangeFile back = Import(ExportGroup(tools, true).Bytes);
  EXPECT_EQ(back.Lines, (std::vector<ExchangeLine>{{"Editor", "Editor.lnk"}, {"Sub", "Sub"}}));
}

// Export, then import into another group of the same kind: every setting arrives but the
// title, visibility and button display mode, which stay the target's.
TEST(ExchangeFile, ExportImportRoundTripPerKind) {
  for (std::uint16_t kind : {gkShortcut, gkWeb, gkEmail}) {
    GroupRecord source = WebGroup();
    source.Data.PanelStyle = kind;
    source.Data.Directory = "D:\\快捷方式\\";
    source.Data.ShowTitleIcon = true;
    source.Data.LayoutLeft = false;
    if (kind == gkShortcut) source.Buttons = {{"记事本", "D:\\快捷方式\\记事本.lnk", false}};
    if (kind == gkEmail) source.Buttons = {{"张三", "MAILTO:zhang@example.cn", false}};
    GroupRecord target;
    target.Data.Title = "目标";
    target.Data.PanelStyle = kind;
    target.Data.ShowAsButton = true;
    target.Data.Visible = false;

    const ExchangeFile file = Import(ExportGroup(source, true).Bytes);
    const std::optional<ImportDecision> d = DecideImport(target, file, {"网址"});
    ASSERT_TRUE(d.has_value());
    EXPECT_FALSE(d->Ask);
    TPanelData expected = source.Data;
    expected.Title = "目标";
    expected.ShowAsButton = true;
    expected.Visible = false;
    EXPECT_EQ(d->Group.Data, expected) << kind;
    EXPECT_EQ(d->Group.Width, 150);
    EXPECT_EQ(d->Group.Height, 220);
    const std::vector<ExchangeLine> lines =
        kind == gkShortcut ? std::vector<ExchangeLine>{{"记事本", "记事本.lnk"}}
        : kind == gkWeb    ? std::vector<ExchangeLine>{{"新闻", "http://news.example.cn/"},
                                                       {"Sports", "http://sports.example.cn/"}}
                           : std::vector<ExchangeLine>{{"张三", "MAILTO:zhang@example.cn"}};
    EXPECT_EQ(d->Lines, lines) << kind;
  }
}

TEST(ExchangeFile, FilesOnDisk) {
  const testing_support::TempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  const std::string path = (dir / "web.GLF").string();

  // Exporting again after a button was deleted leaves no line of it behind.
  GroupRecord web = WebGroup();
  ASSERT_TRUE(SaveExport(path, ExportGroup(web, true)));
  web.Buttons.erase(web.Buttons.begin());
  ASSERT_TRUE(SaveExport(path, ExportGroup(web, true)));
  const ExchangeFile back = LoadExchangeFile(path, ExchangeReading::kImport);
  EXPECT_EQ(back.Lines, (std::vector<ExchangeLine>{{"Sports", "http://sports.example.cn/"}}));
  EXPECT_EQ(back.Settings.PanelStyle, gkWeb);

  EXPECT_EQ(LoadExchangeFile((dir / "none.GLF").string(), ExchangeReading::kImport).Fault,
            ExchangeFault::kMissing);
  EXPECT_EQ(LoadExchangeFile(dir.string(), ExchangeReading::kImport).Fault, ExchangeFault::kMissing);
  // A file that is there but gives no bytes, whoever reads it (permissions would not stop root):
  // reading this process's memory from address 0 fails.
  EXPECT_EQ(LoadExchangeFile("/proc/self/mem", ExchangeReading::kImport).Fault, ExchangeFault::kUnreadable);
}

}  // namespace
}  // namespace wendlix
