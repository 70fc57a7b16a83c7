// The inspection channel's queries by name, each answered by the part of the bar that holds
// what it asks about. A query is a name ("layout"), or, for a name added with a trailing colon
// ("btnmenu:"), that name followed by an argument ("btnmenu:12,40").
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

class QueryTable {
 public:
  // The answer; nothing when the argument is refused or there is nothing to answer now.
  using Handler = std::function<std::optional<std::string>(std::string_view argument)>;

  void Add(std::string name, Handler handler);
  // Nothing for a query no handler takes.
  std::optional<std::string> Answer(std::string_view query) const;

 private:
  std::map<std::string, Handler, std::less<>> handlers_;
};

}  // namespace wendlix
