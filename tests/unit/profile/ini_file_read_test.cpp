// Reading settings files the way the Windows profile functions do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

using Names = std::vector<std::string>;

struct ReadCase {
  const char* file;
  const char* section;
  const char* key;
  const char* expected;  // nullptr: the default comes back
};

TEST(IniFileRead, LinesBlanksSectionsAndKeys) {
  const ReadCase cases[] = {
      // Line ends in any mix, including a lone CR.
      {"[s]\rk=1\n[t]\r\nk=2", "s", "k", "1"},
      {"[s]\rk=1\n[t]\r\nk=2", "t", "k", "2"},
      {"[s]\r\n\r\n\n\rk=v", "s", "k", "v"},
      // Blanks: tab..CR, space and 0x1A are trimmed; the full-width space is not.
      {"[s]\n\t\x0b\x0c k \x1a= \x1a v\t\x1a\n", "s", "k", "v"},
      {"[s]\nk=\xa1\xa1v\xa1\xa1\n", "s", "k", "\xe3\x80\x80v\xe3\x80\x80"},
      {"\x1a[ s\t]\x1a\nk=v", "s", "k", "v"},
      {"[Sec  A]\nk=v", "Sec A", "k", nullptr},
      {"[Sec  A]\nk=v", "Sec  A", "k", "v"},
      // Header names run to the last bracket; text after it is ignored.
      {"[a]b]\nk=v", "a]b", "k", "v"},
      {"[s2] text\nk=v", "s2", "k", "v"},
      // No closing bracket: not a header, so the key stays in the section before.
      {"[s]\n[t\nk=v", "s", "k", "v"},
      {"[s]\n[t=x\n", "s", "[t", "x"},
      // A GBK trail byte 0x5D is no bracket: "[a乚" has none, "[乚]" is the section 乚.
      {"[s]\n[a\x81\x5d\nk=v", "s", "k", "v"},
      {"[\x81\x5d]\nk=v", "\xe4\xb9\x9a", "k", "v"},
      // Key lines: name before the first '=', the rest is the value.
      {"[s]\nk=a=b\n", "s", "k", "a=b"},
      {"[s]\nk=\n", "s", "k", ""},
      {"[s]\nk\n", "s", "k", nullptr},
      {"[s]\n=v\n", "s", "", nullptr},
      // Comments are whole lines starting with ';'; '#' is ordinary text.
      {"[s]\n;k=v\n", "s", ";k", nullptr},
      {"[s]\n  ;k=v\n", "s", ";k", nullptr},
      {"[s]\nk=v ;x\n", "s", "k", "v ;x"},
      {"[s]\n#k=v\n", "s", "#k", "v"},
      // One matching outer pair of quotes goes; blanks inside it stay.
      {"[s]\nk=\" a \"\n", "s", "k", " a "},
      {"[s]\nk='a'\n", "s", "k", "a"},
      {"[s]\nk=\"\"\n", "s", "k", ""},
      {"[s]\nk=\"a'\n", "s", "k", "\"a'"},
      {"[s]\nk=\"\n", "s", "k", "\""},
      {"[s]\nk=\"\"a\"\"\n", "s", "k", "\"a\""},
      {"[s]\nk=a\"b\"\n", "s", "k", "a\"b\""},
      // ASCII case only: the full-width letter must match exactly.
      {"[SeC]\nKeY=v", "sEc", "kEy", "v"},
      {"[s]\n\xa3\xc1=v", "s", "\xef\xbd\x81", nullptr},
      {"[s]\n\xa3\xc1=v", "s", "\xef\xbc\xa1", "v"},
      // First occurrence wins, for sections and for keys.
      {"[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "k", "1"},
      {"[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "j", nullptr},
      {"[s]\nk=1\nK=2\n", "s", "k", "1"},
      // Keys before the first header belong to no section.
      {"k=v\n[s]\n", "s", "k", nullptr},
      // Queries are trimmed like the file's names.
      {"[s]\nk=v", " s ", "\tk ", "v"},
      // A lead byte without a trail decodes to '?' and does not eat the line end.
      {"[s]\nk=\x81\nj=2", "s", "k", "?"},
      {"[s]\nk=\x81\nj=2", "s", "j", "2"},
      {"[s]\nk=a\x81", "s", "k", "a?"},
      // Code page 936 without a mark (宋体 is CB CE CC E5), UTF-8 with one; UTF-16 is read
      // back in the writing tests.
      {"[\xb9\xa4\xbe\xdf]\r\nFontName=\xcb\xce\xcc\xe5\r\n", "工具", "FontName", "宋体"},
      {"\xef\xbb\xbf[s]\r\nk=宋体\r\n", "s", "k", "宋体"},
  };
  for (const ReadCase& c : cases) {
    const IniFile ini = IniFile::FromBytes(c.file);
    const std::string expected = c.expected ? c.expected : "<default>";
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), expected)
        << "file: " << testing::PrintToString(std::string(c.file)) << " [" << c.section << "] " << c.key;
  }
}

