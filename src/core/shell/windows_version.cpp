#include "core/shell/windows_version.h"

namespace wendlix {

int MapWindowsVersion(std::uint32_t platformId, std::uint32_t minorVersion) {
  switch (platformId) {
    case 0: return 0;
    case 1: return minorVersion < 10 ? 1 : 2;
    case 2: return 3;
    default: return 1;
  }
}

}  // namespace wendlix
