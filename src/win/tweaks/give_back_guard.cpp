#include "win/tweaks/give_back_guard.h"

#include <optional>
#include <string>

#include "win/common/registry.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/shell/shell_windows.h"
#include "win/tweaks/shell_give_back.h"

namespace wendlix {
namespace {

std::optional<GiveBackRecord> ReadRecord() {
  const unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false, KEY_READ);
  if (!key) return std::nullopt;
  const std::optional<std::string> text = ReadRegString(key.get(), kGiveBackValue);
  return text ? ParseGiveBackRecord(*text) : std::nullopt;
}

void RemoveRecord() {
  if (const unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false)) {
    DeleteRegValue(key.get(), kGiveBackValue);
  }
}

// True while the process of that id and start time runs.
bool OwnerRuns(std::uint32_t pid, std::uint64_t started) {
  const unique_process process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // someone else's: not ours to judge
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT && ProcessStartTime(process.get()) == started;
}

void GiveBackRecordOf(std::uint32_t pid, std::uint64_t started) {
  std::optional<GiveBackRecord> record = ReadRecord();
  if (!record || record->OwnerPid != pid || record->OwnerStarted != started) return;
  GiveBackShellWindows(record->Owed, false);
  RemoveRecord();
}

std::uint64_t OwnStartTime() {
  static const std::uint64_t started = ProcessStartTime(GetCurrentProcess());
  return started;
}

void StartGuard() {
  std::wstring exe(MAX_PATH, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
  if (n == 0 || n >= exe.size()) return;
  exe.resize(n);
  std::wstring commandLine = ToWide(GuardCommandLine(FromWide(exe), GetCurrentProcessId(), OwnStartTime()));
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                     nullptr, &si, &pi)) {
    // The guard runs on its own; nothing here waits for it.
    const unique_process process(pi.hProcess);
    const unique_handle<NullHandleTraits> thread(pi.hThread);
  }
}

}  // namespace

std::uint64_t ProcessStartTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

void GiveBackKeeper::Keep(const GiveBackSet& owed) {
  if (owed.Empty()) return Forget();
  const unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), true);
  if (!key) return;
  WriteRegString(key.get(), kGiveBackValue,
                 FormatGiveBackRecord({GetCurrentProcessId(), OwnStartTime(), owed}));
  if (!guardStarted_) {
    guardStarted_ = true;
    StartGuard();
  }
}

void GiveBackKeeper::Forget() {
  const std::optional<GiveBackRecord> record = ReadRecord();
  if (record && record->OwnerPid == GetCurrentProcessId() && record->OwnerStarted == OwnStartTime())
    RemoveRecord();
}

void GiveBackOrphanedRecord() {
  const std::optional<GiveBackRecord> record = ReadRecord();
  if (!record || OwnerRuns(record->OwnerPid, record->OwnerStarted)) return;
  GiveBackRecordOf(record->OwnerPid, record->OwnerStarted);
}

int RunGiveBackGuard(const GuardTarget& target) {
  if (const unique_process process(
          OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, target.Pid));
      process && ProcessStartTime(process.get()) == target.Started) {
    WaitForSingleObject(process.get(), INFINITE);
  }
  // Ended normally, the bar gave back and removed its record; killed, it left it here.
  GiveBackRecordOf(target.Pid, target.Started);
  return 0;
}

}  // namespace wendlix
