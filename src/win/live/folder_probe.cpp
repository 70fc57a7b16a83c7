#include "win/live/folder_probe.h"

#include <windows.h>

#include <vector>

#include "core/shell/ordered_merge.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"

namespace wendlix {
std::string FullFolderPath(const std::string& folder) {
  if (folder.empty()) return {};
  const std::wstring wide = ToWide(folder);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return {};
  full.resize(size);
  for (wchar_t& c : full)
    if (c == L'/') c = L'\\';
  std::string out = FromWide(full);
  const std::optional<LocalFolderPath> parts = SplitLocalFolder(out);
  if (parts) return FolderAtDepth(*parts, parts->Names.size());
  while (out.size() > 2 && out.back() == '\\') out.pop_back();  // "\\server\share\" and the like
  return out;
}

bool IsNetworkFolder(const std::string& fullPath) {
  if (IsRemoteFolder(fullPath)) return true;
  const std::optional<LocalFolderPath> parts = SplitLocalFolder(fullPath);
  return parts && GetDriveTypeW(ToWide(parts->Root).c_str()) == DRIVE_REMOTE;
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string VolumeKey(const std::string& path) {
  wchar_t root[MAX_PATH + 1] = {};
  if (!GetVolumePathNameW(ToWide(path).c_str(), root, MAX_PATH)) return {};
  return FileNameKey(FromWide(root));
}

FolderState ProbeFolderState(const std::string& fullPath) {
  if (fullPath.empty()) return FolderState::kMissing;
  if (IsNetworkFolder(fullPath)) return FolderState::kUnwatched;
  unique_file dir(CreateFileW(ToWide(fullPath).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!dir) {
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED && IsExistingFolder(fullPath) ? FolderState::kUnreadable
                                                                      : FolderState::kMissing;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(dir.get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return FolderState::kMissing;
  return FolderState::kPresent;
}

std::uint64_t DigestOfListing(FolderState watched, const std::vector<FolderEntryStamp>& listed) {
  if (watched == FolderState::kUnwatched) return FolderDigest(watched, {});
  return FolderDigest(listed.empty() ? FolderState::kMissing : FolderState::kPresent, listed);
}

std::uint64_t ReadFolderDigest(const std::string& fullPath, FolderState state, std::string_view file) {
  return FolderDigest(
      state, state == FolderState::kPresent ? ReadFolderStamps(fullPath) : std::vector<FolderEntryStamp>{},
      file);
}

}  // namespace wendlix
