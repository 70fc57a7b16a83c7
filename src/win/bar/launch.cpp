#include "win/bar/launch.h"

#include "core/appbar/command_line.h"
#include "win/appbar/shell_open.h"
#include "win/common/wide.h"

namespace wendlix {

LaunchRequest LaunchButtonRequest(std::uint16_t groupKind, const std::string& fileName, bool isDirectory) {
  return DecideLaunch(LaunchButtonSender{groupKind, fileName, isDirectory});
}

std::wstring LaunchCommandLine(const LaunchRequest& request) {
  if (request.Action != LaunchAction::kOpen || request.File.empty()) return {};
  std::wstring line = ToWide(QuoteCommandLineArgument(request.File));
  if (!request.Params.empty()) line += L" " + ToWide(request.Params);
  return line;
}

std::string LaunchRefusal(const std::string& target, bool webAddress) {
  if (target.empty()) return {};
  const bool refused = webAddress ? BreaksShellArgument(target) : !SafeShellTarget(target);
  return refused ? LaunchRefusedText(target) : std::string{};
}

std::optional<ShellCall> LaunchShellCall(const LaunchRequest& request) {
  if (request.Action != LaunchAction::kOpen || request.File.empty()) return std::nullopt;
  return ShellOpenCall(request.File, request.Params, request.Directory, request.ShowCmd);
}

bool ExecuteLaunch(const LaunchRequest& request, HWND owner) {
  const std::optional<ShellCall> call = LaunchShellCall(request);
  return call && reinterpret_cast<INT_PTR>(RunShellCall(owner, *call)) > 32;
}

}  // namespace wendlix
