// The numbered saves the kill tests check files against: each round's bytes depend on
// the round alone, whatever the files held before, and read back without damage.
#include <gtest/gtest.h>

#include <set>

#include "core/bar/bar_settings.h"
#include "core/bar/group_file.h"
#include "core/diagnostics/save_rounds.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

TEST(SaveRounds, EachRoundIsItsOwnSoundFile) {
  std::set<std::string> seen;
  for (std::uint32_t round : {1u, 2u, 3u, 4u, 99u, 100u, 123456u}) {
    SCOPED_TRACE(round);
    const SaveRoundBytes files = SaveRoundFiles(round);
    EXPECT_TRUE(seen.insert(files.Settings).second);
    EXPECT_TRUE(seen.insert(files.Groups).second);
    // Large enough that a kill often lands inside the write.
    EXPECT_GT(files.Groups.size(), 20000u);
    const IniFile ini = IniFile::FromBytes(files.Settings), gpf = IniFile::FromBytes(files.Groups);
    EXPECT_EQ(ini.Damage(), IniDamage::kNone);
    EXPECT_EQ(gpf.Damage(), IniDamage::kNone);
    EXPECT_EQ(SaveRoundOf(ini), round);
    EXPECT_EQ(SaveRoundOf(gpf), round);
    // What the bar would load from them: every listed group with its buttons.
    const std::vector<std::string> titles = ReadGroupNames(ini);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(gpf.ReadSection(kGroupsSection), titles);
    EXPECT_EQ(ReadGroupRecord(gpf, titles.back()).Data.Title, titles.back());
    // A cut-short file is no round at all, or not this one byte for byte.
    const IniFile cut = IniFile::FromBytes(files.Groups.substr(0, files.Groups.size() / 2));
    EXPECT_NE(SaveRoundOf(cut), round);
  }
  EXPECT_EQ(SaveRoundOf(IniFile::FromBytes("[Other]\r\nRound=3\r\n")), std::nullopt);
}

TEST(SaveRounds, BytesDependOnTheRoundAloneNotOnWhatWasThere) {
  const SaveRoundBytes want = SaveRoundFiles(7);
  for (const std::string& before :
       {std::string(), SaveRoundFiles(6).Groups, SaveRoundFiles(8).Settings,
        std::string("[Groups]\r\nOld=C:\\\r\n[Old]\r\nWidth=5\r\n[Save Round]\r\nRound=2\r\n")}) {
    IniFile ini = IniFile::FromBytes(before), gpf = IniFile::FromBytes(before);
    WriteSaveRound(ini, gpf, 7);
    EXPECT_EQ(ini.ToBytes(), want.Settings);
    EXPECT_EQ(gpf.ToBytes(), want.Groups);
  }
}

}  // namespace
}  // namespace wendlix
