// Owned Win32 handles: one small template, a traits struct per handle kind. Copying is
// deleted, moving transfers ownership; a bar that runs for weeks must not leak.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace wendlix {

template <typename Traits>
class unique_handle {
 public:
  using pointer = typename Traits::pointer;
  unique_handle() noexcept = default;
  explicit unique_handle(pointer value) noexcept : value_(value) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_handle() { close(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
  pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(pointer value = Traits::invalid()) noexcept {
    if (value_ != value) {
      close();
      value_ = value;
    }
  }
  // For out-parameters: closes what is held and hands out the slot.
  pointer* put() noexcept {
    reset();
    return &value_;
  }

 private:
  void close() noexcept {
    if (value_ != Traits::invalid()) Traits::close(value_);
  }
  pointer value_ = Traits::invalid();
};

struct NullHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { CloseHandle(h); }
};
struct FileHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { CloseHandle(h); }
};
struct FindHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { FindClose(h); }
};
struct RegKeyTraits {
  using pointer = HKEY;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { RegCloseKey(h); }
};
struct WindowTraits {
  using pointer = HWND;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyWindow(h); }
};
struct MenuTraits {
  using pointer = HMENU;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyMenu(h); }
};
template <typename T>
struct GdiObjectTraits {
  using pointer = T;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DeleteObject(h); }
};
struct IconTraits {
  using pointer = HICON;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DestroyIcon(h); }
};
struct ImageListTraits {
  using pointer = HIMAGELIST;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ImageList_Destroy(h); }
};
struct MemoryDcTraits {
  using pointer = HDC;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { DeleteDC(h); }
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

// A DC from GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
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
