// What the find box can find on the bar: the launch buttons of every group, shown as a band,
// collapsed into PanelBtn or hidden, and the entries one level inside each folder button (the
// first level its menu shows). The bar order runs through the groups in band order, their
// buttons in order, a folder button's entries right after it. Each candidate carries its
// launch count and a target that says what Enter starts.
//
// The box opens on what the bar holds in memory; the groups not filled yet and the folders'
// entries are added once they were read (FindFolder), so the catalogue grows by appending.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/find/find_rank.h"
#include "core/launch/launch_counts.h"

namespace wendlix {

struct FindTarget {
  int Group = -1;
  int Button = -1;     // child index: the button, or the folder button an entry is inside
  std::string Path;    // the button's target, or the entry's path
  bool Entry = false;  // an entry inside a folder button
  friend bool operator==(const FindTarget&, const FindTarget&) = default;
};

// A folder button whose entries are still to be listed.
struct FindFolder {
  int Group = -1;
  int Button = -1;
  std::string Path;         // the folder
  std::string Title;        // shown beside its entries: the group's title and the button's name
  std::uint64_t Order = 0;  // the button's bar order
  friend bool operator==(const FindFolder&, const FindFolder&) = default;
};

struct FindCatalogue {
  std::vector<FindCandidate> Candidates;
  std::vector<FindTarget> Targets;  // one per candidate
  std::vector<FindFolder> Folders;  // of the groups added so far
};

// A group whose buttons the bar has not read yet: collapsed or hidden groups are filled when
// their menu first opens.
bool FindNeedsFill(const GroupPanel& group);

// Appends the launch buttons of `groups[group]` and notes its folder buttons.
void AddFindGroup(const std::vector<GroupPanel>& groups, std::size_t group, const LaunchCounts& counts,
                  FindCatalogue& catalogue);

// Appends the entries of `folder`, as a listing of it names them.
void AddFindFolderEntries(const FindFolder& folder, const std::vector<std::string>& names,
                          const LaunchCounts& counts, FindCatalogue& catalogue);

}  // namespace wendlix
