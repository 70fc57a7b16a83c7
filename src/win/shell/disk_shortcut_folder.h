// A shortcut group's folder as the disk holds it.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/bar/group_loading.h"
#include "core/live/folder_state.h"

namespace wendlix {

class DiskShortcutFolder : public ShortcutFolder {
 public:
  std::vector<std::string> List(const std::string& folder) const override;
  Entry Probe(const std::string& path) const override;

 protected:
  // The names to show of `folder`, from one enumeration of it.
  std::vector<std::string> ListFrom(const std::string& folder,
                                    const std::vector<FolderEntryStamp>& entries) const;

 private:
  // What the last listing found, by full path, until each is probed: a fill lists a folder and
  // probes every name at once, and a big bar would otherwise ask the disk again for each.
  mutable std::unordered_map<std::string, std::uint32_t> listed_;
};

}  // namespace wendlix
