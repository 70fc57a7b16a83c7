// One folder opened for the system's change notices, with one read at a time outstanding
// on a completion port. The buffer and the OVERLAPPED belong to the read until its packet
// has come back, so the object lives until then, also after Close().
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "win/common/unique_handle.h"

namespace wendlix {

struct DirectoryChange {
  DWORD Action = 0;  // FILE_ACTION_*
  std::string Name;  // relative to the folder
};

class DirectoryWatch {
 public:
  DirectoryWatch() = default;
  DirectoryWatch(const DirectoryWatch&) = delete;
  DirectoryWatch& operator=(const DirectoryWatch&) = delete;

  // Opens `path` (sharing everything, so the folder stays free to rename and delete) and ties
  // it to `port` under `key`. 0, or the system's error.
  DWORD Open(const std::string& path, DWORD filter, std::size_t bufferBytes, HANDLE port, ULONG_PTR key);
  // Starts the next read; false when the system refuses (a file system without notices).
  bool Arm();
  // The outstanding read's packet arrived.
  void Completed() { outstanding_ = false; }
  bool Outstanding() const { return outstanding_; }
  // The changes the completed read of `bytes` holds.
  std::vector<DirectoryChange> Changes(DWORD bytes) const;
  // Closes the folder; an outstanding read then completes with an error.
  void Close() { dir_.reset(); }
  HANDLE Handle() const { return dir_.get(); }
  // Asks for `window` to be told of the device under the folder (a removal, a lock) in a
  // WM_DEVICECHANGE naming Handle(). The registration outlives Close(): the news of whether
  // a removal went ahead comes to it after the folder was let go.
  void WatchDevice(HWND window);
  unique_devnotify TakeDeviceRegistration() { return std::move(device_); }

 private:
  unique_file dir_;
  unique_devnotify device_;  // after dir_: let go of before the folder, as the system asks
  OVERLAPPED overlapped_{};
  std::vector<DWORD> buffer_;  // DWORD-aligned, as the records must be
  DWORD filter_ = 0;
  bool outstanding_ = false;
};

}  // namespace wendlix
