#include "core/exchange/exchange_export.h"

#include <gtest/gtest.h>

#include "core/exchange/exchange_file.h"

namespace wendlix {
namespace {

TEST(ExchangeExport, SuggestedNameIsAFileNameTheDialogAccepts) {
  const struct {
    const char* title;
    const char* name;
  } cases[] = {
      {"常用工具", "常用工具"},  {"Web 2.0", "Web 2.0"},
      {"A/B: C*?", "A_B_ C__"},  {"\"x\" <y> |z|\\", "_x_ _y_ _z__"},
      {"tab\there", "tab_here"}, {"trailing. . ", "trailing"},
      {"...", "工具栏"},         {"", "工具栏"},
      {"con", "con_"},           {"LPT1", "LPT1_"},
      {"Nul.txt", "Nul_.txt"},   {"COM0", "COM0"},
      {"CONSOLE", "CONSOLE"},    {"网址 | 收藏", "网址 _ 收藏"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExchangeFileNameSuggestion(c.title), c.name) << c.title;
  }
}

}  // namespace
}  // namespace wendlix
