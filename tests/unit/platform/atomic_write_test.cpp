// The temporaries behind atomic writes: recognised by name, removed at the next write
// when their writer died, left alone while a writer holds them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "support/files.h"

namespace wendlix::platform {
namespace {

TEST(AtomicWriteNamesTest, RecognisesOnlyTemporariesOfThatTarget) {
  const std::string made = AtomicWriteTemporaryName("Wendlix.GPF", 0x0000'1234'0000'0007ull);
  EXPECT_EQ(made, "Wendlix.GPF.~wx0000123400000007.tmp");
  struct Case {
    const char* candidate;
    bool temporary;
  };
  const Case cases[] = {
      {"Wendlix.GPF.~wx0000123400000007.tmp", true},
      {"wendlix.gpf.~WX00001234ABCDEF07.TMP", true},  // Windows names ignore case
      {"Wendlix.GPF.1234_7.tmp", true},               // the form earlier versions used
      {"Wendlix.GPF", false},
      {"Wendlix.GPF.bak", false},
      {"Wendlix.GPF.tmp", false},
      {"Wendlix.GPF.~wx00001234.tmp", false},          // too short
      {"Wendlix.GPF.~wx000012340000000g.tmp", false},  // not hex
      {"Wendlix.GPF.12a_7.tmp", false},
      {"Wendlix.GPF._7.tmp", false},
      {"Wendlix.ini.~wx0000123400000007.tmp", false},  // another target's
      {"XWendlix.GPF.~wx0000123400000007.tmp", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAtomicWriteTemporary("Wendlix.GPF", c.candidate), c.temporary) << c.candidate;
  }
  EXPECT_FALSE(IsAtomicWriteTemporary("", ".~wx0000123400000007.tmp"));
}

TEST(AtomicWriteTest, RemovesStaleTemporariesButNotLiveOnes) {
  const testing_support::TempFolder temp;
  const std::filesystem::path& dir = temp.Path();
  const std::string stale = AtomicWriteTemporaryName("a.ini", 1);
  const std::string live = AtomicWriteTemporaryName("a.ini", 2);
  const std::string other = AtomicWriteTemporaryName("b.ini", 3);
  for (const std::string& name : {stale, std::string("a.ini.99_1.tmp"), live, other, std::string("a.ini.bak"),
                                  std::string("a.ini.tmp")}) {
    testing_support::PutFile(temp / name, "stale");
  }
  // A writer still at work holds its temporary locked.
  const int held = ::open((dir / live).c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  ASSERT_TRUE(WriteFileAtomically((dir / "a.ini").string(), "[s]\r\nk=v\r\n"));
  std::vector<std::string> expected{"a.ini", "a.ini.bak", "a.ini.tmp", live, other};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(temp.Entries(), expected);
  ::close(held);
  EXPECT_EQ(ReadWholeFile((dir / "a.ini").string()), "[s]\r\nk=v\r\n");
  // A relative target in the current folder is handled as well.
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  EXPECT_TRUE(WriteFileAtomically("a.ini", "x"));
  std::filesystem::current_path(cwd);
  EXPECT_FALSE(std::filesystem::exists(dir / live));  // its writer let go: stale now
}

}  // namespace
}  // namespace wendlix::platform
