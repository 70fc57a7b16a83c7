#include "core/profile/ini_file_io_count.h"

#include <map>
#include <mutex>
#include <string>

#include "core/text/ascii.h"

namespace wendlix {
namespace {

std::mutex countsLock;
std::map<std::string, IniFileIoCount, std::less<>>& Counts() {
  static std::map<std::string, IniFileIoCount, std::less<>> counts;
  return counts;
}

}  // namespace

IniFileIoCount CountedIniFileIo(std::string_view path) {
  const std::lock_guard lock(countsLock);
  const auto it = Counts().find(ToLowerAscii(path));
  return it == Counts().end() ? IniFileIoCount{} : it->second;
}

void CountIniFileRead(std::string_view path) {
  const std::lock_guard lock(countsLock);
  ++Counts()[ToLowerAscii(path)].reads;
}

void CountIniFileWrite(std::string_view path) {
  const std::lock_guard lock(countsLock);
  ++Counts()[ToLowerAscii(path)].writes;
}

}  // namespace wendlix
