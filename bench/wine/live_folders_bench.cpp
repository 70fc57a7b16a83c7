// Live group folders as the bar runs them (a window, its notice message and refill timer),
// 20 folders watched: the processor time the idle bar spends, how long a change takes to
// fall due as a refill, and the handles and private memory before and after 1,000 changes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "win/common/wide.h"
#include "win/diagnostics/handle_census.h"
#include "win/diagnostics/resource_counts.h"
#include "win/live/live_folders.h"
#include "wine_clock.h"

namespace {

using namespace wendlix;
using bench::NowMs;

constexpr UINT kMessage = WM_APP + 1;
constexpr UINT_PTR kTimer = 1;
constexpr int kFolders = 20;

struct Bar {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  LiveFolders live{window, kMessage, kTimer};
  int refills = 0;
  double lastRefillMs = 0;

  // Runs the window's messages until `ms` passed or `done` holds.
  template <class Done>
  bool Run(double ms, Done done) {
    const double end = NowMs() + ms;
    while (!done()) {
      const double left = end - NowMs();
      if (left <= 0) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == kMessage) {
          live.OnNotices();
        } else if (msg.message == WM_TIMER && msg.wParam == kTimer) {
          const std::size_t due = live.OnTimer().size();
          refills += static_cast<int>(due);
          if (due) lastRefillMs = NowMs();
        } else {
          DispatchMessageW(&msg);
        }
      }
    }
    return true;
  }
};

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// Change `i` writes a link, renames it and deletes the one change `i - kFolders` left in the
// same folder: three notices, and a folder that shows something else after each.
void Change(const std::vector<std::string>& folders, int i) {
  const std::string& folder = folders[i % kFolders];
  const std::wstring a = ToWide(folder + "\\a" + std::to_string(i) + ".lnk");
  const std::wstring b = ToWide(folder + "\\b" + std::to_string(i) + ".lnk");
  const HANDLE file = CreateFileW(a.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  MoveFileW(a.c_str(), b.c_str());
  DeleteFileW(ToWide(folder + "\\b" + std::to_string(i - kFolders) + ".lnk").c_str());
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string root = FromWide(temp) + "wendlix_live_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(ToWide(root).c_str(), nullptr);
  std::vector<std::string> folders;
  Bar bar;
  for (int i = 0; i < kFolders; ++i) {
    folders.push_back(root + "\\组" + std::to_string(i));
    CreateDirectoryW(ToWide(folders.back()).c_str(), nullptr);
    bar.live.Watch(i, folders.back(), true);
    bar.live.BeginFill(i);
  }
  bar.Run(3000, [] { return false; });  // the first notices come and settle

  const double idleMs = 5000, cpuStart = ProcessCpuMs();
  bar.Run(idleMs, [] { return false; });
  const double idleCpu = ProcessCpuMs() - cpuStart;

  // One change at a time: from the write to the refill handed out.
  std::vector<double> latency;
  for (int i = 0; i < 30; ++i) {
    const int before = bar.refills;
    const double start = NowMs();
    Change(folders, 1000000 + i);
    const HANDLE file =
        CreateFileW(ToWide(folders[i % kFolders] + "\\keep" + std::to_string(i) + ".lnk").c_str(),
                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (bar.Run(5000, [&] { return bar.refills > before; })) latency.push_back(NowMs() - start);
  }
  std::sort(latency.begin(), latency.end());

  // 1,000 changes, spread over the folders, after 100 to warm up: the time until no refill
  // is pending, and the refills they gave. The figures are taken once late notices settled.
  const auto changes = [&](int first, int count) {
    const double start = NowMs();
    for (int i = first; i < first + count; ++i) Change(folders, i);
    const double written = NowMs();
    bar.Run(2000, [] { return false; });
    return std::make_pair(written - start, bar.lastRefillMs - written);
  };
  changes(0, 100);
  const long handlesBefore = CountProcessHandles();
  const long ownBefore = SampleResourceCounts().OwnKernel;
  const std::uint64_t memoryBefore = PrivateMemory(SampleResourceCounts());
  const int refillsBefore = bar.refills;
  const double changeCpu = ProcessCpuMs();
  const auto [writeMs, settleMs] = changes(100, 1000);
  const double changeCpuMs = ProcessCpuMs() - changeCpu;
  const int changeRefills = bar.refills - refillsBefore;
  const long handlesAfter = CountProcessHandles();
  const long ownAfter = SampleResourceCounts().OwnKernel;
  // Two more rounds: memory that grows with the changes grows in each.
  std::vector<std::uint64_t> memory = {memoryBefore, PrivateMemory(SampleResourceCounts())};
  for (int round = 2; round <= 3; ++round) {
    changes(round * 1000 - 900, 1000);
    memory.push_back(PrivateMemory(SampleResourceCounts()));
  }

  std::printf("idle with %d folders watched: %.1f ms processor time in %.0f ms (%.2f %%)\n", kFolders,
              idleCpu, idleMs, 100.0 * idleCpu / idleMs);
  if (!latency.empty())
    std::printf("change to refill due (%zu changes): best %6.0f ms  median %6.0f ms  worst %6.0f ms\n",
                latency.size(), latency.front(), latency[latency.size() / 2], latency.back());
  std::printf(
      "1,000 changes in %d folders, written in %.0f ms: %d refills, the last %.0f ms after the last "
      "write; %.0f ms processor time\n",
      kFolders, writeMs, changeRefills, settleMs, changeCpuMs);
  std::printf("process handles: %ld before, %ld after; own handles: %ld before, %ld after\n", handlesBefore,
              handlesAfter, ownBefore, ownAfter);
  std::printf("private memory: %llu KB before, then after each 1,000 changes:",
              static_cast<unsigned long long>(memory[0] / 1024));
  for (std::size_t i = 1; i < memory.size(); ++i)
    std::printf(" %llu KB", static_cast<unsigned long long>(memory[i] / 1024));
  std::printf("\n");

  for (const std::string& f : folders) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(ToWide(f + "\\*.lnk").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do DeleteFileW(ToWide(f + "\\" + FromWide(data.cFileName)).c_str());
      while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(ToWide(f).c_str());
  }
  RemoveDirectoryW(ToWide(root).c_str());
  return latency.size() == 30 ? 0 : 1;
}
