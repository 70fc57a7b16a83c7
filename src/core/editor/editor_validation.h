// The editor's checks on what was typed: each names its message, its caption and the
// field that takes the focus. Besides the blank and existence checks of the dialog, they
// refuse at input what the group file or the file system cannot hold, so that nothing
// typed is lost or lands somewhere else on saving.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// The field a refusal gives the focus to: button mode's name and target, the group page's title and
// folder, the buttons page's row name and target.
enum class EditorField : std::uint8_t { kNone, kName, kTarget, kTitle, kFolder, kRowName, kRowTarget };

struct EditorRefusal {
  std::string Text;
  std::string Caption;
  EditorField Focus = EditorField::kNone;
  bool operator==(const EditorRefusal&) const = default;
};
using EditorCheck = std::optional<EditorRefusal>;

using PathProbe = std::function<bool(const std::string& path)>;

// A text the group file stores as a name or value: no control character, valid UTF-8,
// and every character in code page 936. `field` starts the message ("按钮名称").
EditorCheck CheckStoredText(std::string_view text, std::string_view field, EditorField focus);

// One file name that Windows can create in a folder: none of \ / : * ? " < > |, no
// control character, not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or
// without an extension). "..\x" would otherwise write outside the group's folder.
bool IsSingleFileName(std::string_view name);

// A button name (a key of the button section). Shortcut groups (kind 0) also need it
// to be one file name; web and e-mail groups need it to differ, ignoring ASCII case,
// from `otherNames` (the other entries of the group), since one key holds one address.
// The blank test comes first and is the caller's (its message depends on the mode).
EditorCheck CheckButtonName(std::string_view name, std::uint16_t kind,
                            const std::vector<std::string>& otherNames, EditorField focus);

// A web or e-mail address as it will be stored.
EditorCheck CheckAddress(std::string_view address, EditorField focus);

// A group title: a section name of the group file and a key of both "Groups" lists, so
// not "Groups", not ending in "  Buttons" (that would be another group's button section)
// and not the title of another group (`otherTitles`, ASCII case ignored).
EditorCheck CheckGroupTitle(std::string_view title, const std::vector<std::string>& otherTitles,
                            EditorField focus);

// Which kind of button the dialog edits in button mode: `btnBrow` visible means a
// shortcut button, else the caption of `Label2` tells web from e-mail.
std::uint16_t ButtonModeKind(bool btnBrowVisible, std::string_view label2Caption);
const char* Label2CaptionFor(std::uint16_t kind);

struct ButtonModeInput {
  std::uint16_t Kind = 0;
  std::string Name;
  std::string Target;                   // the target, or the address without its prefix
  std::vector<std::string> OtherNames;  // the group's other buttons, without the one edited
  bool InternetShortcut = false;        // a shortcut group's .url: its target is a web address
};

struct ButtonModeResult {
  EditorCheck Refusal;  // set: stay in the dialog
  std::string Target;   // the target, or the address with its prefix
};

// The button-mode commit. `exists` answers for a file or a folder.
ButtonModeResult CheckButtonMode(const ButtonModeInput& in, const PathProbe& exists);

struct GroupModeInput {
  std::string Title;          // Text3
  std::string Folder;         // Text4
  bool FolderEnabled = true;  // kind 0
  std::vector<std::string> OtherTitles;
};

// The group-mode commit's checks, before anything is written. `folderExists` answers
// for the folder of a shortcut group.
EditorCheck CheckGroupMode(const GroupModeInput& in, const PathProbe& folderExists);

}  // namespace wendlix
