// Whole-file reads and crash-safe writes. Paths are UTF-8 (Windows paths in the exe).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix::platform {

// The file's bytes, or nullopt when it is missing, is a folder or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes a temporary file beside `path`, flushes it to disk and replaces `path` with it
// in one step. A read-only target or a folder at `path` is refused. On failure the old
// file is untouched, the temporary removed, and false returned.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);

}  // namespace wendlix::platform
