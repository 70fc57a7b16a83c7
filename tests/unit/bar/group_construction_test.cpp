#include "core/bar/group_construction.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/bar/group_file.h"
#include "core/bar/group_loading.h"
#include "core/profile/ini_file.h"
#include "support/table_folder.h"

namespace wendlix {
namespace {

using FakeFolder = testing_support::TableFolder;

TPanelData Group(std::string title, std::uint16_t kind) {
  TPanelData d;
  d.Title = std::move(title);
  d.PanelStyle = kind;
  d.Directory = "D:\\Tools";
  return d;
}

// Caption, hint, target, folder flag and Tag of each child in control order.
using Seen = std::tuple<std::string, std::string, std::string, bool, int>;

std::vector<Seen> Describe(const GroupPanel& p) {
  std::vector<Seen> out;
  for (const BarButton& b : p.Children) out.emplace_back(b.Caption, b.Hint, b.FileName, b.IsDirectory, b.Tag);
  return out;
}

TEST(GroupConstruction, ShortcutGroupFollowsSavedOrderAndFolderKinds) {
  IniFile gpf = IniFile::FromBytes("[Tools  Buttons]\n0=Zeta.lnk\n1=Gone.lnk\n2=Docs\n");
  FakeFolder disk;
  disk.listings["D:\\Tools\\"] = {"Docs", "Empty", "Alpha.lnk", "Zeta.lnk", "Ghost.lnk"};
  disk.entries = {{"D:\\Tools\\Docs", ShortcutFolder::Entry::kFolderWithShortcuts},
                  {"D:\\Tools\\Empty", ShortcutFolder::Entry::kFolder},
                  {"D:\\Tools\\Alpha.lnk", ShortcutFolder::Entry::kFile},
                  {"D:\\Tools\\Zeta.lnk", ShortcutFolder::Entry::kFile}};
  const GroupPanel p = CreateGroupPanel(Group("Tools", gkShortcut), 3, 86, 200, gpf, disk);
  // A group loaded with its buttons becomes the same panel without another listing.
  GroupRecord loaded{Group("Tools", gkShortcut), 86, 200, {}};
  FillGroup(gpf, loaded, disk);
  const GroupPanel fromRecord = PanelFromRecord(loaded, 3);
  EXPECT_EQ(fromRecord.Children, p.Children);
  EXPECT_TRUE(fromRecord.HasImageList);
  EXPECT_EQ(fromRecord.MenuItem, p.MenuItem);
  loaded.Data.ShowAsButton = true;
  EXPECT_TRUE(PanelFromRecord(loaded, 3).Children.empty());  // collapsed: filled when first needed
  // Saved order first (a vanished name drops out), then the rest of the listing; a name
  // that is neither file nor folder gives no button. Tags count the children so far.
  EXPECT_EQ(Describe(p), (std::vector<Seen>{{"Zeta", "Zeta", "D:\\Tools\\Zeta.lnk", false, 1},
                                            {"Docs", "Docs", "D:\\Tools\\Docs", true, 2},
                                            {"Empty", "Empty", "D:\\Tools\\Empty", false, 3},
                                            {"Alpha", "Alpha", "D:\\Tools\\Alpha.lnk", false, 4},
                                            {"", "Tools", "", false, 2003}}));
  // Only a folder that holds shortcuts carries the drop-down mark.
  EXPECT_TRUE(p.Children[1].HasDropDownMenu);
  EXPECT_FALSE(p.Children[2].HasDropDownMenu);
  EXPECT_EQ(p.Children[0].Glyph.Source, GlyphSource::kGroupImageList);
  EXPECT_EQ(p.Children[4].Glyph, (ButtonGlyph{GlyphSource::kResource, "ARROWICON_LEFT", -1}));
  for (const BarButton& b : p.Children) EXPECT_FALSE(b.Visible);  // the layout shows them
  EXPECT_FALSE(p.Visible);
  EXPECT_EQ(p.Hint, "Tools");
  EXPECT_EQ(p.MenuItem, (GroupMenuItem{"Tools", 3}));
  EXPECT_FALSE(gpf.Modified());

  // A folder that does not exist leaves just the collapse button.
  const GroupPanel missing = CreateGroupPanel(Group("Elsewhere", gkShortcut), 0, 86, 200, gpf, FakeFolder{});
  ASSERT_EQ(missing.Children.size(), 1u);
  EXPECT_EQ(missing.Children[0].Tag, 2000);
}

TEST(GroupConstruction, CaptionsGlyphsAndUnfilledPanels) {
  IniFile gpf = IniFile::FromBytes(
      "[Web  Buttons]\nNews=news.example.com\nBlank=\n[Mail  Buttons]\nBoss=boss@example.com\n");
  struct Case {
    std::uint16_t kind;
    std::string title;
    bool smallIcon;
    ButtonGlyph glyph;
  } cases[] = {
      {gkWeb, "Web", true, {GlyphSource::kResource, "IEICON_LARGE", -1}},
      {gkWeb, "Web", false, {GlyphSource::kImageList1, {}, 15}},
      {gkEmail, "Mail", true, {GlyphSource::kResource, "MAILICON_LARGE", -1}},
      {7, "Mail", false, {GlyphSource::kImageList1, {}, 16}}  // any other kind is e-mail
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title + (c.smallIcon ? " large" : " small"));
    TPanelData d = Group(c.title, c.kind);
    d.SmallIcon = c.smallIcon;
    const GroupPanel p = CreateGroupPanel(d, 0, 86, 200, gpf, FakeFolder{});
    ASSERT_EQ(p.Children.size(), 2u);  // the empty address gives no button
    EXPECT_EQ(p.Children[0].Glyph, c.glyph);
    EXPECT_FALSE(p.HasImageList);
  }

