#include "core/bookmarks/bookmark_source.h"

namespace wendlix {

std::string JoinBookmarkPath(const std::vector<std::string>& path) {
  std::string stored;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) stored += '\\';
    stored += path[i];
  }
  return stored;
}

std::vector<std::string> SplitBookmarkPath(std::string_view stored) {
  std::vector<std::string> path;
  if (stored.empty()) return path;
  for (std::size_t start = 0;;) {
    const std::size_t at = stored.find('\\', start);
    path.emplace_back(stored.substr(start, at - start));
    if (at == std::string_view::npos) return path;
    start = at + 1;
  }
}

}  // namespace wendlix
