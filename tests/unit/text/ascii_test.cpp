#include "core/text/ascii.h"

#include <gtest/gtest.h>

namespace wendlix {

TEST(Ascii, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameTextAscii("Wendlix V3.0", "WENDLIX v3.0"));
  EXPECT_FALSE(SameTextAscii("\xC3\xA9", "\xC3\x89"));  // é vs É: not ASCII, must match exactly
  EXPECT_FALSE(SameTextAscii("Sec  A", "Sec A"));
  EXPECT_LT(CompareTextAscii("a", "B"), 0);
  EXPECT_GT(CompareTextAscii("abc", "AB"), 0);
  EXPECT_EQ(FindTextAscii("xxMAILTO:a", "mailto:"), 2u);
  EXPECT_EQ(FindTextAscii("ab", "abc"), std::string_view::npos);
  EXPECT_TRUE(StartsWithTextAscii("HTTPS://a.cn", "https://"));
  EXPECT_TRUE(EndsWithTextAscii("Notepad.Lnk", ".LNK"));
}

}  // namespace wendlix
