#include <gtest/gtest.h>

#include "core/text/paths.h"

namespace wendlix {
namespace {

TEST(TextPaths, AddBackslash) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("C:"), "C:\\");
  EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
  EXPECT_EQ(AddBackslash("C:\\Tools"), "C:\\Tools\\");
  EXPECT_EQ(AddBackslash("C:\\Tools/"), "C:\\Tools/\\");  // "/" is not a separator here
  // The last byte of 工 in code page 936 would be 0x5C; in UTF-8 it cannot be.
  EXPECT_EQ(AddBackslash("D:\\\xE5\xB7\xA5"), "D:\\\xE5\xB7\xA5\\");
}

TEST(TextPaths, SplittingIntoFolderNameAndExtension) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
    const char* base;
    const char* ext;
  };
  const Case cases[] = {
      {"C:\\a\\b.c.lnk", "C:\\a\\", "b.c.lnk", "b.c", ".lnk"},
      {"C:\\a\\readme", "C:\\a\\", "readme", "readme", ""},
      {"C:\\a.d\\readme", "C:\\a.d\\", "readme", "readme", ""},  // a dot in a folder is no extension
      {"C:x.txt", "C:", "x.txt", "x", ".txt"},                   // the drive colon separates
      {"x.url", "", "x.url", "x", ".url"},
      {"C:\\a\\", "C:\\a\\", "", "", ""},
      {"C:\\a\\.profile", "C:\\a\\", ".profile", "", ".profile"},
      {"C:\\a\\name.", "C:\\a\\", "name.", "name", "."},
      {"", "", "", "", ""},
      {"D:\\\xE5\xB7\xA5\xE5\x85\xB7\\\xE8\xAE\xB0.\xE4\xBA\x8B.lnk", "D:\\\xE5\xB7\xA5\xE5\x85\xB7\\",
       "\xE8\xAE\xB0.\xE4\xBA\x8B.lnk", "\xE8\xAE\xB0.\xE4\xBA\x8B", ".lnk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExtractFilePath(c.path), c.folder);
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFileBaseName(c.path), c.base);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
  }
}

TEST(TextPaths, ChangeFileExt) {
  EXPECT_EQ(ChangeFileExt("C:\\a\\Editor.exe", ".lnk"), "C:\\a\\Editor.lnk");
  EXPECT_EQ(ChangeFileExt("C:\\a\\readme", ".lnk"), "C:\\a\\readme.lnk");        // none: appended
  EXPECT_EQ(ChangeFileExt("C:\\v1.2\\readme", ".lnk"), "C:\\v1.2\\readme.lnk");  // folder dot untouched
  EXPECT_EQ(ChangeFileExt("C:\\a\\b.c.d", ".lnk"), "C:\\a\\b.c.lnk");
  EXPECT_EQ(ChangeFileExt("C:\\a\\name.", ".lnk"), "C:\\a\\name.lnk");
  EXPECT_EQ(ChangeFileExt("C:\\a\\b.txt", ""), "C:\\a\\b");
  EXPECT_EQ(ChangeFileExt("\xE8\xAE\xB0\xE4\xBA\x8B\xE6\x9C\xAC.exe", ".lnk"),
            "\xE8\xAE\xB0\xE4\xBA\x8B\xE6\x9C\xAC.lnk");
}

TEST(TextPaths, IsShortcutFile) {
  for (const char* yes : {"a.lnk", "C:\\a\\b.Lnk", "X.PIF", "x.url", "C:\\\xE5\xB7\xA5.LNK", ".lnk"}) {
    EXPECT_TRUE(IsShortcutFile(yes)) << yes;
  }
  for (const char* no : {"a.lnk2", "a.scf", "a.exe", "lnk", "C:\\x.lnk\\file", "C:\\x.lnk\\", "a.lnk ", ""}) {
    EXPECT_FALSE(IsShortcutFile(no)) << no;
  }
}

}  // namespace
}  // namespace wendlix
