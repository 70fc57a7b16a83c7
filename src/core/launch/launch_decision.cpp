#include "core/launch/launch_decision.h"

#include "core/bar/panel_data.h"
#include "core/shell/command_line.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

LaunchRequest Refusal(std::string_view target) {
  LaunchRequest r;
  r.Action = LaunchAction::kRefuse;
  r.Target = std::string(target);
  return r;
}

// The file itself, without parameters or a working folder: a shortcut carries both, and the
// shell's link handler adds them (given again, the program would get its arguments twice).
LaunchRequest OpenRequest(std::string_view file, int showCmd) {
  if (!SafeShellTarget(file)) return Refusal(file);
  LaunchRequest r;
  r.Action = LaunchAction::kOpen;
  r.File = std::string(file);
  r.ShowCmd = showCmd;
  r.Target = std::string(file);
  r.ShellReports = IsShortcutFile(file);
  return r;
}

}  // namespace

std::string OpenVerb(std::string_view fileName) {
  return !HasUrlScheme(fileName) && ToUpperAscii(ExtractFileExt(fileName)) == ".PIF" ? "open" : "";
}

bool IsWebAddress(std::string_view text) {
  return StartsWithTextAscii(text, "http://") || StartsWithTextAscii(text, "https://");
}

LaunchRequest WebBrowserRequest(std::string_view address, int showCmd) {
  if (address.empty()) return {};
  if (BreaksShellArgument(address)) return Refusal(address);
  LaunchRequest r;
  r.Action = LaunchAction::kOpen;
  r.File = kWebBrowserProgram;
  r.Params = QuoteCommandLineArgument(address);
  r.ShowCmd = showCmd;
  r.Target = std::string(address);
  return r;
}

LaunchRequest DecideLaunch(const MenuItemSender& item) {
  if (item.Tag == kSubmenuTag) {
    if (item.ChildCount == 1) {
      LaunchRequest r;
      r.Action = LaunchAction::kFillSubmenu;
      // The listing appends its patterns to the folder, so it must end in "\".
      r.File = AddBackslash(item.Hint);
      return r;
    }
    // Its content was read when it was first opened; opening the submenu again is no launch.
    if (item.ChildCount > 1) return {};
  }
  if (item.Hint.empty()) return {};
  if (IsWebAddress(item.Hint)) return WebBrowserRequest(item.Hint, kShowMaximized);
  return OpenRequest(item.Hint, kShowNoActivate);
}

LaunchRequest DecideLaunch(const LaunchButtonSender& button) {
  if (button.FileName.empty()) return {};
  if (button.GroupKind == gkWeb) return WebBrowserRequest(button.FileName, kShowWebButton);
  if (button.IsDirectory) return {};  // its menu opens on mouse down
  return OpenRequest(button.FileName, kShowNormal);
}

}  // namespace wendlix