TEST(IniFileRead, ListsKeysAndSectionsInFileOrder) {
  const IniFile ini = IniFile::FromBytes(
      "pre=1\r\n[One]\r\nb=1\r\n;c=2\r\nnoequals\r\n\r\na=3\r\nB=4\r\n[two]\r\nx=1\r\n[ONE]\r\nz=9\r\n[]\r\ny=1\r\n");
  EXPECT_EQ(ini.ReadSections(), (Names{"One", "two", "ONE"}));
  EXPECT_EQ(ini.ReadSection("one"), (Names{"b", "a", "B"}));
  EXPECT_EQ(ini.ReadSection("missing"), Names{});
  EXPECT_TRUE(ini.SectionExists("ONE"));
  EXPECT_FALSE(ini.SectionExists("three"));
  EXPECT_TRUE(ini.ValueExists("one", "A"));
  EXPECT_FALSE(ini.ValueExists("one", "z"));
  EXPECT_FALSE(ini.ValueExists("one", "noequals"));
}

TEST(IniFileRead, IntegersAndBooleans) {
  struct IntCase {
    const char* value;
    int expected;  // with default -7
  };
  const IntCase cases[] = {
      {"0", 0},
      {"42", 42},
      {" +42 ", 42},
      {"-42", -42},
      {"007", 7},
      {"$1A", 26},
      {"$1a", 26},
      {"0x1A", 26},
      {"0X1f", 31},
      {"-$10", -16},
      {"\"12\"", 12},
      {"' 12 '", 12},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483633", -2147483633},
      {"$7FFFFFFF", 2147483647},
  };
  for (const IntCase& c : cases) {
    const IniFile ini = IniFile::FromBytes(std::string("[s]\nk=") + c.value + "\n");
    EXPECT_EQ(ini.ReadInteger("s", "k", -7), c.expected) << "value: " << c.value;
  }
  // Out of range or not a number at all: the default.
  for (const char* value : {"2147483648", "-2147483649", "$80000000", "99999999999999999999", "", "12abc",
                            "3.7", "1 2", "$", "0x", "-", "x1A", "$1G", "1A", "--1", "0x-1"}) {
    const IniFile ini = IniFile::FromBytes(std::string("[s]\nk=") + value + "\n");
    EXPECT_EQ(ini.ReadInteger("s", "k", -7), -7) << "value: " << value;
  }
  const IniFile ini = IniFile::FromBytes("[s]\nzero=0\none=1\nneg=-5\nbad=yes\n");
  EXPECT_FALSE(ini.ReadBool("s", "zero", true));
  EXPECT_TRUE(ini.ReadBool("s", "one", false));
  EXPECT_TRUE(ini.ReadBool("s", "neg", false));
  EXPECT_TRUE(ini.ReadBool("s", "bad", true));
  EXPECT_FALSE(ini.ReadBool("s", "bad", false));
  EXPECT_TRUE(ini.ReadBool("s", "missing", true));
  EXPECT_EQ(ini.ReadInteger("nosuch", "k", 5), 5);
}

TEST(IniFileRead, DamagedInputGivesDefaultsAndSurvivesUnchanged) {
  const std::string inputs[] = {
      "",
      std::string("\0\0\0[s]\0k=v\0", 11),
      "\xff\xfe\x00",
      std::string("\xff\xfe[\0s\0]\0\n\0k\0=\0v\0A", 17),  // odd trailing byte
      "\xfe\xff",
      "\xef\xbb\xbf\xff\xfe[s]\nk=\xc3",
      "[\x81[s]\x81\x5d\n\x81=\x81\n\x80\xfe\xff",
      "[[[[]]]]\n]]]=[[[\n==\n;;\n[",
      std::string(1 << 20, '\x81'),
      std::string(10 << 20, 'x') + "=" + std::string(100, 'y'),
  };
  for (const std::string& bytes : inputs) {
    const IniFile ini = IniFile::FromBytes(bytes);
    EXPECT_EQ(ini.ToBytes(), bytes);
    (void)ini.ReadString("s", "k", "d");
    for (const std::string& section : ini.ReadSections()) (void)ini.ReadSection(section);
  }
  const IniFile nul = IniFile::FromBytes(std::string("[s]\nk=a\0b\n", 10));
  EXPECT_EQ(nul.ReadString("s", "k", ""), std::string("a\0b", 3));
}

}  // namespace
}  // namespace wendlix
