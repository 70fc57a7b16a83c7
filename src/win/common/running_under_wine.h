// Wine exports this from its ntdll; Windows does not. Where Wine's answers differ from Windows'
// (the GDI table, the undocumented theme ordinals) the bar asks this first.
#pragma once
#include <windows.h>

namespace wendlix {

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace wendlix
