#include "core/live/folder_state.h"

#include "core/live/live_texts.h"
#include "core/shell/shortcut_listing.h"
#include "core/text/ascii.h"

namespace wendlix {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(std::string_view s) {
  return s.size() >= 2 && s[1] == ':' && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// "\\?\" and "\\.\" open the rest of the path as it is written.
bool HasDevicePrefix(std::string_view path) {
  return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
         (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]);
}

std::vector<std::string> SplitNames(std::string_view s) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && !IsSeparator(s[i])) continue;
    if (i > start) names.emplace_back(s.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

std::uint64_t Mix(std::uint64_t x) {  // splitmix64's finaliser
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t StampHash(const FolderEntryStamp& e) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a over the name
  for (unsigned char c : e.Name) h = (h ^ c) * 1099511628211ull;
  h = Mix(h ^ e.Attributes);
  h = Mix(h ^ e.WriteTime);
  return Mix(h ^ e.Size);
}

// The listing's own rules decide, one entry at a time.
bool GroupShows(const FolderEntryStamp& e) {
  std::vector<std::string> listed;
  ListShortcutEntries({DirEntry{e.Name, e.Attributes}}, listed, true, true);
  return !listed.empty();
}

}  // namespace

bool IsRemoteFolder(std::string_view path) {
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  if (!HasDevicePrefix(path)) return true;
  const std::string_view rest = path.substr(4);
  return rest.size() >= 4 && StartsWithTextAscii(rest, "UNC") && IsSeparator(rest[3]);
}

std::optional<LocalFolderPath> SplitLocalFolder(std::string_view path) {
  if (IsRemoteFolder(path)) return std::nullopt;
  LocalFolderPath out;
  std::string_view rest = path;
  if (HasDevicePrefix(path)) {
    out.Root = std::string("\\\\") + path[2] + "\\";
    rest = path.substr(4);
    if (!IsDriveLetter(rest)) {
      // A volume name ("Volume{...}") belongs to the root.
      std::vector<std::string> names = SplitNames(rest);
      if (names.empty()) return std::nullopt;
      out.Root += names.front() + "\\";
      out.Names.assign(names.begin() + 1, names.end());
      return out;
    }
  }
  if (!IsDriveLetter(rest) || rest.size() < 3 || !IsSeparator(rest[2])) return std::nullopt;
  out.Root += std::string(rest.substr(0, 2)) + "\\";
  out.Names = SplitNames(rest.substr(3));
  return out;
}

std::string FolderAtDepth(const LocalFolderPath& path, std::size_t depth) {
  std::string s = path.Root;
  for (std::size_t i = 0; i < depth && i < path.Names.size(); ++i) {
    if (i > 0) s += '\\';
    s += path.Names[i];
  }
  return s;
}

std::uint64_t FolderDigest(FolderState state, const std::vector<FolderEntryStamp>& entries,
                           std::string_view file) {
  // A sum of the entries' hashes: the file system's order does not matter.
  std::uint64_t sum = Mix(static_cast<std::uint64_t>(state) + 1);
  for (const FolderEntryStamp& e : entries)
    if (GroupShows(e) || (!file.empty() && SameTextAscii(e.Name, file))) sum += StampHash(e);
  return sum;
}

std::string LiveGroupHint(std::string_view title, std::string_view folder, FolderState state) {
  const char* why = nullptr;
  switch (state) {
    case FolderState::kPresent: return std::string(title);
    case FolderState::kMissing: why = kFolderMissingHint; break;
    case FolderState::kUnreadable: why = kFolderUnreadableHint; break;
    case FolderState::kUnwatched: why = kFolderUnwatchedHint; break;
  }
  std::string hint(title);
  hint.append("\r\n").append(why).append("\r\n").append(folder);
  return hint;
}

}  // namespace wendlix
