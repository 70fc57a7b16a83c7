#include "core/inspect/query_table.h"

namespace wendlix {

void QueryTable::Add(std::string name, Handler handler) { handlers_[std::move(name)] = std::move(handler); }

std::optional<std::string> QueryTable::Answer(std::string_view query) const {
  if (const auto exact = handlers_.find(query); exact != handlers_.end()) return exact->second({});
  const std::size_t colon = query.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto withArgument = handlers_.find(query.substr(0, colon + 1));
  if (withArgument == handlers_.end()) return std::nullopt;
  return withArgument->second(query.substr(colon + 1));
}

}  // namespace wendlix
