// Memory the system hands out and takes back by calls of its own: blocks of the task allocator
// (CoTaskMemFree) and of LocalAlloc (LocalFree), a global block locked for a scope, and a storage
// medium from a data object (ReleaseStgMedium).
#pragma once
#include <windows.h>
#include <ole2.h>

#include <memory>

namespace wendlix {

struct CoTaskMemDeleter {
  void operator()(void* p) const noexcept { CoTaskMemFree(p); }
};
template <typename T>
using unique_cotaskmem = std::unique_ptr<T, CoTaskMemDeleter>;

struct LocalMemDeleter {
  void operator()(void* p) const noexcept { LocalFree(p); }
};
template <typename T>
using unique_localmem = std::unique_ptr<T, LocalMemDeleter>;

// A global block locked for the scope; get() is null when it could not be locked.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL global) noexcept
      : global_(global), data_(global ? GlobalLock(global) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(global_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const noexcept { return data_; }

 private:
  HGLOBAL global_;
  void* data_;
};

// A storage medium this code owns: filled through put() (IDataObject::GetData) or taken over
// with Adopt(), released with the scope.
class StorageMedium {
 public:
  StorageMedium() = default;
  ~StorageMedium() { ReleaseStgMedium(&medium_); }
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;

  STGMEDIUM* put() noexcept {
    ReleaseStgMedium(&medium_);
    medium_ = STGMEDIUM{};
    return &medium_;
  }
  void Adopt(const STGMEDIUM& medium) noexcept { *put() = medium; }
  const STGMEDIUM& get() const noexcept { return medium_; }

 private:
  STGMEDIUM medium_{};
};

}  // namespace wendlix
