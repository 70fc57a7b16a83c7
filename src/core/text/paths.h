// Helpers on Windows paths held as UTF-8 text. Folder separators are "\" and, for the
// drive, ":"; "/" is not treated as a separator, as in the program's stored files.
#pragma once
#include <string>
#include <string_view>

namespace wendlix {

// S with "\" appended, unless S is empty or already ends in "\".
std::string AddBackslash(std::string_view s);
// The file name without folder and without its extension (the last "." and after).
std::string ExtractFileBaseName(std::string_view path);
// The file name without folder.
std::string ExtractFileName(std::string_view path);
// Everything up to and including the last "\" or ":"; empty when there is neither.
std::string ExtractFilePath(std::string_view path);
// The extension with its dot: from the last "." after the last "\" or ":"; may be empty.
std::string ExtractFileExt(std::string_view path);
// Path with its extension replaced by `ext` (which includes the dot); appended if none.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// True when the upper-cased extension is ".LNK", ".PIF" or ".URL".
bool IsShortcutFile(std::string_view fileName);

}  // namespace wendlix
