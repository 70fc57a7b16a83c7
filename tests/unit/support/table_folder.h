// A shortcut folder in a table: each folder's listing and what each path is.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/bar/group_loading.h"

namespace wendlix::testing_support {

class TableFolder : public ShortcutFolder {
 public:
  std::map<std::string, std::vector<std::string>> listings;
  std::map<std::string, Entry> entries;

  // Lists NAMES in FOLDER (given with its backslash) and makes each a file.
  TableFolder& Files(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& n : names) {
      listings[folder].push_back(n);
      entries[folder + n] = Entry::kFile;
    }
    return *this;
  }
  std::vector<std::string> List(const std::string& folder) const override {
    auto it = listings.find(folder);
    return it == listings.end() ? std::vector<std::string>{} : it->second;
  }
  Entry Probe(const std::string& path) const override {
    auto it = entries.find(path);
    return it == entries.end() ? Entry::kNone : it->second;
  }
};

}  // namespace wendlix::testing_support
