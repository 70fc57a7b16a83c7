// The group record and the launch buttons a group holds. Plain data: the group panel
// carries a copy of the record, and the group file stores it (group_file.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/bookmarks/bookmark_source.h"

namespace wendlix {

// Colours are 0x00BBGGRR or 0x80000000 + a system colour index, stored as signed decimals.
constexpr std::int32_t kClBtnFace = static_cast<std::int32_t>(0x8000000Fu);
constexpr std::int32_t kClWindowText = static_cast<std::int32_t>(0x80000008u);

// Group kinds (`PanelStyle`).
enum GroupKind : std::uint16_t {
  gkShortcut = 0,  // buttons are the entries of the folder `Directory`
  gkWeb = 1,       // buttons are the name/address pairs of the button section
  gkEmail = 2,
};

// Display name of a kind, for messages; any value above 1 counts as e-mail, as the fills do.
const char* GroupKindName(std::uint16_t kind);

// A group's own font: every group owns its value, none is shared.
struct GroupFont {
  std::int32_t Color = kClWindowText;
  int Size = 9;  // points
  std::string Name = "宋体";

  bool operator==(const GroupFont&) const = default;
};

struct TPanelData {
  std::string Title = "Programs";
  std::string PictureFile;
  std::string Directory = "C:\\";
  std::int32_t Color = 0x00E5E5E5;
  std::int32_t FromColor = 0x00FFFFFF;
  std::int32_t ToColor = 0x00FF0000;
  std::uint8_t DrawStyle = 0;  // 0 plain colour, 1 gradient, 2 picture
  GroupFont Font;
  std::uint16_t PanelStyle = gkShortcut;
  bool ShowAsButton = false;
  bool ShowCaption = true;
  bool ShowTitle = true;
  bool SmallIcon = false;  // True means 32x32 icons, despite the name
  bool LayoutLeft = true;
  bool BevelDown = true;
  bool ShowTitleIcon = false;
  bool Visible = true;
  BookmarkSource Bookmarks;  // web groups only; empty for every other group

  bool operator==(const TPanelData&) const = default;
};

// The one answer to "is this group shown as a band": visible and not collapsed into a button
// of PanelBtn. The groups list's check marks and its clicks follow it.
inline bool ShownAsBand(const TPanelData& d) { return d.Visible && !d.ShowAsButton; }

// One launch button. `Caption` is what the panel keeps in the button's hint; `FileName`
// is the full path (shortcut groups) or the address with its "http://" or "MAILTO:" prefix.
struct GroupButton {
  std::string Caption;
  std::string FileName;
  bool IsDirectory = false;

  bool operator==(const GroupButton&) const = default;
};

// A group as the bar holds it between loading and saving: the record, the panel's size,
// and the launch buttons of its last fill (empty when it was never filled, which is what
// tells the close whether the button section is rewritten).
struct GroupRecord {
  TPanelData Data;
  int Width = 120;
  int Height = 100;
  std::vector<GroupButton> Buttons;
  // A shortcut group loaded without listing its folder: Buttons are its saved order.
  bool FromSavedOrder = false;
};

}  // namespace wendlix
