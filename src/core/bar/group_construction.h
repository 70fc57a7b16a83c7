// A group as the bar builds it: the panel's record, its band and menu entry, and its child
// buttons (launch buttons and the collapse button) as plain data the window layer draws.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/bar/stable_list.h"
#include "core/bookmarks/bookmark_tree.h"
#include "core/common/geometry.h"

namespace wendlix {

class IniFile;
class ShortcutFolder;

// Tag ranges of the bar's buttons.
inline constexpr int kCollapseTagBase = 2000;        // collapse button: 2000 + group index
inline constexpr int kCollapsedGroupTagBase = 4000;  // group button in PanelBtn: 4000 + group index

// Where a button's picture comes from.
enum class GlyphSource : std::uint8_t {
  kNone,
  kResource,        // a named bitmap resource
  kImageList1,      // the bar's own image list, at `Index`
  kGroupImageList,  // the group's image list at the target's system icon index (resolved by the caller)
};

struct ButtonGlyph {
  GlyphSource Source = GlyphSource::kNone;
  std::string Resource;
  int Index = -1;
  bool operator==(const ButtonGlyph&) const = default;
};

enum class MenuPosition : std::uint8_t { dmpBottom, dmpRight };

// One speed button of a group panel or of PanelBtn. Launch buttons have a Tag below 2000;
// the kind is kept apart from the Tag so that a group of 2000 or more entries cannot turn
// a launch button into a collapse button.
struct BarButton {
  bool Collapse = false;
  std::string Caption;
  std::string Hint;
  std::string FileName;  // launch buttons: the target
  bool IsDirectory = false;
  bool HasDropDownMenu = false;  // folder buttons show the drop-down mark
  int Tag = 0;
  ButtonGlyph Glyph;
  int ImageIndex = -1;
  bool Flat = true;
  bool FlatDraw = true;
  int Spacing = 4;
  bool TextUnderIcon = false;
  MenuPosition Menu = MenuPosition::dmpBottom;
  bool Visible = false;  // hidden until laid out
  Rect Bounds;

  bool IsCollapse() const { return Collapse; }
  bool operator==(const BarButton&) const = default;
};

struct GroupBand {
  bool Break = false;
  int MinHeight = 15;
  int MinWidth = 18;
  bool FixedSize = false;
  bool BorderSingle = true;  // cleared by the appearance step
  bool Visible = true;
  int ImageIndex = -1;
  std::string Text;
  bool operator==(const GroupBand&) const = default;
};

struct GroupMenuItem {
  std::string Caption;
  int Tag = 0;
  bool operator==(const GroupMenuItem&) const = default;
};

// How a bookmarks group's last reading of the browser's file went.
enum class BookmarksState : std::uint8_t { kNotRead, kRead, kMissing, kDamaged, kFolderGone };

struct GroupPanel {
  TPanelData Data;
  int Tag = 0;  // band index
  std::string Hint;
  bool Visible = false;
  int Width = 120, Height = 100;   // panel size (its client area: the bevel is drawn inside)
  bool HasImageList = false;       // shortcut groups get one on each fill
  bool LargeImageList = false;     // 32x32 when SmallIcon, else 16x16
  StableList<BarButton> Children;  // control order
  bool FromSavedOrder = false;     // loaded with its saved order, its folder not yet listed
  GroupBand Band;
  GroupMenuItem MenuItem;
  // A bookmarks group (Data.Bookmarks): the browser's file as it last read cleanly, the folder
  // of it the group shows, and that folder's path as the find box shows it. Null until then:
  // the group shows the buttons saved for it.
  std::shared_ptr<const BookmarkTree> BookmarkFile;
  std::shared_ptr<const BookmarkNode> ShownBookmarks;  // inside BookmarkFile
  std::string ShownBookmarksPath;
  BookmarksState BookmarksRead = BookmarksState::kNotRead;
};

// Index of the kind icon in ImageList1: 9 shortcut, 0 web, 8 e-mail (any other kind).
int KindImageIndex(std::uint16_t kind);

// The new panel for `data` as band number `bandCount` (the bands already there). It is
// filled by kind when visible and not shown as a button; the fills read `gpf` and `folder`.
GroupPanel CreateGroupPanel(const TPanelData& data, int bandCount, int width, int height, const IniFile& gpf,
                            const ShortcutFolder& folder);

// The panel for a group loaded with its buttons (band number `bandIndex`): the same panel
// CreateGroupPanel makes, without reading the folder or the group file again.
GroupPanel PanelFromRecord(const GroupRecord& record, int bandIndex);

// Lists the folder of a group loaded FromSavedOrder, keeping that order.
void ListSavedOrderGroup(GroupPanel& panel, const ShortcutFolder& folder);

// Whether the last layout left any launch button of the group in view.
bool ShowsALaunchButton(const GroupPanel& panel);

// Each fill first drops all children, then adds the launch buttons and the collapse button.
void FillShortcutGroup(GroupPanel& panel, const IniFile& gpf, const ShortcutFolder& folder);
// A bookmarks group that has read its browser's file shows that folder, others their saved buttons.
void FillUrlGroup(GroupPanel& panel, const IniFile& gpf);
// From ShownBookmarks (which must be set): a web button per bookmark, a folder button per folder.
void FillBookmarkGroup(GroupPanel& panel);
void FillEmailGroup(GroupPanel& panel, const IniFile& gpf);
// By kind: 1 web, 2 and above e-mail, otherwise shortcut.
void FillByKind(GroupPanel& panel, const IniFile& gpf, const ShortcutFolder& folder);

// Appends a hidden launch button; its Tag is the child count after it was added.
BarButton& AddGroupButton(GroupPanel& panel, const std::string& caption, bool isDirectory,
                          const std::string& target);

// The collapse button at the end of a group panel.
BarButton& AddCollapseButton(GroupPanel& panel);
// The button that stands for collapsed group `group` in PanelBtn.
BarButton MakeCollapsedGroupButton(const GroupPanel& group);

// The record the group file stores for `panel`: its launch buttons in control order.
GroupRecord PanelRecord(const GroupPanel& panel);

// Writes the group's record with the buttons it shows. A group that shows none keeps the
// buttons the file holds, as the close does: it was never filled, or its folder is away
// (missing, unreadable, an unreachable share) and the order saved for it must be there
// when the folder comes back.
void SaveShownGroup(IniFile& gpf, const GroupPanel& panel);

}  // namespace wendlix
