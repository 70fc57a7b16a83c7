// How often this process has read and written each settings file through the store, so that
// tests can check that a command reads and saves a file once.
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
