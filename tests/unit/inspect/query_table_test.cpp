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
  };
  for (const Case& c : cases) EXPECT_EQ(table.Answer(c.query), c.answer) << c.query;
  // A query with an argument is not one without, nor the other way round; names are exact.
  for (const char* query : {"btnmenu:", "btnmenu", "layout:x", "Layout", "", ":"})
    EXPECT_EQ(table.Answer(query), std::nullopt) << query;
}

}  // namespace
}  // namespace wendlix
