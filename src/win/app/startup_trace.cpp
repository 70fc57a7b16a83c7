#include "win/app/startup_trace.h"

#include <windows.h>

#include <cstdio>

namespace wendlix {
namespace {

std::FILE* TraceFile() {
  static std::FILE* file = []() -> std::FILE* {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"WENDLIX_STARTUP_TRACE", path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? _wfopen(path, L"a") : nullptr;
  }();
  return file;
}

double MillisSinceCreation() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

void StartupMark(const char* what) {
  if (std::FILE* file = TraceFile()) {
    std::fprintf(file, "%.1f %s\n", MillisSinceCreation(), what);
    std::fflush(file);
  }
}

}  // namespace wendlix
