#include "core/live/live_refill.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/live_print.h"

#include "core/bar/group_file.h"
#include "core/bar/group_loading.h"
#include "core/profile/ini_file.h"
#include "support/table_folder.h"

namespace wendlix {
namespace {

const std::string kDir = "C:\\L";

// The group's folder, holding `names` as files.
testing_support::TableFolder Folder(const std::vector<std::string>& names) {
  testing_support::TableFolder disk;
  disk.Files(kDir + "\\", names);
  return disk;
}

using Lines = std::vector<std::pair<std::string, std::string>>;

IniFile GroupFile(const Lines& saved) {
  std::string bytes = "[Groups]\r\nLinks=C:\\L\r\n[Links]\r\nDirectory=C:\\L\r\n[Links  Buttons]\r\n";
  for (const auto& [key, value] : saved) bytes += key + "=" + value + "\r\n";
  return IniFile::FromBytes(bytes);
}

Lines Section(const IniFile& gpf) {
  Lines lines;
  for (const std::string& key : gpf.ReadSection("Links  Buttons"))
    lines.emplace_back(key, gpf.ReadString("Links  Buttons", key, ""));
  return lines;
}

GroupPanel Panel() {
  GroupPanel panel;
  panel.Data.Title = "Links";
  panel.Data.Directory = kDir;
  panel.Data.PanelStyle = gkShortcut;
  return panel;
}

std::vector<std::string> Shown(const GroupPanel& panel) {
  std::vector<std::string> names;
  for (const BarButton& b : panel.Children)
    if (!b.IsCollapse()) names.push_back(b.FileName.substr(kDir.size() + 1));
  return names;
}

// Space-separated words: "key=value" for lines of the group's section, "from>to" for renames.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}
Lines LinesOf(const std::string& text) {
  Lines lines;
  for (const std::string& w : Words(text))
    lines.emplace_back(w.substr(0, w.find('=')), w.substr(w.find('=') + 1));
  return lines;
}
std::vector<LiveRename> RenamesOf(const std::string& text) {
  std::vector<LiveRename> renames;
  for (const std::string& w : Words(text))
    renames.push_back({w.substr(0, w.find('>')), w.substr(w.find('>') + 1)});
  return renames;
}

TEST(LiveRefill, TheSavedOrderFollowsTheFolderOnceAndOnlyWhenItChanged) {
  const struct {
    const char* what;
    const char *saved, *folder, *renames, *shown;
    bool save;
    const char* after;
  } cases[] = {
      {"new names join at the end", "b=b.lnk a=a.lnk", "a.lnk b.lnk c.url", "", "b.lnk a.lnk c.url", true,
       "b=b.lnk a=a.lnk c=c.url"},
      {"removed names leave", "a=a.lnk b=b.lnk c=c.lnk", "c.lnk a.lnk", "", "a.lnk c.lnk", true,
       "a=a.lnk c=c.lnk"},
      {"a renamed entry keeps its place", "a=a.lnk b=b.lnk c=c.lnk", "a.lnk c.lnk 浏览器.lnk",
       "b.lnk>浏览器.lnk", "a.lnk 浏览器.lnk c.lnk", true, "a=a.lnk 浏览器=浏览器.lnk c=c.lnk"},
      {"renames within one burst follow each other", "a=a.lnk b=b.lnk", "b.lnk z.lnk",
       "A.LNK>t.lnk t.lnk>z.lnk gone.lnk>q.lnk", "z.lnk b.lnk", true, "z=z.lnk b=b.lnk"},
      {"the folder as saved: nothing to save", "b=b.lnk a=a.lnk", "a.lnk b.lnk", "", "b.lnk a.lnk", false,
       "b=b.lnk a=a.lnk"},
      {"names the file cannot hold show but are not saved, and ask for no save", "a=a.lnk",
       "a.lnk x=y.lnk 😀.lnk ;c.lnk", "", "a.lnk x=y.lnk 😀.lnk ;c.lnk", false, "a=a.lnk"},
      {"renamed to a name the file cannot hold: shown in its place, left out of the file", "b=b.lnk a=a.lnk",
       "a.lnk b=2.lnk", "b.lnk>b=2.lnk", "b=2.lnk a.lnk", true, "a=a.lnk"},
      {"renamed to a name the file's code page lacks: shown at the end", "b=b.lnk a=a.lnk", "a.lnk 😀.lnk",
       "b.lnk>😀.lnk", "a.lnk 😀.lnk", true, "a=a.lnk"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile gpf = GroupFile(LinesOf(c.saved));
    GroupPanel panel = Panel();
    const testing_support::TableFolder folder = Folder(Words(c.folder));
    EXPECT_EQ(RefillLiveGroup(panel, gpf, folder, RenamesOf(c.renames), FolderState::kPresent), c.save);
    EXPECT_EQ(Shown(panel), Words(c.shown));
    EXPECT_EQ(Section(gpf), LinesOf(c.after));

    // Saved, the file holds what the next refill of the same folder leaves: no second save.
    IniFile saved = IniFile::FromBytes(gpf.ToBytes());
    GroupPanel again = Panel();
    EXPECT_FALSE(RefillLiveGroup(again, saved, folder, {}, FolderState::kPresent));
  }
}

TEST(LiveRefill, AFolderThatIsNotThereShowsEmptyAndKeepsTheSavedOrder) {
  for (FolderState state : {FolderState::kMissing, FolderState::kUnreadable}) {
    IniFile gpf = GroupFile({{"a", "a.lnk"}, {"b", "b.lnk"}});
    const std::string bytes = gpf.ToBytes();
    GroupPanel panel = Panel();
    EXPECT_FALSE(RefillLiveGroup(panel, gpf, Folder({}), {{"a.lnk", "c.lnk"}}, state));
    EXPECT_EQ(Shown(panel), std::vector<std::string>{});
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_TRUE(panel.Children[0].IsCollapse());
    EXPECT_FALSE(gpf.Modified());
    EXPECT_EQ(gpf.ToBytes(), bytes);
  }
}

}  // namespace
}  // namespace wendlix
