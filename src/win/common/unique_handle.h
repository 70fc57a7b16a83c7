// Owned Win32 handles: one small template, a traits struct per handle kind. Copying is
// deleted, moving transfers ownership; a bar that runs for weeks must not leak. Traits that
// name a HandleKind have their live handles counted (win/common/handle_counts.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "win/common/handle_counts.h"

namespace wendlix {

template <typename Traits>
class unique_handle {
 public:
  using pointer = typename Traits::pointer;

  // What put() hands out: the slot itself, and on leaving the full expression the count of
  // what the call stored there.
  class Slot {
   public:
    explicit Slot(unique_handle& owner) noexcept : owner_(owner) {}
    ~Slot() { Count(owner_.value_, +1); }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    operator pointer*() const noexcept { return &owner_.value_; }

   private:
    unique_handle& owner_;
  };

  unique_handle() noexcept = default;
  explicit unique_handle(pointer value) noexcept : value_(value) { Count(value_, +1); }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : value_(std::exchange(other.value_, Traits::invalid())) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) {
      close();
      value_ = std::exchange(other.value_, Traits::invalid());
    }
    return *this;
  }
  ~unique_handle() { close(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
  pointer release() noexcept {
    Count(value_, -1);
    return std::exchange(value_, Traits::invalid());
  }
  void reset(pointer value = Traits::invalid()) noexcept {
    if (value_ != value) {
      close();
      value_ = value;
      Count(value_, +1);
    }
  }
  // For out-parameters: closes what is held and hands out the slot.
  Slot put() noexcept {
    reset();
    return Slot(*this);
  }

 private:
  static void Count(pointer value, long delta) noexcept {
    if constexpr (requires { Traits::kind; }) {
      if (value != Traits::invalid()) CountHandle(Traits::kind, delta);
    }
  }
  void close() noexcept {
    if (value_ != Traits::invalid()) {
      Count(value_, -1);
      Traits::close(value_);
      value_ = Traits::invalid();
    }
  }
  pointer value_ = Traits::invalid();
};

struct NullHandleTraits {
  using pointer = HANDLE;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { CloseHandle(h); }
};
struct FileHandleTraits {
  using pointer = HANDLE;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { CloseHandle(h); }
};
struct FindHandleTraits {
  using pointer = HANDLE;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { FindClose(h); }
};
struct RegKeyTraits {
  using pointer = HKEY;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { RegCloseKey(h); }
};
struct WindowTraits {
  using pointer = HWND;
  static constexpr HandleKind kind = HandleKind::kUser;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyWindow(h); }
};
struct MenuTraits {
  using pointer = HMENU;
  static constexpr HandleKind kind = HandleKind::kUser;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyMenu(h); }
};
template <typename T>
struct GdiObjectTraits {
  using pointer = T;
  static constexpr HandleKind kind = HandleKind::kGdi;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DeleteObject(h); }
};
struct IconTraits {
  using pointer = HICON;
  static constexpr HandleKind kind = HandleKind::kUser;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyIcon(h); }
};
struct ImageListTraits {
  using pointer = HIMAGELIST;
  static constexpr HandleKind kind = HandleKind::kGdi;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ImageList_Destroy(h); }
};
struct HookTraits {
  using pointer = HHOOK;
  static constexpr HandleKind kind = HandleKind::kUser;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { UnhookWindowsHookEx(h); }
};
struct MemoryDcTraits {
  using pointer = HDC;
  static constexpr HandleKind kind = HandleKind::kGdi;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DeleteDC(h); }
};

// A window's registration for a device's notices: no object of its own, so not counted.
struct DeviceNotifyTraits {
  using pointer = HDEVNOTIFY;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { UnregisterDeviceNotification(h); }
};

using unique_event = unique_handle<NullHandleTraits>;
using unique_process = unique_handle<NullHandleTraits>;
using unique_file = unique_handle<FileHandleTraits>;
using unique_find = unique_handle<FindHandleTraits>;
using unique_hkey = unique_handle<RegKeyTraits>;
using unique_hwnd = unique_handle<WindowTraits>;
using unique_hmenu = unique_handle<MenuTraits>;
using unique_hbitmap = unique_handle<GdiObjectTraits<HBITMAP>>;
using unique_hfont = unique_handle<GdiObjectTraits<HFONT>>;
using unique_hbrush = unique_handle<GdiObjectTraits<HBRUSH>>;
using unique_hpen = unique_handle<GdiObjectTraits<HPEN>>;
using unique_hrgn = unique_handle<GdiObjectTraits<HRGN>>;
using unique_hicon = unique_handle<IconTraits>;
using unique_himagelist = unique_handle<ImageListTraits>;
using unique_memory_dc = unique_handle<MemoryDcTraits>;
using unique_hhook = unique_handle<HookTraits>;
using unique_devnotify = unique_handle<DeviceNotifyTraits>;

// A DC from GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_) CountHandle(HandleKind::kGdi, +1);
  }
  ~WindowDc() {
    if (dc_) {
      CountHandle(HandleKind::kGdi, -1);
      ReleaseDC(hwnd_, dc_);
    }
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a DC for the scope and restores the old one.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectObjectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace wendlix
