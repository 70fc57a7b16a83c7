// Item identifier lists from the shell, freed with the task allocator.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "win/common/owned_memory.h"

namespace wendlix {

using unique_pidl = unique_cotaskmem<ITEMIDLIST>;

}  // namespace wendlix
