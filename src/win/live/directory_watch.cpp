#include "win/live/directory_watch.h"

#include <cstddef>
#include <cstring>

#include <dbt.h>

#include "win/common/wide.h"

namespace wendlix {

DWORD DirectoryWatch::Open(const std::string& path, DWORD filter, std::size_t bufferBytes, HANDLE port,
                           ULONG_PTR key) {
  dir_.reset(CreateFileW(ToWide(path).c_str(), FILE_LIST_DIRECTORY,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (!dir_) return GetLastError();
  if (!CreateIoCompletionPort(dir_.get(), port, key, 0)) {
    const DWORD error = GetLastError();
    dir_.reset();
    return error;
  }
  filter_ = filter;
  buffer_.assign(bufferBytes / sizeof(DWORD), 0);
  return 0;
}

void DirectoryWatch::WatchDevice(HWND window) {
  if (!dir_ || !window) return;
  DEV_BROADCAST_HANDLE filter{};
  filter.dbch_size = sizeof(filter);
  filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
  filter.dbch_handle = dir_.get();
  device_.reset(RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

bool DirectoryWatch::Arm() {
  if (!dir_ || outstanding_) return false;
  overlapped_ = OVERLAPPED{};
  if (!ReadDirectoryChangesW(dir_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size() * sizeof(DWORD)),
                             FALSE, filter_, nullptr, &overlapped_, nullptr))
    return false;
  outstanding_ = true;
  return true;
}

std::vector<DirectoryChange> DirectoryWatch::Changes(DWORD bytes) const {
  std::vector<DirectoryChange> changes;
  if (bytes == 0) return changes;
  const auto* base = reinterpret_cast<const unsigned char*>(buffer_.data());
  // Bounded by the buffer, not by `bytes`: Wine counts the records without the padding
  // between them, so the last one ends past it; and it leaves a rename's two records
  // unaligned, so each is copied out. A record running out of the buffer ends the list.
  const std::size_t size = buffer_.size() * sizeof(DWORD);
  std::size_t offset = 0;
  while (offset + offsetof(FILE_NOTIFY_INFORMATION, FileName) <= size) {
    FILE_NOTIFY_INFORMATION record;
    std::memcpy(&record, base + offset, offsetof(FILE_NOTIFY_INFORMATION, FileName));
    const std::size_t nameAt = offset + offsetof(FILE_NOTIFY_INFORMATION, FileName);
    if (nameAt + record.FileNameLength > size) break;
    std::wstring name(record.FileNameLength / sizeof(wchar_t), L'\0');
    std::memcpy(name.data(), base + nameAt, name.size() * sizeof(wchar_t));
    changes.push_back({record.Action, FromWide(name)});
    if (record.NextEntryOffset == 0) break;
    offset += record.NextEntryOffset;
  }
  return changes;
}

}  // namespace wendlix
