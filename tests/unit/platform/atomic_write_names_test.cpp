// The temporaries behind atomic writes are recognised by name. Their removal at the next write,
// and saves that survive a kill, are proven on the shipping Win32 writer (tests/win, e2e).
#include <gtest/gtest.h>

#include "core/platform/file_io.h"

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

}  // namespace
}  // namespace wendlix::platform
