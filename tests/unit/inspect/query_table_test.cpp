#include "core/inspect/query_table.h"

#include <gtest/gtest.h>

namespace wendlix {
namespace {

TEST(QueryTable, AnswersByNameAndPassesTheArgumentAfterTheColon) {
  QueryTable table;
  table.Add("layout", [](std::string_view arg) { return "layout[" + std::string(arg) + "]"; });
  table.Add("btnmenu:", [](std::string_view arg) -> std::optional<std::string> {
    if (arg.empty()) return std::nullopt;  // the handler refuses a missing argument
    return "btnmenu[" + std::string(arg) + "]";
  });
  struct Case {
    std::string_view query;
    std::optional<std::string> answer;
  };
  const Case cases[] = {
      {"layout", "layout[]"},
      {"btnmenu:12,40", "btnmenu[12,40]"},
      {"btnmenu:1:2", "btnmenu[1:2]"},  // only the first colon separates
      {"btnmenu:", std::nullopt},
      {"btnmenu", std::nullopt},   // a query with an argument is not one without
      {"layout:x", std::nullopt},  // nor the other way round
      {"Layout", std::nullopt},
      {"", std::nullopt},
      {":", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(table.Answer(c.query), c.answer) << c.query;
}

}  // namespace
}  // namespace wendlix
