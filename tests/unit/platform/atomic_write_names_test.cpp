// The temporaries behind atomic writes are recognised by name. Their removal at the next write,
// and saves that survive a kill, are proven on the shipping Win32 writer (tests/win, e2e).
#include <gtest/gtest.h>

#include "core/platform/file_io.h"

namespace wendlix::platform {
namespace {

TEST(AtomicWriteNamesTest, RecognisesOnlyTemporariesOfThatTarget) {
  const std::string made = AtomicWriteTemporaryName("Wendlix.GPF", 0x0000'1234'0000'0007ull);
  EXPECT_EQ(made, "Wendlix.GPF.~wx0000123400000007.tmp");
  // Ours in any letter case (Windows names ignore it), and the form earlier versions used.
  for (const char* temporary : {"Wendlix.GPF.~wx0000123400000007.tmp", "wendlix.gpf.~WX00001234ABCDEF07.TMP",
                                "Wendlix.GPF.1234_7.tmp"})
    EXPECT_TRUE(IsAtomicWriteTemporary("Wendlix.GPF", temporary)) << temporary;
  // Too short, not hex, another target's.
  for (const char* other :
       {"Wendlix.GPF", "Wendlix.GPF.bak", "Wendlix.GPF.tmp", "Wendlix.GPF.~wx00001234.tmp",
        "Wendlix.GPF.~wx000012340000000g.tmp", "Wendlix.GPF.12a_7.tmp", "Wendlix.GPF._7.tmp",
        "Wendlix.ini.~wx0000123400000007.tmp", "XWendlix.GPF.~wx0000123400000007.tmp"})
    EXPECT_FALSE(IsAtomicWriteTemporary("Wendlix.GPF", other)) << other;
  EXPECT_FALSE(IsAtomicWriteTemporary("", ".~wx0000123400000007.tmp"));
}

}  // namespace
}  // namespace wendlix::platform
