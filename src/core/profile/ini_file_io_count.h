// Diagnostics: how often this process has read and written each settings file through the store,
// answered by the inspection query "gpfio" so that end-to-end cases can check that a command reads
// and saves a file once (see src/win/diagnostics/README.md).
#pragma once
#include <string_view>

namespace wendlix {

struct IniFileIoCount {
  unsigned reads = 0;
  unsigned writes = 0;
};

IniFileIoCount CountedIniFileIo(std::string_view path);  // paths compared ignoring ASCII case
void CountIniFileRead(std::string_view path);
void CountIniFileWrite(std::string_view path);

}  // namespace wendlix
