// A watched folder as the disk holds it right now: its full path, its state and the digest
// of what its group shows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/live/folder_state.h"

namespace wendlix {

// The folder's full path ("." and ".." resolved, "/" made "\"), with no closing "\" unless
// it is a root; empty when the system cannot make one.
std::string FullFolderPath(const std::string& folder);

// True when `path` names a folder (not a file).
bool IsExistingFolder(const std::string& path);

// A folder on another computer, by its path or through a mapped network drive.
bool IsNetworkFolder(const std::string& fullPath);

// The root of the volume `path` lies on ("E:\\", or the folder a volume is mounted at), as
// FileNameKey compares it; empty when the system cannot tell.
std::string VolumeKey(const std::string& path);

// Network folders are kUnwatched. Otherwise the folder is opened for
// listing: kPresent when that works, kUnreadable when it exists but access is denied,
// kMissing else.
FolderState ProbeFolderState(const std::string& fullPath);

// The digest a folder's first notice is compared with, from an enumeration made before it was
// watched: a folder listed is present (its "." at least), one that could not be listed counts as
// missing. `watched` is the state the watch found; a network folder is only ever read again.
std::uint64_t DigestOfListing(FolderState watched, const std::vector<FolderEntryStamp>& listed);

// FolderDigest of one enumeration of `fullPath`; a folder that is not present counts as
// empty.
std::uint64_t ReadFolderDigest(const std::string& fullPath, FolderState state, std::string_view file = {});

}  // namespace wendlix
