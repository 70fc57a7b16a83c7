// Item identifier lists from the shell, freed with the task allocator.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace wendlix {

struct PidlDeleter {
  void operator()(ITEMIDLIST* pidl) const noexcept { CoTaskMemFree(pidl); }
};
using unique_pidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

}  // namespace wendlix
