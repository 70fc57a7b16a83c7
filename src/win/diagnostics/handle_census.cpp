#include "win/diagnostics/handle_census.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace wendlix {
namespace {

// SystemExtendedHandleInformation's layout.
struct HandleEntry {
  void* Object;
  ULONG_PTR ProcessId;
  ULONG_PTR Handle;
  ULONG GrantedAccess;
  USHORT CreatorBackTraceIndex;
  USHORT ObjectTypeIndex;
  ULONG Attributes;
  ULONG Reserved;
};
struct HandleTable {
  ULONG_PTR Count;
  ULONG_PTR Reserved;
  HandleEntry Entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

std::optional<std::vector<HANDLE>> OwnHandlesInSystemTable() {
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return std::nullopt;
  std::vector<unsigned char> buffer(1 << 16);
  LONG status;
  for (;;) {
    ULONG needed = 0;
    status =
        query(kSystemExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != kInfoLengthMismatch || buffer.size() >= (256u << 20)) break;
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status != 0) return std::nullopt;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  const ULONG_PTR self = GetCurrentProcessId();
  std::vector<HANDLE> own;
  for (ULONG_PTR i = 0; i < table->Count; ++i)
    if (table->Entries[i].ProcessId == self)
      own.push_back(reinterpret_cast<HANDLE>(table->Entries[i].Handle));
  return own;
}

}  // namespace

long CountProcessHandles() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return static_cast<long>(count);
  const std::optional<std::vector<HANDLE>> own = OwnHandlesInSystemTable();
  return own ? static_cast<long>(own->size()) : -1;
}

std::vector<HANDLE> ListProcessHandles() { return OwnHandlesInSystemTable().value_or(std::vector<HANDLE>{}); }

}  // namespace wendlix
