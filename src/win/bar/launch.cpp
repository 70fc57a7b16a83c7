#include "win/bar/launch.h"

#include "core/appbar/command_line.h"
#include "win/appbar/shell_links.h"
#include "win/appbar/shell_open.h"
#include "win/common/wide.h"

namespace wendlix {

LaunchRequest LaunchButtonRequest(std::uint16_t groupKind, const std::string& fileName, bool isDirectory) {
  LaunchButtonSender sender;
  sender.GroupKind = groupKind;
  sender.FileName = fileName;
  sender.IsDirectory = isDirectory;
  if (NeedsShortcutRead(groupKind, fileName, isDirectory)) {
    try {
      TShortCutData data;
      if (ReadShortcut(fileName, data)) sender.Shortcut = data;
    } catch (...) {
      // Left unread: the shell opens the file by itself.
    }
  }
  return DecideLaunch(sender);
}

std::wstring LaunchCommandLine(const LaunchRequest& request) {
  if (request.Action != LaunchAction::kOpen || request.File.empty()) return {};
  std::wstring line = ToWide(QuoteCommandLineArgument(request.File));
  if (!request.Params.empty()) line += L" " + ToWide(request.Params);
  return line;
}

bool ExecuteLaunch(const LaunchRequest& request, HWND owner) {
  if (request.Action != LaunchAction::kOpen || request.File.empty()) return false;
  const HINSTANCE result = ShellOpen(owner, request.File, request.Params, request.Directory, request.ShowCmd);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace wendlix
