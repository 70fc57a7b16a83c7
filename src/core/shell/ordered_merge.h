// Keeps a group's saved button order against the folder's current contents.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// The names of `current` in `saved`'s order, then the names of `current` that `saved`
// lacks, in `current`'s order; names compared as Windows compares file names (without
// regard to case). Names that left the folder drop out; each name appears once, spelled
// as in `current` (the folder's own spelling). Linear time.
std::vector<std::string> MergeOrderedList(const std::vector<std::string>& saved,
                                          const std::vector<std::string>& current);

// The key under which two file names compare equal: each character mapped to its upper
// case, as the file system's case table does for the scripts with case (Latin, Greek,
// Cyrillic, Armenian, full-width Latin); invalid UTF-8 bytes are kept as they are.
std::string FileNameKey(std::string_view name);

}  // namespace wendlix
