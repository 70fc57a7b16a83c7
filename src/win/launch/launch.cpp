#include "win/launch/launch.h"

#include <cwchar>

#include "win/common/unique_handle.h"
#include "win/ui/p_messages.h"

namespace wendlix {
namespace {

// Dialogs created on this thread while the shell runs a call are the shell's messages.
thread_local int shellDialogs = 0;

LRESULT CALLBACK CountShellDialogs(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
    wchar_t cls[16] = {};
    if (!(create->style & WS_CHILD) && GetClassNameW(reinterpret_cast<HWND>(wp), cls, 16) &&
        std::wcscmp(cls, L"#32770") == 0) {
      ++shellDialogs;
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

std::optional<ShellCall> LaunchShellCall(const LaunchRequest& request) {
  if (request.Action != LaunchAction::kOpen || request.File.empty()) return std::nullopt;
  return ShellOpenCall(request.File, request.Params, request.Directory, request.ShowCmd);
}

LaunchResult ExecuteLaunch(const LaunchRequest& request, HWND owner) {
  const std::optional<ShellCall> call = LaunchShellCall(request);
  // As ShellOpen answers a path it refuses.
  if (!call) return {false, ERROR_FILE_NOT_FOUND, false};
  if (!request.ShellReports) {
    const auto code = reinterpret_cast<INT_PTR>(RunShellCall(owner, *call));
    return {code > 32, static_cast<int>(code), false};
  }
  const int before = shellDialogs;
  const unique_hhook hook(SetWindowsHookExW(WH_CBT, &CountShellDialogs, nullptr, GetCurrentThreadId()));
  const auto code = reinterpret_cast<INT_PTR>(RunShellCall(owner, *call, nullptr, ShellErrors::kShown));
  // Without the hook nobody can tell; the shell was allowed to speak, so the bar keeps still.
  return {code > 32, static_cast<int>(code), !hook || shellDialogs != before};
}

bool LaunchAndReport(const LaunchRequest& request, HWND owner) {
  const LaunchResult result = ExecuteLaunch(request, owner);
  if (const std::optional<std::string> text = LaunchReportText(request, result))
    ShowErrorBox(*text, kLaunchFailedCaption);
  return result.Started;
}

}  // namespace wendlix
