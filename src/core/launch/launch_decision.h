// What a click on a launch button or a folder-menu item does: nothing, fill a submenu, open
// something through the shell, or refuse. Plain data; the window layer carries it out.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wendlix {

// Show commands handed to the shell (the SW_ values).
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowNoActivate = 4;
// Web buttons have always passed this value, outside the named show commands, unchanged.
inline constexpr int kShowWebButton = 15;

// A folder-menu item standing for a subfolder whose content is read when it is opened.
inline constexpr int kSubmenuTag = 1000;
// The one disabled child such an item carries until then.
inline constexpr char kEmptyPlaceholder[] = "(空)";

inline constexpr char kWebBrowserProgram[] = "explorer.exe";

enum class LaunchAction : std::uint8_t {
  kNone,
  kFillSubmenu,  // fill the item's submenu from `File` (a folder ending in "\"), then drop the placeholder
  kOpen,         // ShellExecute of `File`
  kRefuse,       // `Target` holds what could end its argument early: the bar says so instead
};

struct LaunchRequest {
  LaunchAction Action = LaunchAction::kNone;
  std::string File;    // opened with OpenVerb(File)
  std::string Params;  // a command line as it is passed on
  std::string Directory;
  int ShowCmd = 0;
  std::string Target;  // what the user launched (a path or an address), as messages name it
  // A shortcut file: the shell's link handler reports a broken link best (and may offer to
  // mend it), so it shows its own message; any other failure is the bar's to report.
  bool ShellReports = false;
  bool operator==(const LaunchRequest&) const = default;
};

// A folder-menu item (also the collapse menu's items): its path (Hint), Tag and number of
// children.
struct MenuItemSender {
  std::string Hint;
  int Tag = 0;
  int ChildCount = 0;
};

// A launch button.
struct LaunchButtonSender {
  std::uint16_t GroupKind = 0;
  std::string FileName;
  bool IsDirectory = false;
};

LaunchRequest DecideLaunch(const MenuItemSender& item);
LaunchRequest DecideLaunch(const LaunchButtonSender& button);

// The one rule for "is a web address": it starts with "http://" or "https://", in any case.
bool IsWebAddress(std::string_view text);

// "explorer.exe" with `address` as its only argument, quoted; refused when the address
// holds a double quote or a control character, which could end the argument or the command
// line early.
LaunchRequest WebBrowserRequest(std::string_view address, int showCmd);

// The verb the shell opens `fileName` with: "open" for a ".PIF" file (not an address), empty for
// the file's default action otherwise.
std::string OpenVerb(std::string_view fileName);

}  // namespace wendlix
