// A shortcut group's folder as the disk holds it.
#pragma once
#include "core/bar/group_loading.h"

namespace wendlix {

class DiskShortcutFolder : public ShortcutFolder {
 public:
  std::vector<std::string> List(const std::string& folder) const override;
  Entry Probe(const std::string& path) const override;
};

}  // namespace wendlix
