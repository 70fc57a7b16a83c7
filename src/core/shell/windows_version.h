// The program's coarse idea of the Windows family it runs on.
#pragma once
#include <cstdint>

namespace wendlix {

// Platform 0 (Win32s) gives 0; platform 1 gives 1 (Windows 95, minor version below 10)
// or 2 (Windows 98 and later); platform 2 (NT) gives 3; any other platform gives 1.
int MapWindowsVersion(std::uint32_t platformId, std::uint32_t minorVersion);

}  // namespace wendlix
