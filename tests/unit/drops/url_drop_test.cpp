// Web links dropped on the bar: the address and title a drag gives, and
// what a drop writes into the group file.
#include "core/drops/url_drop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/bar/group_construction.h"
#include "core/bar/group_file.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "core/text/encoding.h"
#include "support/files.h"

namespace wendlix {

void PrintTo(const DroppedLink& link, std::ostream* os) {
  *os << "{\"" << link.URL << "\", \"" << link.Title << "\"}";
}

namespace {

using testing_support::Cp936;

TEST(UrlDrop, AddressAndTitleFollowTheOrderOfPreference) {
  const std::string shortcut = "[InternetShortcut]\r\nURL=http://news.example/今日\r\nIconIndex=0\r\n";
  // As the shell writes them: the address after "IDList=", or behind a property section.
  const std::string idList = "[InternetShortcut]\r\nIDList=\r\nURL=http://id.example/\r\n";
  const std::string behind =
      "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n[InternetShortcut]\r\nURL=http://b.example/\r\n";
  const std::string long260(260, 'a');
  const std::string chinese260 = [] {
    std::string s;
    for (int i = 0; i < 260; ++i) s += "网";
    return s;
  }();
  struct Case {
    const char* what;
    DragOffer offer;
    DroppedLink want;
  };
  const Case cases[] = {
      {"address format beats text",
       {.UniformResourceLocator = "http://a.example/", .Text = "http://b.example/"},
       {"http://a.example/", "http://a.example/"}},
      {"descriptor names the link",
       {.UniformResourceLocator = "http://a.example/", .DescriptorName = "示例 页面.url"},
       {"http://a.example/", "示例 页面"}},
      {"a descriptor name keeps any other extension",
       {.UniformResourceLocator = "http://a.example/p.jpeg", .DescriptorName = "photo.jpeg"},
       {"http://a.example/p.jpeg", "photo.jpeg"}},
      {"blank address format gives way",
       {.UniformResourceLocator = " ", .Text = " http://b.example/\r\n"},
       {"http://b.example/", "http://b.example/"}},
      {"text beats file contents",
       {.Text = "www.c.example", .FileContents = Cp936(shortcut)},
       {"www.c.example", "www.c.example"}},
      {"contents as a shortcut, CRLF",
       {.FileContents = Cp936(shortcut)},
       {"http://news.example/今日", "http://news.example/今日"}},
      {"contents with the address after IDList",
       {.FileContents = idList, .DescriptorName = "Id.URL"},
       {"http://id.example/", "Id"}},
      {"contents with the shortcut behind another section",
       {.FileContents = behind},
       {"http://b.example/", "http://b.example/"}},
      {"contents as a shortcut, whole however long",
       {.FileContents = "[InternetShortcut]\r\nURL=" + long260 + std::string(4, '\0')},
       {long260, long260}},
      {"a shortcut without its address offers nothing, the .url file is next",
       {.Files = {"C:\\b.url"},
        .FirstFileBytes = behind,
        .FileContents = "[InternetShortcut]\r\nIDList=\r\n"},
       {"http://b.example/", "b"}},
      {"other contents from the 24th character to the line end",
       {.FileContents = "0123456789012345678901_http://d.example/\r\nmore"},
       {"http://d.example/", "http://d.example/"}},
      {"other contents capped at 250",
       {.FileContents = std::string(23, '-') + long260},
       {std::string(250, 'a'), std::string(250, 'a')}},
      {"contents shorter than 24 characters offer nothing, the .url file is next",
       {.Files = {"C:\\收藏\\新闻.URL"}, .FirstFileBytes = Cp936(shortcut), .FileContents = "short"},
       {"http://news.example/今日", "新闻"}},
      {"a shortcut file's address whole however long",
       {.Files = {"D:\\x.url"}, .FirstFileBytes = Cp936("[InternetShortcut]\nURL=" + chinese260)},
       {chinese260, "x"}},
      {"a .url file that is no shortcut: no address, its name",
       {.Files = {"C:\\坏.url"}, .FirstFileBytes = "[Other]\nURL=x"},
       {"", "坏"}},
      {"an unreadable .url file", {.Files = {"C:\\gone.url"}}, {"", "gone"}},
      {"descriptor beats the file name",
       {.Files = {"C:\\a.url"}, .FirstFileBytes = Cp936(shortcut), .DescriptorName = "Better.url"},
       {"http://news.example/今日", "Better"}},
      {"a descriptor name that is only the extension leaves the address",
       {.UniformResourceLocator = "http://e.example/", .DescriptorName = ".url"},
       {"http://e.example/", "http://e.example/"}},
      {"plain files give nothing", {.Files = {"C:\\a.txt", "C:\\b.url"}}, {"", ""}},
      {"nothing at all", {}, {"", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadDroppedLink(c.offer), c.want);
  }
  // The section and key as the profile reader finds them: any letter case, blanks around,
  // the first of each, quotes off.
  const std::pair<std::string, std::string> shortcuts[] = {
      {"[InternetShortcut] trailing\r\nURL=x=y\r\n", "x=y"},
      {" [internetshortcut]\r\n url = x \r\n", "x"},
      {"[InternetShortcut]\r\n\r\nURL=\"x\"\r\nURL=second\r\n", "x"},
      {"[Other]\r\nURL=no\r\n[InternetShortcut]\r\nIconIndex=0\r\n", ""},
  };
  for (const auto& [bytes, want] : shortcuts) EXPECT_EQ(InternetShortcutAddress(bytes), want) << bytes;
  EXPECT_EQ(InternetShortcutAddress(testing_support::Utf16Le(u"[InternetShortcut]\r\nURL=http://网/\r\n") +
                                    std::string(6, '\0')),
            "http://网/");
}

TEST(UrlDrop, DecisionAndTheNameTheFileCanHold) {
  using K = UrlDropStep::Kind;
  EXPECT_EQ(DecideUrlDrop(std::nullopt, {"http://a/", "A"}).What, K::kNothing);
  for (std::uint16_t kind : {std::uint16_t{gkShortcut}, std::uint16_t{gkEmail}, std::uint16_t{7}}) {
    EXPECT_EQ(DecideUrlDrop(kind, {"http://a/", "A"}),
              (UrlDropStep{K::kNotWebGroup, "你不能将文件拖入该收藏夹！", "乱拖...."}));
  }
  EXPECT_EQ(DecideUrlDrop(gkShortcut, {"", ""}).What, K::kNotWebGroup);  // the group decides first
  EXPECT_EQ(
      DecideUrlDrop(gkWeb, {"", "x"}),
      (UrlDropStep{K::kNoAddress, "你不能将该文件拖入网址收藏夹！\r\r请试着将该文件拖入快捷按钮图标工具栏!",
                   "乱拖...."}));
  for (const char* bad : {"http://a/\r\nb", "http://a/\nb", "a\tb", "a\x7F"}) {
    EXPECT_EQ(DecideUrlDrop(gkWeb, {bad, "t"}).What, K::kBadAddress) << bad;
  }
  // The address is kept exactly, no "http://" added; the name gives "=" its full-width form.
  EXPECT_EQ(DecideUrlDrop(gkWeb, {"www.a.example/?q=1", "www.a.example/?q=1"}),
            (UrlDropStep{K::kAdd, "", "", "www.a.example/?q＝1", "www.a.example/?q=1"}));
  EXPECT_EQ(DecideUrlDrop(gkWeb, {"http://a/", "["}), (UrlDropStep{K::kAdd, "", "", "［", "http://a/"}));

  struct Case {
    const char* title;
    const char* url;
    const char* key;
  };
  const Case cases[] = {
      {"新闻", "u", "新闻"},
      {"  a=b  ", "u", "a＝b"},
      {"E=mc² - 百科", "u", "E＝mc? - 百科"},            // ² is not in code page 936
      {"Hot \xF0\x9F\x94\xA5 news", "u", "Hot ? news"},  // nor is anything beyond the BMP
      {"bad \xFF byte", "u", "bad ? byte"},
      {"line\r\nbreak", "u", "line  break"},
      {"[Section]", "u", "［Section]"},
      {" ;comment", "u", "；comment"},
      {"a[b;c", "u", "a[b;c"},  // only a leading one would misread
      {" \r\n ", "http://a/?x=1", "http://a/?x＝1"},
      {"", "http://a/", "http://a/"},
      {"\t", ";[http://a/", "；[http://a/"},
  };
  for (const Case& c : cases) {
    const std::string key = LinkKey(c.title, c.url);
    EXPECT_EQ(key, c.key) << c.title;
    // What is shown is what the file reads back: every key is storable as it stands.
    EXPECT_TRUE(Utf8ToCp936(key).has_value()) << c.title;
  }
  const std::string withNul("a\0b", 3);
  EXPECT_EQ(LinkKey(withNul, "u"), "a b");
}

class UrlDropStoreTest : public testing_support::TempFolderTest {
 protected:
  void SetUp() override {
    path_ = PathOf("Wendlix.GPF");
    std::ofstream(path_, std::ios::binary) << Cp936(
        "[Groups]\r\n网站=C:\\\r\n[网站]\r\nPanel Style=1\r\n; 注释\r\n[网站  Buttons]\r\n"
        "News=news.example\r\n搜索=http://search.example/\r\n[Other]\r\nk=v\r\n");
    panel_.Data.Title = "网站";
    panel_.Data.PanelStyle = gkWeb;
  }
  std::string OnDisk() const { return Cp936ToUtf8(platform::ReadWholeFile(path_).value_or("")); }
  std::vector<std::pair<std::string, std::string>> Buttons() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const BarButton& b : panel_.Children) {
      if (!b.IsCollapse()) out.emplace_back(b.Hint, b.FileName);
    }
    return out;
  }
  void Fill() {
    const IniFile gpf(path_);
    FillUrlGroup(panel_, gpf);
  }

