#include "core/bar/group_construction.h"

#include <algorithm>

#include "core/bar/group_file.h"
#include "core/bar/group_loading.h"
#include "core/bookmarks/bookmark_browsers.h"
#include "core/profile/ini_file.h"
#include "core/text/paths.h"

namespace wendlix {
namespace {

ButtonGlyph LaunchGlyph(const GroupPanel& panel) {
  const TPanelData& d = panel.Data;
  switch (d.PanelStyle) {
    case gkShortcut:
      if (panel.HasImageList) return {GlyphSource::kGroupImageList, {}, -1};
      return {};
    case gkWeb:
      return d.SmallIcon ? ButtonGlyph{GlyphSource::kResource, "IEICON_LARGE", -1}
                         : ButtonGlyph{GlyphSource::kImageList1, {}, 15};
    default:
      return d.SmallIcon ? ButtonGlyph{GlyphSource::kResource, "MAILICON_LARGE", -1}
                         : ButtonGlyph{GlyphSource::kImageList1, {}, 16};
  }
}

void AddButtons(GroupPanel& panel, const std::vector<GroupButton>& buttons) {
  panel.FromSavedOrder = false;
  panel.Children.clear();
  panel.Children.reserve(buttons.size() + 1);
  for (const GroupButton& b : buttons) AddGroupButton(panel, b.Caption, b.IsDirectory, b.FileName);
  AddCollapseButton(panel);
}

}  // namespace

int KindImageIndex(std::uint16_t kind) {
  if (kind == gkShortcut) return 9;
  return kind == gkWeb ? 0 : 8;
}

GroupPanel CreateGroupPanel(const TPanelData& data, int bandCount, int width, int height, const IniFile& gpf,
                            const ShortcutFolder& folder) {
  GroupPanel panel;
  panel.Data = data;
  panel.Hint = data.Title;
  panel.Tag = bandCount < 0 ? 0 : bandCount;
  panel.Width = width;
  panel.Height = height;
  if (ShownAsBand(data)) FillByKind(panel, gpf, folder);
  panel.Visible = false;  // shown by the appearance step
  panel.MenuItem = {data.Title, panel.Tag};
  return panel;
}

GroupPanel PanelFromRecord(const GroupRecord& record, int bandIndex) {
  const TPanelData& data = record.Data;
  GroupPanel panel;
  panel.Data = data;
  panel.Hint = data.Title;
  panel.Tag = bandIndex < 0 ? 0 : bandIndex;
  panel.Width = record.Width;
  panel.Height = record.Height;
  if (ShownAsBand(data)) {
    if (data.PanelStyle == gkShortcut) {
      panel.HasImageList = true;
      panel.LargeImageList = data.SmallIcon;
    }
    AddButtons(panel, record.Buttons);
    panel.FromSavedOrder = record.FromSavedOrder;
  }
  panel.MenuItem = {data.Title, panel.Tag};
  return panel;
}

void FillShortcutGroup(GroupPanel& panel, const IniFile& gpf, const ShortcutFolder& folder) {
  // A fresh image list of the current size on every fill, so switching SmallIcon takes effect.
  panel.HasImageList = true;
  panel.LargeImageList = panel.Data.SmallIcon;
  AddButtons(panel,
             ShortcutGroupButtons(panel.Data.Directory, ReadSavedOrder(gpf, panel.Data.Title), folder));
}

void ListSavedOrderGroup(GroupPanel& panel, const ShortcutFolder& folder) {
  // Each button's path is the folder's and a saved name, as the name was saved.
  const std::size_t folderLength = AddBackslash(panel.Data.Directory).size();
  std::vector<std::string> saved;
  for (const BarButton& b : panel.Children)
    if (!b.IsCollapse()) saved.push_back(b.FileName.substr(std::min(folderLength, b.FileName.size())));
  AddButtons(panel, ShortcutGroupButtons(panel.Data.Directory, saved, folder));
}

bool ShowsALaunchButton(const GroupPanel& panel) {
  for (const BarButton& b : panel.Children)
    if (!b.IsCollapse() && b.Visible) return true;
  return false;
}

void FillUrlGroup(GroupPanel& panel, const IniFile& gpf) {
  if (panel.ShownBookmarks) return FillBookmarkGroup(panel);
  AddButtons(panel, ReadAddressButtons(gpf, panel.Data.Title, gkWeb));
}

void FillBookmarkGroup(GroupPanel& panel) { AddButtons(panel, BookmarkButtons(*panel.ShownBookmarks)); }

void FillEmailGroup(GroupPanel& panel, const IniFile& gpf) {
  AddButtons(panel, ReadAddressButtons(gpf, panel.Data.Title, gkEmail));
}

void FillByKind(GroupPanel& panel, const IniFile& gpf, const ShortcutFolder& folder) {
  switch (panel.Data.PanelStyle) {
    case gkShortcut: FillShortcutGroup(panel, gpf, folder); break;
    case gkWeb: FillUrlGroup(panel, gpf); break;
    default: FillEmailGroup(panel, gpf); break;
  }
}

BarButton& AddGroupButton(GroupPanel& panel, const std::string& caption, bool isDirectory,
                          const std::string& target) {
  BarButton b;
  b.IsDirectory = isDirectory;
  b.HasDropDownMenu = isDirectory;
  b.FileName = target;
  b.Hint = caption;
  b.Caption = panel.Data.ShowCaption ? caption : std::string();
  if (b.Caption.empty()) b.Caption = target;
  b.Spacing = 4;
  b.Glyph = LaunchGlyph(panel);
  panel.Children.push_back(std::move(b));
  // Past 1999 children the Tag stays below the collapse range, where handlers that tell
  // buttons apart by Tag would take it for the collapse button.
  const int count = static_cast<int>(panel.Children.size());
  panel.Children.back().Tag = count < kCollapseTagBase ? count : kCollapseTagBase - 1;
  return panel.Children.back();
}

BarButton& AddCollapseButton(GroupPanel& panel) {
  BarButton b;
  b.Collapse = true;
  b.Hint = panel.Data.Title;
  b.Tag = kCollapseTagBase + panel.Tag;
  b.Glyph = {GlyphSource::kResource, "ARROWICON_LEFT", -1};
  b.Bounds = MakeRect(0, 0, 0, 12);
  panel.Children.push_back(std::move(b));
  return panel.Children.back();
}

BarButton MakeCollapsedGroupButton(const GroupPanel& group) {
  BarButton b;
  b.Collapse = true;
  b.Caption = group.Data.Title;
  b.Hint = group.Data.Title;
  b.Tag = kCollapseTagBase + group.Tag;
  b.Flat = false;
  b.Spacing = 10;
  b.ImageIndex = KindImageIndex(group.Data.PanelStyle);
  b.Glyph = {GlyphSource::kImageList1, {}, b.ImageIndex};
  b.Bounds = MakeRect(0, 0, 0, 25);
  return b;
}

GroupRecord PanelRecord(const GroupPanel& panel) {
  GroupRecord r;
  r.Data = panel.Data;
  r.Width = panel.Width;
  r.Height = panel.Height;
  for (const BarButton& b : panel.Children) {
    if (!b.IsCollapse()) r.Buttons.push_back({b.Hint, b.FileName, b.IsDirectory});
  }
  return r;
}

void SaveShownGroup(IniFile& gpf, const GroupPanel& panel) {
  const GroupRecord record = PanelRecord(panel);
  SaveGroup(gpf, record, !record.Buttons.empty());
}

}  // namespace wendlix
