#include "win/shell/shell_open.h"

#include <shellapi.h>

#include "core/launch/launch_decision.h"
#include "core/shell/command_line.h"
#include "win/common/wide.h"

namespace wendlix {

namespace {

HINSTANCE ErrorResult(UINT code) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code)); }

const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

std::optional<ShellCall> ShellOpenCall(const std::string& fileName, const std::string& params,
                                       const std::string& dir, int showCmd) {
  const std::optional<std::string> target = SafeShellTarget(fileName);
  if (!target || target->empty()) return std::nullopt;
  return ShellCall{ToWide(OpenVerb(fileName)), ToWide(*target), ToWide(params), ToWide(dir), showCmd};
}

HINSTANCE RunShellCall(HWND wnd, const ShellCall& call, HANDLE* process, ShellErrors errors) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask =
      (errors == ShellErrors::kReturned ? SEE_MASK_FLAG_NO_UI : 0) | (process ? SEE_MASK_NOCLOSEPROCESS : 0);
  info.hwnd = wnd;
  info.lpVerb = OrNull(call.Verb);
  info.lpFile = call.File.c_str();
  info.lpParameters = OrNull(call.Parameters);
  info.lpDirectory = OrNull(call.Directory);
  info.nShow = call.ShowCmd;
  const BOOL ok = ShellExecuteExW(&info);
  if (process) *process = ok ? info.hProcess : nullptr;
  // hInstApp carries ShellExecute's codes; a failure without one still reads as one.
  if (!ok && reinterpret_cast<INT_PTR>(info.hInstApp) > 32) return ErrorResult(SE_ERR_NOASSOC);
  return info.hInstApp;
}

HINSTANCE ShellOpen(HWND wnd, const std::string& fileName, const std::string& params, const std::string& dir,
                    int showCmd) {
  const std::optional<ShellCall> call = ShellOpenCall(fileName, params, dir, showCmd);
  if (!call) return ErrorResult(ERROR_FILE_NOT_FOUND);
  return RunShellCall(wnd, *call, nullptr);
}

}  // namespace wendlix
