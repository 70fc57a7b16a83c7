#include "core/bar/group_list.h"

#include <gtest/gtest.h>

#include "core/bar/bar_save.h"
#include "core/bar/group_file.h"
#include "core/bar/group_loading.h"
#include "core/button_menu/group_commands.h"
#include "core/editor/editor_commit.h"
#include "core/profile/ini_file.h"
#include "support/table_folder.h"

namespace wendlix {
namespace {

GroupRecord Web(std::string title, std::vector<std::string> captions, std::uint16_t kind = gkWeb) {
  GroupRecord g;
  g.Data.Title = std::move(title);
  g.Data.PanelStyle = kind;
  for (std::string& c : captions)
    g.Buttons.push_back({c, (kind == gkWeb ? "http://" : "MAILTO:") + c, false});
  return g;
}

// The two settings files as bytes on a disk where each step's save is atomic; every save is
// remembered, so that a start after any of them can be tried.
struct Disk {
  std::string ini, gpf;
  std::vector<std::pair<std::string, std::string>> saved;  // (settings, group file) after each save
  std::optional<GroupListStep> refuse;

  explicit Disk(const std::vector<GroupRecord>& groups) {
    IniFile i = IniFile::FromBytes("");
    IniFile g = IniFile::FromBytes("");
    WriteBarDocuments(i, g, BarSettings{}, TweakFlags{}, ShellWindowStates{}, groups);
    ini = i.ToBytes();
    gpf = g.ToBytes();
  }
  void Save(std::string& file, const std::function<void(IniFile&)>& edit) {
    IniFile doc = IniFile::FromBytes(file);
    edit(doc);
    file = doc.ToBytes();
    saved.emplace_back(ini, gpf);
  }
  GroupListStepSaver Saver() {
    return [this](GroupListStep step, const std::function<void(IniFile&)>& edit) {
      if (refuse == step) return false;
      Save(step == GroupListStep::kList ? ini : gpf, edit);
      return true;
    };
  }
};

// What a start finds: "title:captions" per group in band order.
std::string Start(const std::string& ini, const std::string& gpf) {
  const IniFile settings = IniFile::FromBytes(ini);
  IniFile groups = IniFile::FromBytes(gpf);
  const LoadedGroups loaded = LoadGroups(groups, ReadBarSettings(settings, 0).Groups,
                                         ReadGroupNames(settings), "", testing_support::TableFolder{});
  std::string out;
  for (const GroupRecord& g : loaded.Groups) {
    out += (out.empty() ? "" : " | ") + g.Data.Title + ":";
    for (const GroupButton& b : g.Buttons) out += " " + b.Caption;
  }
  return out;
}

std::vector<GroupListEntry> ListOf(const std::vector<GroupRecord>& groups) { return GroupListOf(groups); }

// A command's change saved step by step: a start after any save finds the groups as they were
// or as they are after the command (never a mix, never one lost), and once after, never before.
TEST(GroupList, EveryCommandOnTheGroupsListIsSafeToEndAtAnyStep) {
  const std::vector<GroupRecord> abc = {Web("A", {"a1", "a2"}), Web("B", {"b1"}), Web("C", {"c1"})};
  const std::string before = "A: a1 a2 | B: b1 | C: c1";
  struct Case {
    const char* name;
    std::vector<GroupRecord> after;
    // The group file's own save before the command's (the editor's buttons page), if any.
    std::function<void(IniFile&)> editor;
    GroupListChange change;
    std::string shown;  // what a start shows after the whole command
    std::vector<std::string> goneSections;
  };
  const GroupRecord bee = Web("Bee", {"b1"});
  const GroupRecord links = Web("Links", {"home"}, gkEmail);
  const GroupRecord d = Web("D", {"d1"});
  const GroupRecord lowerB = Web("b", {"b1"});
  const Case cases[] = {
      {"rename",
       {abc[0], bee, abc[2]},
       [&](IniFile& gpf) {
         ApplyProfileOps(gpf, PlanButtonCommit(gpf, {true, false, "B", "Bee", {{"b1", "http://b1", 0}}}));
       },
       {[&](IniFile& gpf) { SaveGroup(gpf, Web("Bee", {}), false); }, {"B"}},
       "A: a1 a2 | Bee: b1 | C: c1",
       {"B", "B  Buttons"}},
      {"rename in another case",
       {abc[0], lowerB, abc[2]},
       {},
       {[&](IniFile& gpf) { SaveGroup(gpf, Web("b", {}), false); }, {"B"}},
       "A: a1 a2 | b: b1 | C: c1",
       {}},
      {"import of another kind that renames",
       {abc[0], links, abc[2]},
       {},
       {[&](IniFile& gpf) {
          gpf.EraseSection("Links  Buttons");
          gpf.WriteString("Links  Buttons", "home", "MAILTO:home");
          SaveGroup(gpf, Web("Links", {}, gkEmail), false);
        },
        {"B"}},
       "A: a1 a2 | Links: home | C: c1",
       {"B", "B  Buttons"}},
      {"new group",
       {abc[0], abc[1], abc[2], d},
       [&](IniFile& gpf) { gpf.WriteString("D  Buttons", "d1", "http://d1"); },
       {[&](IniFile& gpf) { SaveGroup(gpf, Web("D", {}), false); }, {}},
       "A: a1 a2 | B: b1 | C: c1 | D: d1",
       {}},
      {"delete", {abc[0], abc[2]}, {}, {{}, {"B"}}, "A: a1 a2 | C: c1", {"B", "B  Buttons"}},
      {"reorder", {abc[2], abc[0], abc[1]}, {}, {}, "C: c1 | A: a1 a2 | B: b1", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Disk disk(abc);
    ASSERT_EQ(Start(disk.ini, disk.gpf), before);
    if (c.editor) disk.Save(disk.gpf, c.editor);
    EXPECT_EQ(SaveGroupListChange(c.change, ListOf(c.after), disk.Saver()), std::nullopt);
    bool done = false;
    for (const auto& [ini, gpf] : disk.saved) {
      const std::string shown = Start(ini, gpf);
      if (!done && shown == before) continue;
      EXPECT_EQ(shown, c.shown);
      done = true;
    }
    EXPECT_TRUE(done);
    const IniFile gpf = IniFile::FromBytes(disk.gpf);
    for (const std::string& section : c.goneSections) EXPECT_FALSE(gpf.SectionExists(section)) << section;
  }
}

TEST(GroupList, AFailedStepStopsTheRestAndTheFilesStillShowEveryGroup) {
  const std::vector<GroupRecord> ab = {Web("A", {"a1"}), Web("B", {"b1"})};
  const GroupListChange rename{[](IniFile& gpf) {
                                 gpf.WriteString("Bee  Buttons", "b1", "http://b1");
                                 SaveGroup(gpf, Web("Bee", {}), false);
                               },
                               {"B"}};
  const std::vector<GroupListEntry> list = {{"A", ""}, {"Bee", ""}};
  const struct {
    GroupListStep refused;
    const char* shown;
    bool oldSectionsStay;
  } cases[] = {
      {GroupListStep::kWriteGroups, "A: a1 | B: b1", true},
      {GroupListStep::kList, "A: a1 | B: b1", true},
      {GroupListStep::kRetire, "A: a1 | Bee: b1", true},
  };
  for (const auto& c : cases) {
    Disk disk(ab);
    const std::string gpfBefore = disk.gpf;
    disk.refuse = c.refused;
    EXPECT_EQ(SaveGroupListChange(rename, list, disk.Saver()), c.refused);
    EXPECT_EQ(Start(disk.ini, disk.gpf), c.shown);
    EXPECT_EQ(IniFile::FromBytes(disk.gpf).SectionExists("B  Buttons"), c.oldSectionsStay);
    if (c.refused == GroupListStep::kWriteGroups) {
      EXPECT_EQ(disk.gpf, gpfBefore);
    }
  }
}

// A title the new list still names (another group has it) keeps its sections.
TEST(GroupList, ATitleStillListedIsNotRetired) {
  Disk disk({Web("A", {"a1"}), Web("B", {"b1"}), Web("C", {"c1"})});
  const std::vector<GroupListEntry> list = {{"A", ""}, {"b", ""}};
  EXPECT_EQ(SaveGroupListChange({{}, {"B", "C", "c"}}, list, disk.Saver()), std::nullopt);
  const IniFile gpf = IniFile::FromBytes(disk.gpf);
  EXPECT_TRUE(gpf.SectionExists("B") && gpf.SectionExists("B  Buttons"));
  EXPECT_FALSE(gpf.SectionExists("C") || gpf.SectionExists("C  Buttons") || gpf.ValueExists("Groups", "C"));
}

// A start that could not read the group file kept "Tools" listed without its record. The title is
// taken (a new group of it would write over that record), but for a group that has it already (quick
// create names groups after their folders); deleted (or renamed), that group retires the kept title
// too, so that it does not come back.
TEST(GroupList, AKeptTitleIsTakenAndRetiredWithTheGroupThatHasIt) {
  std::vector<GroupPanel> panels(2);
  panels[0].Data.Title = "A";
  panels[1].Data.Title = "tools";
  std::vector<GroupListEntry> kept = {{"Tools", ""}};
  EXPECT_EQ(OtherGroupTitles(panels, 0, kept), (std::vector<std::string>{"tools", "Tools"}));
  EXPECT_EQ(OtherGroupTitles(panels, 1, kept), std::vector<std::string>{"A"});
  Disk disk({Web("A", {"a1"}), Web("Tools", {"t1"})});
  RetireKeptTitles(kept, {"tools"});
  EXPECT_EQ(SaveGroupListChange({{}, {"tools"}}, GroupList({{"A", ""}}, kept), disk.Saver()), std::nullopt);
  EXPECT_EQ(Start(disk.ini, disk.gpf), "A: a1");
}

// The close after a rename whose record could not be saved (the group file was locked): the bar
// shows Bee, the files still hold B. The records go first, so a start after either save finds the
// group; a group file that fails again leaves the settings their list, saved all the same.
TEST(GroupList, TheCloseSavesTheRecordsBeforeTheListThatNamesThem) {
  using Shown = std::vector<std::string>;  // by a start after each save
  for (const bool gpfFails : {false, true}) {
    Disk disk({Web("A", {"a1"}), Web("B", {"b1"})});
    IniFile ini = IniFile::FromBytes(disk.ini), gpf = IniFile::FromBytes(disk.gpf);
    const std::vector<GroupListEntry> stored = ReadGroupList(ini);
    WriteBarDocuments(ini, gpf, {}, {}, {}, {Web("A", {"a1"}), Web("Bee", {"b1"})});
    Shown shown;
    const auto save = [&](IniFile& file) {
      if (&file == &gpf && gpfFails) return false;
      (&file == &gpf ? disk.gpf : disk.ini) = file.ToBytes();
      shown.push_back(Start(disk.ini, disk.gpf));
      return true;
    };
    EXPECT_EQ(SaveBarDocuments(ini, gpf, stored, save),
              gpfFails ? std::optional(GroupListStep::kWriteGroups) : std::nullopt);
    EXPECT_EQ(shown, gpfFails ? Shown{"A: a1 | B: b1"} : (Shown{"A: a1 | B: b1", "A: a1 | Bee: b1"}));
  }
}

TEST(GroupList, TheListIsWrittenOnlyWhenItChanged) {
  IniFile ini = IniFile::FromBytes("");
  WriteGroupList(ini, {{"工具", "D:\\工具\\"}, {"Web", ""}});
  EXPECT_EQ(ini.ToBytes(),
            "[Wendlix V3.0]\r\nGroups=2\r\n[Groups]\r\n\xB9\xA4\xBE\xDF=D:\\\xB9\xA4\xBE\xDF\\\r\nWeb=\r\n");

  // Comments, other keys and line ends around an unchanged list keep their bytes.
  const std::string kept = "[Wendlix V3.0]\nAutoHide=1\nGroups=2\n\n[Groups]\n; mine\nA=x\nB=\n";
  IniFile same = IniFile::FromBytes(kept);
  WriteGroupList(same, {{"A", "x"}, {"B", ""}});
  EXPECT_FALSE(same.Modified());
  // One title named twice is one key holding the later folder; the count is of the groups.
  IniFile twice = IniFile::FromBytes(kept);
  WriteGroupList(twice, {{"A", "x"}, {"a", "y"}});
  const IniFile back = IniFile::FromBytes(twice.ToBytes());
  EXPECT_EQ(ReadGroupNames(back), std::vector<std::string>{"A"});
  EXPECT_EQ(back.ReadString("Groups", "A", ""), "y");
  EXPECT_EQ(back.ReadInteger("Wendlix V3.0", "Groups", 0), 2);
  IniFile again = IniFile::FromBytes(twice.ToBytes());
  WriteGroupList(again, {{"A", "x"}, {"a", "y"}});
  EXPECT_FALSE(again.Modified());
}

}  // namespace
}  // namespace wendlix
