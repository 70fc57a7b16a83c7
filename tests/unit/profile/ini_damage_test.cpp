// Which files count as damaged, and the copy a damaged file leaves beside itself before
// the store first replaces it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/files.h"

namespace wendlix {
namespace {

using D = IniDamage;

TEST(IniDamageTest, FlagsWhatTheStoreCannotUnderstandCompletely) {
  const std::string bigLine = "[s]\r\nk=" + std::string(kMaxIniLineBytes, 'x') + "\r\n";
  const std::string longestFine = "[s]\r\nk=" + std::string(kMaxIniLineBytes - 2, 'x') + "\r\n";
  struct Case {
    std::string bytes;
    IniDamage expected;
  };
  const Case cases[] = {
      // Sound files, including what Windows writes and reads without complaint.
      {"", D::kNone},
      {"[s]\r\nk=v\r\n\r\n; comment\r\n[t]\r\nk=\r\n", D::kNone},
      {"[\xb9\xa4\xbe\xdf]\r\n\xd7\xd6\xcc\xe5=\xcb\xce\xcc\xe5\r\n", D::kNone},  // 工具 / 字体=宋体
      {"[s]\nk=\x80\xff\n", D::kNone},  // euro sign and 0xFF both have codes in 936
      {"[s]\nk=\xfe\x50\n", D::kNone},  // a private-use pair Windows maps
      {"[s] trailing\n  k = v \n\x1a", D::kNone},
      {"\xef\xbb\xbf[s]\nk=宋体\n", D::kNone},
      {std::string("\xff\xfe[\0s\0]\0\n\0k\0=\0\x3d\xd8\x00\xde", 18), D::kNone},  // a surrogate pair
      {longestFine, D::kNone},
      // Encoding.
      {"[s]\nk=\x81\n", D::kInvalidBytes},                              // lead byte without a trail
      {"[s]\nk=\xb9\xa4\xbe", D::kInvalidBytes},                        // cut inside the last character
      {"[s]\nk=\x81\x30\n", D::kInvalidBytes},                          // trail outside the range
      {"\xef\xbb\xbf[s]\nk=\xe5\xae\n", D::kInvalidBytes},              // truncated UTF-8
      {std::string("\xff\xfe[\0s\0]\0\n\0k\0", 11), D::kInvalidBytes},  // odd byte at the end
      {std::string("\xff\xfe[\0s\0]\0\n\0k\0=\0\x00\xd8", 16), D::kInvalidBytes},  // lone surrogate
      // Binary junk and UTF-16 without its mark.
      {std::string("[s]\nk=v\0\x01\x02\n", 11), D::kNulBytes},
      {std::string("[\0s\0]\0\r\0\n\0k\0=\0v\0", 16), D::kNulBytes | D::kUnreadableLines},
      // Lines no read reaches.
      {"[s]\nno equals sign\n", D::kUnreadableLines},
      {"[s\nk=v\n", D::kUnreadableLines},   // a header without "]"
      {"k=v\n[s]\n", D::kUnreadableLines},  // a key before any header
      {"[]\nk=v\n", D::kUnreadableLines},
      {"[s]\n=v\n", D::kUnreadableLines},
      // Names given twice.
      {"[s]\nk=1\n[S]\nk=2\n", D::kDuplicateNames},
      {"[s]\nk=1\nK=2\n", D::kDuplicateNames},
      // Several at once.
      {bigLine, D::kOverlongLine},
      {std::string("[s]\n\x81\0junk\n[s]\n", 15),
       D::kInvalidBytes | D::kNulBytes | D::kUnreadableLines | D::kDuplicateNames},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(IniFile::FromBytes(c.bytes).Damage()), static_cast<unsigned>(c.expected))
        << testing::PrintToString(c.bytes.substr(0, 40));
  }
  // Damage describes the bytes that were read: edits elsewhere do not clear it.
  IniFile doc = IniFile::FromBytes("[s]\nk=\x81\n");
  EXPECT_TRUE(doc.WriteString("t", "j", "1"));
  EXPECT_EQ(static_cast<unsigned>(doc.Damage()), static_cast<unsigned>(D::kInvalidBytes));
}

using DamagedFileCopyTest = testing_support::TempFolderTest;

TEST_F(DamagedFileCopyTest, TheFirstReplacingSaveKeepsTheDamagedOriginal) {
  const std::string path = PathOf("Wendlix.GPF");
  const std::string bak = path + ".bak";
  EXPECT_EQ(DamagedFileCopyPath(path), bak);
  // Invalid GBK in a button name and a duplicate group: rewriting the group would lose
  // both, so the original must survive somewhere.
  const std::string damaged = "[Groups]\r\nA=1\r\n[A]\r\nb\x81=x\r\n[A]\r\nc=y\r\n";
  Put(path, damaged);

  IniFile unchanged(path);
  EXPECT_NE(unchanged.Damage(), D::kNone);
  EXPECT_TRUE(unchanged.Save());  // nothing to write: the file is not replaced, no copy
  EXPECT_FALSE(platform::FileExists(bak));

  IniFile first(path);
  first.EraseSection("A");
  EXPECT_TRUE(first.WriteString("A", "b?", "x"));
  ASSERT_TRUE(first.Save());
  EXPECT_EQ(platform::ReadWholeFile(bak), damaged);
  EXPECT_EQ(first.ReadString("A", "b?", ""), "x");
  // A second edit through the same document does not touch the copy.
  EXPECT_TRUE(first.WriteString("Groups", "A", "0"));
  ASSERT_TRUE(first.Save());

  // A later start finds the file still odd (its untouched lines keep their bytes) and
  // keeps the copy of the original rather than the rewritten file.
  Put(path, "[Groups]\r\nA=\x81\r\n");
  IniFile later(path);
  EXPECT_NE(later.Damage(), D::kNone);
  EXPECT_TRUE(later.WriteString("Groups", "B", "1"));
  ASSERT_TRUE(later.Save());
  EXPECT_EQ(platform::ReadWholeFile(bak), damaged);

  // A sound file never leaves a copy; nor do bytes that came from elsewhere.
  const std::string sound = PathOf("Wendlix.ini");
  Put(sound, "[s]\r\nk=1\r\n");
  IniFile ini(sound);
  EXPECT_TRUE(ini.WriteString("s", "k", "2"));
  ASSERT_TRUE(ini.Save());
  IniFile fromBytes = IniFile::FromBytes("[s]\nk=\x81\n", PathOf("x.url"));
  ASSERT_TRUE(fromBytes.Save(true));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Wendlix.GPF", "Wendlix.GPF.bak", "Wendlix.ini", "x.url"}));
}

TEST_F(DamagedFileCopyTest, NoCopyNoReplace) {
  // When the copy cannot be made, the damaged file stays as it was and the save says so.
  const std::string path = PathOf("Wendlix.GPF");
  const std::string damaged = std::string("[A]\r\nb=\0\0\0\r\n", 12);
  Put(path, damaged);
  std::filesystem::create_directory(path + ".bak");
  IniFile gpf(path);
  EXPECT_TRUE(gpf.WriteString("A", "c", "1"));
  EXPECT_FALSE(gpf.Save());
  EXPECT_EQ(platform::ReadWholeFile(path), damaged);
  std::filesystem::remove(path + ".bak");
  EXPECT_TRUE(gpf.Save());
  EXPECT_EQ(platform::ReadWholeFile(path + ".bak"), damaged);
  EXPECT_EQ(IniFile(path).ReadString("A", "c", ""), "1");
}

}  // namespace
}  // namespace wendlix
