#include "core/editor/editor_address.h"

#include <gtest/gtest.h>

#include "core/bar/panel_data.h"

namespace wendlix {
namespace {

TEST(EditorAddress, BlankTestIgnoresSpacesButKeepsOtherText) {
  EXPECT_EQ(RemoveSpaces("  a b  c "), "abc");
  EXPECT_EQ(RemoveSpaces("\t \r\n"), "");
  EXPECT_TRUE(IsBlankField("   "));
  EXPECT_FALSE(IsBlankField("\xE3\x80\x80"));  // a full-width space is text
  EXPECT_FALSE(IsBlankField(" x "));
}

TEST(EditorAddress, PrefixRulesOfBothModesAndTheDisplay) {
  struct Case {
    const char* typed;
    std::uint16_t kind;
    const char* buttonMode;  // PrefixedAddress
    const char* page;        // PageAddress
    const char* shown;       // AddressForEdit of the typed text as if stored
  } cases[] = {
      {"www.a.cn", gkWeb, "HTTP://www.a.cn", "www.a.cn", "www.a.cn"},
      {"hTTp://a", gkWeb, "HTTP://a", "HTTP://a", "a"},
      {"x http://a", gkWeb, "HTTP://a", "HTTP://a", "a"},
      {"http://a?u=http://b", gkWeb, "HTTP://a?u=http://b", "HTTP://a?u=http://b", "a?u=http://b"},
      {"https://a.cn", gkWeb, "https://a.cn", "https://a.cn", "https://a.cn"},
      {"HTTPS://A.cn", gkWeb, "HTTPS://A.cn", "HTTPS://A.cn", "HTTPS://A.cn"},
      {"mailto:b@c", gkEmail, "MAILTO:b@c", "MAILTO:b@c", "b@c"},
      {"b@c", gkEmail, "MAILTO:b@c", "b@c", "b@c"},
      {"to: MailTo:b@c", gkEmail, "MAILTO:b@c", "MAILTO:b@c", "b@c"},
      {"https://a.cn", gkEmail, "MAILTO:https://a.cn", "https://a.cn", "https://a.cn"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrefixedAddress(c.typed, c.kind), c.buttonMode) << c.typed;
    EXPECT_EQ(PageAddress(c.typed, c.kind), c.page) << c.typed;
    EXPECT_EQ(AddressForEdit(c.typed, c.kind), c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace wendlix
