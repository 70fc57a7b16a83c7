// Whole-file reads and crash-safe writes. Paths are UTF-8 (Windows paths in the exe).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendlix::platform {

// The file's bytes, or nullopt when it is missing, is a folder or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes a temporary file beside `path`, flushes it to disk and replaces `path` with it
// in one step. A read-only target or a folder at `path` is refused. On failure the old
// file is untouched, the temporary removed, and false returned. Temporaries that a
// killed writer left beside `path` are removed first (a live writer's stay: it holds
// its temporary locked until the replace).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);  // a file, not a folder
bool DirectoryExists(const std::string& path);

// The temporaries of WriteFileAtomically are "<target name>.~wx<16 hex digits>.tmp":
// never a name the bar reads settings from, and recognisable later for cleaning.
std::string AtomicWriteTemporaryName(std::string_view targetName, std::uint64_t unique);
// `candidate` (a file name, no folder) is a temporary of a write to `targetName`, in
// this form or the "<target name>.<pid>_<n>.tmp" form earlier versions used. Names
// compare ignoring ASCII case, as Windows file names do.
bool IsAtomicWriteTemporary(std::string_view targetName, std::string_view candidate);

}  // namespace wendlix::platform
