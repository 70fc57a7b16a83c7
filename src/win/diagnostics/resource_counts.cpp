#include "win/diagnostics/resource_counts.h"

#include <psapi.h>
#include <winternl.h>

#include <cstring>

#include "win/common/handle_counts.h"
#include "win/common/running_under_wine.h"

namespace wendlix {
namespace {

constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryTypeOffset = 14;

// Wine keeps each process's GDI objects in a table the process block points to, with the layout
// Windows once used. Windows itself answers GetGuiResources and maps a table of a different kind:
// read it only under Wine.
const void* WineGdiTable() {
  if (!RunningUnderWine()) return nullptr;
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0 ||
      !basic.PebBaseAddress) {
    return nullptr;
  }
#if defined(_WIN64)
  constexpr std::size_t kTableField = 0xF8;
#else
  constexpr std::size_t kTableField = 0x94;
#endif
  const void* table = nullptr;
  std::memcpy(&table, reinterpret_cast<const unsigned char*>(basic.PebBaseAddress) + kTableField,
              sizeof(table));
  return table;
}

struct WindowTally {
  DWORD Process = 0;
  long Count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
  ++reinterpret_cast<WindowTally*>(lp)->Count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp) {
  auto* tally = reinterpret_cast<WindowTally*>(lp);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != tally->Process) return TRUE;
  ++tally->Count;
  EnumChildWindows(hwnd, CountChild, lp);  // all descendants
  return TRUE;
}

long CountOwnWindows() {
  WindowTally tally{GetCurrentProcessId(), 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  // Message-only windows are not top-level windows of the desktop.
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
    CountTopLevel(w, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.Count;
}

std::uint64_t CommittedPrivateBytes() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  std::uint64_t total = 0;
  auto* at = static_cast<const unsigned char*>(info.lpMinimumApplicationAddress);
  const auto* end = static_cast<const unsigned char*>(info.lpMaximumApplicationAddress);
  MEMORY_BASIC_INFORMATION region{};
  while (at < end && VirtualQuery(at, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const auto* next = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

void Line(std::string& out, const char* name, long long value) {
  out += name;
  out += '\t';
  out += std::to_string(value);
  out += '\n';
}

}  // namespace

long CountGdiTableEntries(const void* table, std::size_t entries) {
  if (!table) return -1;
  const auto* bytes = static_cast<const unsigned char*>(table);
  long live = 0;
  for (std::size_t i = 0; i < entries; ++i) {
    if (bytes[i * kGdiEntrySize + kGdiEntryTypeOffset] != 0) ++live;
  }
  return live;
}

ResourceCounts SampleResourceCounts() {
  ResourceCounts c;
  HANDLE self = GetCurrentProcess();
  c.GuiGdi = static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS));
  c.GuiUser = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
  c.GdiTable = CountGdiTableEntries(WineGdiTable(), kGdiTableEntries);
  c.Windows = CountOwnWindows();
  c.OwnGdi = LiveHandleCount(HandleKind::kGdi);
  c.OwnUser = LiveHandleCount(HandleKind::kUser);
  c.OwnKernel = LiveHandleCount(HandleKind::kKernel);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
    c.PrivateBytes = memory.PrivateUsage;
  c.CommittedPrivate = CommittedPrivateBytes();
  return c;
}

long GdiObjects(const ResourceCounts& c) { return c.GuiGdi > 0 || c.GdiTable < 0 ? c.GuiGdi : c.GdiTable; }

std::uint64_t PrivateMemory(const ResourceCounts& c) {
  return c.PrivateBytes > 0 ? c.PrivateBytes : c.CommittedPrivate;
}

std::string DescribeResourceCounts(const ResourceCounts& c) {
  std::string out;
  Line(out, "gdi", GdiObjects(c));
  Line(out, "windows", c.Windows);
  Line(out, "own-gdi", c.OwnGdi);
  Line(out, "own-user", c.OwnUser);
  Line(out, "own-kernel", c.OwnKernel);
  Line(out, "private", static_cast<long long>(PrivateMemory(c)));
  Line(out, "gui-gdi", c.GuiGdi);
  Line(out, "gui-user", c.GuiUser);
  Line(out, "gdi-table", c.GdiTable);
  Line(out, "private-usage", static_cast<long long>(c.PrivateBytes));
  Line(out, "committed-private", static_cast<long long>(c.CommittedPrivate));
  return out;
}

}  // namespace wendlix
