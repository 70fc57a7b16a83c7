// Changing one shortcut of a shortcut group (its name, its target or both), shared by the
// editor's buttons page and the bar's button-properties command. The replacement is saved
// before the old file goes, so a failure at any step leaves the folder as it was.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/editor/buttons_page.h"

namespace wendlix {

// AddBackslash(folder) + name + ".lnk" ("a.b" gives "a.b.lnk"), or nullopt when `name` is
// not one file name: empty, "." or "..", a control character, one of \ / : * ? " < > |, or
// a device name. "..\x" would otherwise write outside the folder.
std::optional<std::string> LinkPathForName(std::string_view folder, std::string_view name);

struct ShortcutChange {
  bool Changed = false;
  std::string NewPath;  // the file that now stands for the button
  std::string Message;  // why nothing changed (Chinese, for an error box)
};

// Replaces the shortcut `oldPath` in `folder` by one named `newName` pointing at `newTarget`:
// the replacement is written first (unique name as MakeShortcutFile gives it, but the old file's
// own name may be reused when the name is unchanged), and only then the old file removed; a .url
// stays an internet shortcut (.url) and a .lnk keeps its arguments, working folder, icon, hot key
// and show command; a .pif is rewritten as a .lnk. Only .lnk/.pif/.url files are ever deleted.
// On failure nothing changes on disk and Message says why (Chinese, for the bar's error box).
ShortcutChange ChangeShortcutFile(EditorFiles& files, std::string_view folder, std::string_view oldPath,
                                  std::string_view newName, std::string_view newTarget);

}  // namespace wendlix