  std::string path_;
  GroupPanel panel_;
};

TEST_F(UrlDropStoreTest, ATakenNameKeepsItsAddressAndTheNewLinkIsNumbered) {
  Fill();
  IniFile gpf(path_);
  const LinkStored added = StoreDroppedLink(panel_, gpf, "示例", "www.example.com/?a=1");
  EXPECT_TRUE(added.Ok && added.Added);
  EXPECT_EQ(added.Name, "示例");
  EXPECT_EQ(OnDisk(),
            "[Groups]\r\n网站=C:\\\r\n[网站]\r\nPanel Style=1\r\n; 注释\r\n[网站  Buttons]\r\n"
            "News=http://news.example\r\n搜索=http://search.example/\r\n示例=www.example.com/?a=1\r\n"
            "[Other]\r\nk=v\r\n");
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(Buttons(), (std::vector<P>{{"News", "http://news.example"},
                                       {"搜索", "http://search.example/"},
                                       {"示例", "http://www.example.com/?a=1"}}));
  ASSERT_FALSE(panel_.Children.empty());
  EXPECT_TRUE(panel_.Children.back().IsCollapse());

  // The same name (in any letter case) with another address: numbered after it, in turn.
  for (const char* want : {"NEWS(1)", "NEWS(2)"}) {
    IniFile again(path_);
    const LinkStored numbered =
        StoreDroppedLink(panel_, again, "NEWS", std::string("https://news.example/") + want);
    EXPECT_TRUE(numbered.Ok && numbered.Added);
    EXPECT_EQ(numbered.Name, want);
  }
  // A name whose (numbered) key already holds this address changes nothing, also when the
  // file keeps it without its "http://".
  const std::string before = OnDisk();
  const auto shown = Buttons();
  for (const auto& [name, url] : std::vector<P>{{"News", "http://news.example"},
                                                {"news", "https://news.example/NEWS(2)"},
                                                {"搜索", "http://search.example/"}}) {
    IniFile same(path_);
    const LinkStored kept = StoreDroppedLink(panel_, same, name, url);
    EXPECT_TRUE(kept.Ok);
    EXPECT_FALSE(kept.Added) << name;
  }
  EXPECT_EQ(OnDisk(), before);
  EXPECT_EQ(Buttons(), shown);
  EXPECT_EQ(shown, (std::vector<P>{{"News", "http://news.example"},
                                   {"搜索", "http://search.example/"},
                                   {"示例", "http://www.example.com/?a=1"},
                                   {"NEWS(1)", "https://news.example/NEWS(1)"},
                                   {"NEWS(2)", "https://news.example/NEWS(2)"}}));
}

TEST_F(UrlDropStoreTest, AMoveMadeOnTheBarSurvivesTheRefill) {
  Fill();
  std::swap(panel_.Children[0], panel_.Children[1]);  // as a button move leaves them, unsaved
  IniFile gpf(path_);
  EXPECT_TRUE(StoreDroppedLink(panel_, gpf, "New", "http://new.example/").Ok);
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(Buttons(), (std::vector<P>{{"搜索", "http://search.example/"},
                                       {"News", "http://news.example"},
                                       {"New", "http://new.example/"}}));
  EXPECT_EQ(IniFile(path_).ReadSection("网站  Buttons"), (std::vector<std::string>{"搜索", "News", "New"}));
}

TEST_F(UrlDropStoreTest, UnfilledGroupRefusalsAndFailedSavesLeaveTheBarAsItWas) {
  // A group collapsed into PanelBtn holds no buttons: the file keeps its own and gains one.
  IniFile gpf(path_);
  EXPECT_TRUE(StoreDroppedLink(panel_, gpf, "New", "http://new.example/").Ok);
  EXPECT_TRUE(panel_.Children.empty());
  EXPECT_EQ(IniFile(path_).ReadSection("网站  Buttons"), (std::vector<std::string>{"News", "搜索", "New"}));

  // A name with characters code page 936 lacks is stored as the file reads it back.
  Fill();
  const std::string before = OnDisk();
  IniFile emoji(path_);
  const std::string hot = LinkKey("Hot \xF0\x9F\x94\xA5", "http://hot.example/");
  EXPECT_TRUE(StoreDroppedLink(panel_, emoji, hot, "http://hot.example/").Ok);
  EXPECT_EQ(IniFile(path_).ReadString("网站  Buttons", "Hot ?", ""), "http://hot.example/");
  // The address cannot be stored: a clear refusal and nothing written.
  const std::string stored = OnDisk();
  const auto children = panel_.Children;
  IniFile none(path_);
  const LinkStored refused = StoreDroppedLink(panel_, none, "x", "http://\xF0\x9F\x94\xA5/");
  EXPECT_FALSE(refused.Ok);
  EXPECT_EQ(refused.Text, kUnstorableLinkText);
  EXPECT_EQ(OnDisk(), stored);
  EXPECT_EQ(panel_.Children, children);

  // The file cannot be saved: the error names it, the bar shows nothing new.
  IniFile lost(PathOf("missing/Wendlix.GPF"));
  const LinkStored failed = StoreDroppedLink(panel_, lost, "x", "http://x/");
  EXPECT_FALSE(failed.Ok);
  EXPECT_EQ(failed.Caption, "保存失败");
  EXPECT_EQ(failed.Text,
            "无法保存分组文件:\r\n" + PathOf("missing/Wendlix.GPF") + "\r\n\r\n该网址没有加入收藏夹。");
  EXPECT_EQ(panel_.Children, children);
  EXPECT_NE(before, stored);
}

}  // namespace
}  // namespace wendlix
