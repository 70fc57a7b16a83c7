// Writing settings files: in-place edits, refusals, quoting, saving.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/files.h"

namespace wendlix {
namespace {

using Names = std::vector<std::string>;
using testing_support::Utf16Le;

TEST(IniFileWrite, EditsInPlaceKeepingEveryOtherByte) {
  struct EditCase {
    const char* before;
    const char* section;
    const char* key;
    const char* value;  // nullptr: delete the key
    const char* after;
  };
  const EditCase cases[] = {
      // A new file is exactly this: CRLF, no mark.
      {"", "sec", "key", "value", "[sec]\r\nkey=value\r\n"},
      // Update: the name's spelling, indentation and the line end stay; other lines too.
      {"; c\n[S]\r\n  Key = old ;x\n\tother=1\r", "s", "KEY", "new", "; c\n[S]\r\n  Key =new\n\tother=1\r"},
      {"[s]\nk=1\nk=2\n", "s", "K", "3", "[s]\nk=3\nk=2\n"},
      {"[s]\nk=1\n[s]\nk=2\n", "S", "k", "3", "[s]\nk=3\n[s]\nk=2\n"},
      // Writing what is there changes nothing, even when the file has it quoted.
      {"[s]\nk = \"v\" \n", "s", "k", "v", "[s]\nk = \"v\" \n"},
      // New keys go after the section's last line with content, before blank lines.
      {"[a]\r\nx=1\r\n\r\n[b]\r\n", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\n"},
      {"[a]\n;note\n\n\n[b]\n", "a", "y", "2", "[a]\n;note\ny=2\r\n\n\n[b]\n"},
      {"[a]\n\n[b]\n", "a", "y", "2", "[a]\ny=2\r\n\n[b]\n"},
      // A missing final line end is supplied before appending.
      {"[a]\nx=1", "a", "y", "2", "[a]\nx=1\r\ny=2\r\n"},
      {"[a]", "a", "y", "2", "[a]\r\ny=2\r\n"},
      {"[a]\nx=1", "b", "y", "2", "[a]\nx=1\r\n[b]\r\ny=2\r\n"},
      {"[a]\nx=1\n\n", "b", "y", "2", "[a]\nx=1\n\n[b]\r\ny=2\r\n"},
      // Deleting: first occurrence only; the header stays; nothing to delete is no change.
      {"[s]\nk=1\nj=2\nk=3\n", "s", "k", nullptr, "[s]\nj=2\nk=3\n"},
      {"[s]\nk=1\n", "s", "k", nullptr, "[s]\n"},
      {"[s]\nk=1\n", "s", "nokey", nullptr, "[s]\nk=1\n"},
      {"[s]\nk=1\n", "nosec", "k", nullptr, "[s]\nk=1\n"},
      {"[s]\n;k=1\nk\n", "s", "k", nullptr, "[s]\n;k=1\nk\n"},
      // Quoting so that the value reads back as written.
      {"", "s", "k", " a ", "[s]\r\nk=\" a \"\r\n"},
      {"", "s", "k", "\"a\"", "[s]\r\nk=\"\"a\"\"\r\n"},
      {"", "s", "k", "'a'", "[s]\r\nk=\"'a'\"\r\n"},
      {"", "s", "k", "\"a'", "[s]\r\nk=\"a'\r\n"},
      {"", "s", "k", "\"", "[s]\r\nk=\"\r\n"},
      {"", "s", "k", "", "[s]\r\nk=\r\n"},
      {"", "s", "k", "\x1a", "[s]\r\nk=\"\x1a\"\r\n"},
      // Code page 936 on disk.
      {"", "工具", "字体", "宋体", "[\xb9\xa4\xbe\xdf]\r\n\xd7\xd6\xcc\xe5=\xcb\xce\xcc\xe5\r\n"},
      // A GBK key whose trail byte is 0x5D, updated: the bytes before '=' stay.
      {"[s]\n\x81\x5d=1\n", "s", "乚", "2", "[s]\n\x81\x5d=2\n"},
      // An undecodable byte before '=' survives the update untouched.
      {"[s]\nk\x81=1\n", "s", "k?", "2", "[s]\nk\x81=2\n"},
  };
  for (const EditCase& c : cases) {
    IniFile ini = IniFile::FromBytes(c.before);
    if (c.value) {
      EXPECT_TRUE(ini.WriteString(c.section, c.key, c.value)) << c.before;
      EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.value) << c.before;
    } else {
      ini.DeleteKey(c.section, c.key);
    }
    EXPECT_EQ(ini.ToBytes(), c.after) << "before: " << testing::PrintToString(std::string(c.before));
    EXPECT_EQ(ini.Modified(), std::string(c.before) != c.after) << c.before;
    // What was written is what a fresh parse of the bytes reads.
    if (c.value) {
      EXPECT_EQ(IniFile::FromBytes(ini.ToBytes()).ReadString(c.section, c.key, "<default>"), c.value);
    }
  }
}

TEST(IniFileWrite, RefusesWhatCannotReadBack) {
  const char* const before = "[s]\r\nk=v\r\n";
  // Names and values that would read back otherwise, or that code page 936 cannot hold (an
  // emoji, a Hangul syllable), are refused and leave the document as it was.
  const auto refused = [&](const std::string& section, const std::string& key, const std::string& value) {
    IniFile ini = IniFile::FromBytes(before);
    EXPECT_FALSE(ini.WriteString(section, key, value))
        << testing::PrintToString(section) << " " << testing::PrintToString(key) << " "
        << testing::PrintToString(value);
    EXPECT_EQ(ini.ToBytes(), before);
    EXPECT_FALSE(ini.Modified());
  };
  for (const char* section : {"", " s", "s\x1a", "a\nb", "\xed\xa0\x80", "\xf0\x9f\x98\x80"})
    refused(section, "k", "v");
  for (const char* key : {"", " k", "a=b", "[k", ";k", "a\nb", "\xff", "\xea\xb0\x80"})
    refused("s", key, "v");
  for (const char* value : {"a\r\nb", "a\rb", "\xc3", "\xf0\x9f\x98\x80"}) refused("s", "k", value);
  refused("s", "k", std::string("a\0b", 3));
  refused("s", std::string("k\0", 2), "v");

  // The same text is fine where the file's encoding holds it.
  IniFile utf8 = IniFile::FromBytes("\xef\xbb\xbf[s]\r\n");
  EXPECT_TRUE(utf8.WriteString("s", "k", "\xf0\x9f\x98\x80"));
  EXPECT_EQ(utf8.ToBytes(), "\xef\xbb\xbf[s]\r\nk=\xf0\x9f\x98\x80\r\n");
}

TEST(IniFileWrite, NumbersBooleansAndSectionErasure) {
  IniFile ini = IniFile::FromBytes("[g]\r\nColor=0\r\n[x]\r\na=1\r\n[G]\r\nstale=1\r\n[y]\r\n");
  EXPECT_TRUE(ini.WriteInteger("g", "Color", -2147483633));
  EXPECT_TRUE(ini.WriteInteger("g", "Width", 120));
  EXPECT_TRUE(ini.WriteBool("g", "Visible", true));
  EXPECT_TRUE(ini.WriteBool("g", "SmallIcon", false));
  EXPECT_EQ(ini.ReadInteger("g", "Color", 0), -2147483633);
  EXPECT_EQ(ini.ToBytes(),
            "[g]\r\nColor=-2147483633\r\nWidth=120\r\nVisible=1\r\nSmallIcon=0\r\n[x]\r\na=1\r\n"
            "[G]\r\nstale=1\r\n[y]\r\n");
  // Erasing takes every section of the name, so no stale duplicate takes its place.
  ini.EraseSection("G");
  EXPECT_EQ(ini.ToBytes(), "[x]\r\na=1\r\n[y]\r\n");
  EXPECT_FALSE(ini.SectionExists("g"));
  EXPECT_EQ(ini.ReadString("g", "stale", "none"), "none");
  EXPECT_TRUE(ini.WriteString("g", "k", "v"));
  EXPECT_EQ(ini.ToBytes(), "[x]\r\na=1\r\n[y]\r\n[g]\r\nk=v\r\n");
  ini.EraseSection("y");
  ini.EraseSection("nothing");
  EXPECT_EQ(ini.ReadSections(), (Names{"x", "g"}));
}

TEST(IniFileWrite, DeletingThenRewritingASection) {
  // Duplicates: deleting the first reveals the second.
  IniFile dup = IniFile::FromBytes("[s]\nk=1\nK=2\nk=3\n");
  dup.DeleteKey("s", "k");
  EXPECT_EQ(dup.ReadString("s", "k", ""), "2");
  dup.DeleteKey("s", "k");
  EXPECT_EQ(dup.ReadString("s", "k", ""), "3");
  EXPECT_TRUE(dup.WriteString("s", "k", "4"));
  EXPECT_EQ(dup.ToBytes(), "[s]\nk=4\n");
}

TEST(IniFileWrite, Utf16AndUtf8FilesKeepTheirEncoding) {
  IniFile wide = IniFile::FromBytes(Utf16Le(u"[s]\r\nk=1\r\n;c\n"));
  EXPECT_TRUE(wide.WriteString("s", "k", "宋体"));
  EXPECT_TRUE(wide.WriteString("s", "new", "\xf0\x9f\x98\x80"));
  EXPECT_TRUE(wide.WriteString("t", "x", " y "));
  EXPECT_EQ(wide.ToBytes(), Utf16Le(u"[s]\r\nk=宋体\r\n;c\nnew=\U0001F600\r\n[t]\r\nx=\" y \"\r\n"));
  const IniFile reread = IniFile::FromBytes(wide.ToBytes());
  EXPECT_EQ(reread.ReadString("s", "k", ""), "宋体");
  EXPECT_EQ(reread.ReadString("t", "x", ""), " y ");

  // A stray odd byte stays last, so appended lines keep their code units aligned.
  IniFile odd = IniFile::FromBytes(Utf16Le(u"[s]\r\nk=1") + "A");
  EXPECT_TRUE(odd.WriteString("s", "j", "2"));
  EXPECT_EQ(odd.ToBytes(), Utf16Le(u"[s]\r\nk=1\r\nj=2\r\n") + "A");

  IniFile utf8 = IniFile::FromBytes("\xef\xbb\xbf[s]\nk=1\n");
  EXPECT_TRUE(utf8.WriteString("s", "k", "宋体"));
  EXPECT_EQ(utf8.ToBytes(), "\xef\xbb\xbf[s]\nk=宋体\n");
}

using IniFileSaveTest = testing_support::TempFolderTest;

TEST_F(IniFileSaveTest, SavesAtomicallyAndOnlyWhenModified) {
  const std::string path = PathOf("a.ini");
  Put(path, "; mine\n[s]\nk=1\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
  EXPECT_TRUE(ini.Save());  // nothing changed: nothing written
  EXPECT_TRUE(ini.WriteInteger("s", "k", 2));
  EXPECT_TRUE(ini.Save());
  EXPECT_FALSE(ini.Modified());
  EXPECT_EQ(platform::ReadWholeFile(path), "; mine\n[s]\nk=2\n");
  EXPECT_EQ(Entries(), Names{"a.ini"});        // no temporary left behind
  EXPECT_TRUE(ini.WriteInteger("s", "k", 3));  // still editable after a save
  EXPECT_TRUE(ini.Save());
  EXPECT_EQ(IniFile(path).ReadInteger("s", "k", 0), 3);

  IniFile fresh(PathOf("new.ini"));
  EXPECT_FALSE(fresh.Modified());
  EXPECT_TRUE(fresh.WriteString("sec", "key", "value"));
  EXPECT_TRUE(fresh.Save());
  EXPECT_EQ(platform::ReadWholeFile(PathOf("new.ini")), "[sec]\r\nkey=value\r\n");
}

// A saved document goes on without parsing its bytes again: after erased sections, deleted
// and duplicate keys, each later save must still write what a fresh read would hold.
TEST_F(IniFileSaveTest, EditsAfterSavesMatchAFreshRead) {
  const std::string path = PathOf("g.ini");
  Put(path, "[a]\nx=1\ny=2\n[b]\nk=1\n[c]\nk=1\nk=2\n[b]\nk=9\n");
  IniFile ini(path);
  ini.EraseSection("b");
  ini.DeleteKey("a", "x");
  ini.DeleteKey("c", "k");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(platform::ReadWholeFile(path), "[a]\ny=2\n[c]\nk=2\n");
  EXPECT_FALSE(ini.SectionExists("b"));
  EXPECT_EQ(ini.ReadInteger("c", "k", 0), 2);
  EXPECT_EQ(ini.ReadSections(), (Names{"a", "c"}));

  ini.WriteInteger("b", "k", 3);  // the erased name comes back as a new section
  ini.WriteInteger("a", "x", 4);
  ini.DeleteKey("c", "k");
  for (int i = 0; i < 40; ++i) ini.WriteInteger("c", "n" + std::to_string(i), i);
  for (int i = 0; i < 39; ++i) ini.DeleteKey("c", "n" + std::to_string(i));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(platform::ReadWholeFile(path), "[a]\ny=2\nx=4\r\n[c]\nn39=39\r\n[b]\r\nk=3\r\n");
  ini.WriteInteger("b", "k", 5);
  ASSERT_TRUE(ini.Save());
  IniFile fresh(path);
  for (const char* section : {"a", "b", "c"})
    EXPECT_EQ(fresh.ReadSection(section), ini.ReadSection(section)) << section;
  EXPECT_EQ(fresh.ReadInteger("b", "k", 0), 5);
}

TEST_F(IniFileSaveTest, FailedSaveKeepsTheOldFileAndSaysSo) {
  // The folder of the target does not exist, or is a file.
  Put(PathOf("plain"), "x");
  for (const std::string& path : {PathOf("missing/a.ini"), PathOf("plain/a.ini")}) {
    IniFile ini(path);
    EXPECT_TRUE(ini.WriteString("s", "k", "v"));
    EXPECT_FALSE(ini.Save()) << path;
    EXPECT_TRUE(ini.Modified());
  }
  // A folder where the file should be: reads as empty, cannot be replaced.
  std::filesystem::create_directory(PathOf("dir.ini"));
  IniFile folder(PathOf("dir.ini"));
  EXPECT_EQ(folder.ReadSections(), Names{});
  EXPECT_TRUE(folder.WriteString("s", "k", "v"));
  EXPECT_FALSE(folder.Save());
  EXPECT_TRUE(platform::DirectoryExists(PathOf("dir.ini")));

  EXPECT_EQ(IniFile("").Save(true), false);
}

// Runs CHECKS in a child process under a user that permission bits bind (root reads and writes
// through them), in a fresh folder made for that user; the child's exit status is the number of failed
// checks. The folder is made and removed here, so that a temporary folder only root may write in (as
// the mutation runner gives) does not stop the child.
int FailuresAsUnprivilegedUser(const std::function<int(const std::filesystem::path&)>& checks) {
  constexpr uid_t kNobody = 65534;
  const bool root = ::geteuid() == 0;
  std::string dir = (std::filesystem::temp_directory_path() / "wendlix_ini_XXXXXX").string();
  if (!::mkdtemp(dir.data()) || (root && ::chown(dir.c_str(), kNobody, kNobody) != 0)) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped =
        !root || (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
    _exit(dropped ? checks(dir) : 100);
  }
  int status = 0;
  const bool exited = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return exited ? WEXITSTATUS(status) : -1;
}

// Read-only files and folders that refuse new files are the platform writer's to refuse (tests/win).
TEST(IniFileSave, AFileItMayNotReadIsNeverReplaced) {
  const int failed = FailuresAsUnprivilegedUser([](const std::filesystem::path& dir) {
    int failures = 0;
    const auto check = [&failures](bool ok, const char* what) {
      if (ok) return;
      std::fprintf(stderr, "failed: %s\n", what);
      ++failures;
    };
    // A file that exists but cannot be read is never overwritten with what little we know.
    const std::string locked = (dir / "locked.ini").string();
    testing_support::PutFile(locked, "[s]\nprecious=1\n");
    ::chmod(locked.c_str(), 0);
    IniFile unreadable(locked);
    check(unreadable.WriteString("s", "k", "v"), "write into the unreadable file's copy");
    check(!unreadable.Save(), "the unreadable file saved");
    ::chmod(locked.c_str(), 0600);
    check(platform::ReadWholeFile(locked) == "[s]\nprecious=1\n", "the unreadable file kept");
    return failures;
  });
  EXPECT_EQ(failed, 0) << "checks failed in the unprivileged child (see its output above)";
}

}  // namespace
}  // namespace wendlix
