#include "core/bar/group_file.h"

#include "core/bar/group_keys.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/paths.h"

namespace wendlix {

using namespace group_keys;

namespace {

// The name as the file spells it; looked up only for a record without a title.
std::string SectionSpelling(const IniFile& gpf, std::string_view section) {
  for (std::string& name : gpf.ReadSections())
    if (SameTextAscii(name, section)) return std::move(name);
  return std::string(section);
}

}  // namespace

BookmarkSource ReadBookmarkSource(const IniFile& gpf, std::string_view section) {
  BookmarkSource source;
  source.Browser = gpf.ReadString(section, kBookmarkBrowser, "");
  if (source.Browser.empty()) return source;
  source.Profile = gpf.ReadString(section, kBookmarkProfile, "Default");
  source.Folder.Id = gpf.ReadString(section, kBookmarkFolderId, "");
  std::vector<std::string> path = SplitBookmarkPath(gpf.ReadString(section, kBookmarkFolder, ""));
  if (!path.empty()) source.Folder.Path = std::move(path);
  return source;
}

void WriteBookmarkSource(IniFile& gpf, std::string_view section, const BookmarkSource& source) {
  if (source.Empty()) {
    for (std::string_view key : {kBookmarkBrowser, kBookmarkProfile, kBookmarkFolder, kBookmarkFolderId})
      gpf.DeleteKey(section, key);
    return;
  }
  gpf.WriteString(section, kBookmarkBrowser, source.Browser);
  gpf.WriteString(section, kBookmarkProfile, source.Profile);
  // A path the file cannot hold (a title outside code page 936) is left out; the id still finds the folder.
  if (!gpf.WriteString(section, kBookmarkFolder, JoinBookmarkPath(source.Folder.Path)))
    gpf.DeleteKey(section, kBookmarkFolder);
  if (source.Folder.Id.empty())
    gpf.DeleteKey(section, kBookmarkFolderId);
  else
    gpf.WriteString(section, kBookmarkFolderId, source.Folder.Id);
}

std::string ButtonSectionName(std::string_view title) {
  std::string name(title);
  name += "  Buttons";
  return name;
}

GroupRecord ReadGroupRecord(const IniFile& gpf, std::string_view section) {
  const TPanelData d;  // the defaults
  GroupRecord g;
  TPanelData& r = g.Data;
  r.Visible = gpf.ReadBool(section, kVisible, d.Visible);
  r.ShowTitle = gpf.ReadBool(section, kShowTitle, d.ShowTitle);
  r.ShowAsButton = gpf.ReadBool(section, kShowAsButton, d.ShowAsButton);
  r.ShowCaption = gpf.ReadBool(section, kShowCaption, d.ShowCaption);
  r.LayoutLeft = gpf.ReadBool(section, kLayoutLeft, d.LayoutLeft);
  r.BevelDown = gpf.ReadBool(section, kBevelDown, d.BevelDown);
  r.SmallIcon = gpf.ReadBool(section, kSmallIcon, d.SmallIcon);
  r.ShowTitleIcon = gpf.ReadBool(section, kShowTitleIcon, d.ShowTitleIcon);
  g.Width = gpf.ReadInteger(section, kWidth, g.Width);
  g.Height = gpf.ReadInteger(section, kHeight, g.Height);
  // The record's fields are narrower than the stored integers; they keep the low bits.
  r.PanelStyle = static_cast<std::uint16_t>(gpf.ReadInteger(section, kPanelStyle, d.PanelStyle));
  r.Color = gpf.ReadInteger(section, kColor, d.Color);
  r.FromColor = gpf.ReadInteger(section, kFromColor, d.FromColor);
  r.ToColor = gpf.ReadInteger(section, kToColor, d.ToColor);
  r.DrawStyle = static_cast<std::uint8_t>(gpf.ReadInteger(section, kDrawStyle, d.DrawStyle));
  r.Font.Color = gpf.ReadInteger(section, kFontColor, d.Font.Color);
  r.Font.Size = gpf.ReadInteger(section, kFontSize, d.Font.Size);
  r.Directory = gpf.ReadString(section, kDirectory, d.Directory);
  // A file cut short inside the record must not move the group to another title, nor can
  // an empty title name the group's sections.
  r.Title = gpf.ReadString(section, kTitleText, "");
  if (r.Title.empty()) r.Title = SectionSpelling(gpf, section);
  r.Font.Name = gpf.ReadString(section, kFontName, d.Font.Name);
  r.PictureFile = gpf.ReadString(section, kPictureFile, d.PictureFile);
  if (r.PanelStyle == gkWeb) r.Bookmarks = ReadBookmarkSource(gpf, section);
  return g;
}

void SaveGroup(IniFile& gpf, const GroupRecord& group, bool withButtons) {
  const TPanelData& r = group.Data;
  const std::string_view s = r.Title;
  // A name or value the format cannot hold is refused by the store and left out; what
  // is written always reads back as written.
  gpf.WriteString(kGroupsSection, s, r.Directory);
  gpf.WriteBool(s, kVisible, r.Visible);
  gpf.WriteBool(s, kShowTitle, r.ShowTitle);
  gpf.WriteBool(s, kShowAsButton, r.ShowAsButton);
  gpf.WriteBool(s, kShowCaption, r.ShowCaption);
  gpf.WriteBool(s, kLayoutLeft, r.LayoutLeft);
  gpf.WriteBool(s, kBevelDown, r.BevelDown);
  gpf.WriteBool(s, kSmallIcon, r.SmallIcon);
  gpf.WriteBool(s, kShowTitleIcon, r.ShowTitleIcon);
  gpf.WriteInteger(s, kWidth, group.Width);
  gpf.WriteInteger(s, kHeight, group.Height);
  gpf.WriteInteger(s, kPanelStyle, r.PanelStyle);
  gpf.WriteInteger(s, kColor, r.Color);
  gpf.WriteInteger(s, kFromColor, r.FromColor);
  gpf.WriteInteger(s, kToColor, r.ToColor);
  gpf.WriteInteger(s, kDrawStyle, r.DrawStyle);
  gpf.WriteInteger(s, kFontColor, r.Font.Color);
  gpf.WriteInteger(s, kFontSize, r.Font.Size);
  gpf.WriteString(s, kDirectory, r.Directory);
  gpf.WriteString(s, kTitleText, r.Title);
  gpf.WriteString(s, kFontName, r.Font.Name);
  gpf.WriteString(s, kPictureFile, r.PictureFile);
  WriteBookmarkSource(gpf, s, r.PanelStyle == gkWeb ? r.Bookmarks : BookmarkSource());
  if (!withButtons) return;

  const std::string buttons = ButtonSectionName(r.Title);
  // Deleting every listed key (duplicates included) empties the section but keeps its
  // header, so it is rewritten in place.
  for (const std::string& key : gpf.ReadSection(buttons)) gpf.DeleteKey(buttons, key);
  for (const GroupButton& b : group.Buttons) {
    if (b.FileName.empty()) continue;
    gpf.WriteString(buttons, b.Caption,
                    r.PanelStyle == gkShortcut ? ExtractFileName(b.FileName) : b.FileName);
  }
}

void EraseGroup(IniFile& gpf, std::string_view title) {
  gpf.EraseSection(title);
  gpf.EraseSection(ButtonSectionName(title));
  gpf.DeleteKey(kGroupsSection, title);
}

std::vector<std::string> ReadSavedOrder(const IniFile& gpf, std::string_view title) {
  const std::string section = ButtonSectionName(title);
  std::vector<std::string> order;
  for (const std::string& key : gpf.ReadSection(section)) order.push_back(gpf.ReadString(section, key, ""));
  return order;
}

std::vector<GroupButton> ReadAddressButtons(const IniFile& gpf, std::string_view title, std::uint16_t kind) {
  const std::string section = ButtonSectionName(title);
  std::vector<GroupButton> buttons;
  for (const std::string& key : gpf.ReadSection(section)) {
    const std::string value = gpf.ReadString(section, key, "");
    if (value.empty()) continue;
    buttons.push_back({key, NormaliseAddress(value, kind), false});
  }
  return buttons;
}

std::string NormaliseAddress(std::string_view value, std::uint16_t kind) {
  const bool web = kind == gkWeb;
  if (web && StartsWithTextAscii(value, "https://")) return std::string(value);
  const std::string_view prefix = web ? "http://" : "MAILTO:";
  std::string out(prefix);
  const std::size_t at = FindTextAscii(value, prefix);
  out += at == std::string_view::npos ? value : value.substr(at + prefix.size());
  return out;
}

}  // namespace wendlix
