// Pictures the Win32 tests draw with: solid image lists and the exe's own resources.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/common/unique_handle.h"

namespace wendlix::testing_support {

// Images of `size` pixels: 0 red, 1 green, 2 blue, solid.
inline unique_himagelist SolidImages(int size) {
  unique_himagelist list(ImageList_Create(size, size, ILC_COLOR32, 3, 0));
  WindowDc screen(nullptr);
  for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) {
    unique_hbitmap bmp(CreateCompatibleBitmap(screen.get(), size, size));
    unique_memory_dc dc(CreateCompatibleDC(screen.get()));
    {
      SelectObjectScope select(dc.get(), bmp.get());
      unique_hbrush brush(CreateSolidBrush(c));
      RECT r{0, 0, size, size};
      FillRect(dc.get(), &r, brush.get());
    }
    ImageList_Add(list.get(), bmp.get(), nullptr);
  }
  return list;
}

// Wendlix.exe, which carries the dialog template and the pictures: WENDLIX_EXE when set, else
// where the build puts it beside this test's folder. Loaded once as a data file.
inline HINSTANCE ExeResources() {
  static const HMODULE module = [] {
    wchar_t buffer[MAX_PATH * 2];
    std::wstring path;
    const DWORD n = GetEnvironmentVariableW(L"WENDLIX_EXE", buffer, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) {
      path = buffer;
    } else {
      const DWORD len = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
      path.assign(buffer, len);
      path.resize(path.find_last_of(L'\\') + 1);  // ...\tests\win\ -> ...\src\win\Wendlix.exe
      path += L"..\\..\\src\\win\\Wendlix.exe";
    }
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }();
  return module;
}

}  // namespace wendlix::testing_support
