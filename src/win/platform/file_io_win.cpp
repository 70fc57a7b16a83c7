// Whole-file reads and crash-safe writes with the wide Win32 file functions.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "core/platform/file_io.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix::platform {

namespace {

using File = unique_handle<FileHandleTraits>;

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Temporaries whose writer died. A live writer holds its temporary open without sharing
// until it is complete, so deleting that one fails and it stays.
void RemoveStaleTemporaries(const std::wstring& folder, const std::string& name) {
  WIN32_FIND_DATAW data;
  const unique_find find(FindFirstFileW((folder + ToWide(name) + L".*.tmp").c_str(), &data));
  if (!find) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (IsAtomicWriteTemporary(name, FromWide(data.cFileName)))
      DeleteFileW((folder + data.cFileName).c_str());
  } while (FindNextFileW(find.get(), &data));
}

// A new temporary beside the target, opened without sharing; `temp` gets its name.
File CreateTemporary(const std::wstring& folder, const std::string& name, std::wstring& temp) {
  static std::atomic<unsigned> counter{0};
  const std::uint64_t pid = GetCurrentProcessId();
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + ToWide(AtomicWriteTemporaryName(name, pid << 32 | ++counter));
    File file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return File();
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
  File file(CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > (1ll << 31))
    return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t total = 0;
  while (total < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read,
                  nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file shrank meanwhile
    total += read;
  }
  bytes.resize(total);
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::wstring target = ToWide(path);
  const DWORD attributes = AttributesOf(target);
  // A read-only file is not ours to replace (Windows refuses it too; Wine would not).
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    return false;
  }
  const std::size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  const std::wstring folder = slash == std::string::npos ? std::wstring() : ToWide(path.substr(0, slash + 1));
  RemoveStaleTemporaries(folder, name);
  std::wstring temp;
  bool ok;
  {
    File file = CreateTemporary(folder, name, temp);
    if (!file) return false;
    ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  ok = ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(ToWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = AttributesOf(ToWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace wendlix::platform