  // Without captions the caption is the target until the layout applies the display
  // mode; the hint keeps the name.
  TPanelData web = Group("Web", gkWeb);
  web.ShowCaption = false;
  GroupPanel p = CreateGroupPanel(web, 1, 86, 200, gpf, FakeFolder{});
  EXPECT_EQ(p.Children[0].Caption, "http://news.example.com");
  EXPECT_EQ(p.Children[0].Hint, "News");

  // Hidden or collapsed groups are not filled.
  for (auto [visible, asButton] : {std::pair{false, false}, std::pair{true, true}}) {
    TPanelData d = Group("Web", gkWeb);
    d.Visible = visible;
    d.ShowAsButton = asButton;
    const GroupPanel q = CreateGroupPanel(d, 2, 86, 200, gpf, FakeFolder{});
    EXPECT_TRUE(q.Children.empty());
  }
}

TEST(GroupConstruction, SavedAsShownAndAGroupShowingNothingKeepsItsButtonsInTheFile) {
  IniFile gpf = IniFile::FromBytes("[Web]\nPanelStyle=1\n[Web  Buttons]\nNews=news.example.com\nBlank=\n");
  GroupPanel p = CreateGroupPanel(Group("Web", gkWeb), 0, 86, 200, gpf, FakeFolder{});
  AddGroupButton(p, "Shop", false, "http://shop.example.com/");  // as a drop would
  SaveShownGroup(gpf, p);
  // The empty address is gone from the file and the added button is there; the collapse
  // button that sat between them is not saved as a button.
  EXPECT_EQ(gpf.ReadSection("Web  Buttons"), (std::vector<std::string>{"News", "Shop"}));

  // A shortcut group whose folder is away is filled empty: the file keeps its order.
  IniFile kept = IniFile::FromBytes("[Tools  Buttons]\nZeta=Zeta.lnk\nAlpha=Alpha.lnk\n");
  GroupPanel away = CreateGroupPanel(Group("Tools", gkShortcut), 0, 86, 200, kept, FakeFolder{});
  SaveShownGroup(kept, away);
  EXPECT_EQ(kept.ReadSection("Tools  Buttons"), (std::vector<std::string>{"Zeta", "Alpha"}));

  // Each fill takes the image list's size.
  EXPECT_TRUE(away.HasImageList && !away.LargeImageList);
  away.Data.SmallIcon = true;
  FillByKind(away, kept, FakeFolder{});
  EXPECT_TRUE(away.LargeImageList);
}

}  // namespace
}  // namespace wendlix
