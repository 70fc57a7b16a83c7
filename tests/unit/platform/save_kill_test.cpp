// Saves survive a kill: a child process saves a settings file and a group file through
// the store in a loop, alternating two versions, and is killed with SIGKILL at random
// moments. After every kill each file is one version or the other, byte for byte, and
// nothing beside them could be taken for settings.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/files.h"

namespace wendlix {
namespace {

constexpr char kSettingsName[] = "Wendlix.ini";
constexpr char kGroupsName[] = "Wendlix.GPF";

// Every key of both files takes a value that says which version it belongs to; the
// group file is large enough (about 60 KB) that kills often land inside a write.
void ApplySettingsVersion(IniFile& ini, int version) {
  const std::string v = std::to_string(version);
  ini.WriteInteger("Wendlix", "Width", version ? 640 : 48);
  ini.WriteInteger("Wendlix", "Height", version ? 48 : 640);
  ini.WriteString("Wendlix", "Edge", version ? "2" : "0");
  for (int g = 0; g < 20; ++g) ini.WriteString("Groups", "组" + std::to_string(g), "版本" + v);
}

void ApplyGroupsVersion(IniFile& gpf, int version) {
  const std::string v = version ? "乙" : "甲";
  for (int g = 0; g < 20; ++g) {
    const std::string section = "组" + std::to_string(g);
    for (int b = 0; b < 25; ++b) {
      const std::string n = std::to_string(b);
      gpf.WriteString(section, "按钮" + n, "C:\\程序\\" + v + "\\工具" + n + ".lnk");
    }
  }
}

struct Versions {
  std::string bytes[2];
};

template <typename Apply>
Versions MakeVersions(Apply apply) {
  IniFile doc = IniFile::FromBytes("");
  Versions v;
  apply(doc, 0);
  v.bytes[0] = doc.ToBytes();
  apply(doc, 1);
  v.bytes[1] = doc.ToBytes();
  return v;
}

// The child's whole life: alternate versions until killed; one byte down the pipe after
// each pair of saves. Exits 3 if a save fails, and when the test has gone away.
[[noreturn]] void SaveForever(const std::string& settings, const std::string& groups, int pipe,
                              pid_t parent) {
  for (int round = 0;; ++round) {
    if (::getppid() != parent) ::_exit(0);
    IniFile ini(settings);
    ApplySettingsVersion(ini, round % 2);
    IniFile gpf(groups);
    ApplyGroupsVersion(gpf, round % 2);
    if (!ini.Save() || !gpf.Save()) ::_exit(3);
    const char tick = 1;
    if (::write(pipe, &tick, 1) != 1) ::_exit(0);
  }
}

class SaveKillTest : public testing_support::TempFolderTest {
 protected:
  // Names in the folder other than the two files; each must be one of our temporaries.
  std::vector<std::string> Others() const {
    std::vector<std::string> names = Entries();
    std::erase_if(names, [](const std::string& n) { return n == kSettingsName || n == kGroupsName; });
    return names;
  }
};

TEST_F(SaveKillTest, EveryKillLeavesTheOldOrTheNewFile) {
  const Versions settings = MakeVersions(ApplySettingsVersion);
  const Versions groups = MakeVersions(ApplyGroupsVersion);
  ASSERT_NE(settings.bytes[0], settings.bytes[1]);
  ASSERT_TRUE(platform::WriteFileAtomically(PathOf(kSettingsName), settings.bytes[0]));
  ASSERT_TRUE(platform::WriteFileAtomically(PathOf(kGroupsName), groups.bytes[0]));

  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> ticks(0, 1);
  std::uniform_int_distribution<int> pauseMicroseconds(0, 3000);
  constexpr int kKills = 220;
  int staleSeen = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeEnds[0]);
      SaveForever(PathOf(kSettingsName), PathOf(kGroupsName), pipeEnds[1], parent);
    }
    ::close(pipeEnds[1]);
    // Let it finish a few rounds first, so that kills fall anywhere in the loop, not
    // only into its start.
    bool alive = true;
    for (int t = ticks(random); t > 0 && alive; --t) {
      char tick;
      alive = ::read(pipeEnds[0], &tick, 1) == 1;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(pauseMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the saving child ended by itself (a save failed) at kill " << kill;

    for (const auto& [name, versions] :
         {std::pair{kSettingsName, &settings}, std::pair{kGroupsName, &groups}}) {
      const std::optional<std::string> bytes = platform::ReadWholeFile(PathOf(name));
      ASSERT_TRUE(bytes) << name << " missing after kill " << kill;
      ASSERT_TRUE(*bytes == versions->bytes[0] || *bytes == versions->bytes[1])
          << name << " is neither version after kill " << kill << " (" << bytes->size() << " bytes)";
      const IniFile parsed = IniFile::FromBytes(*bytes);
      EXPECT_EQ(parsed.Damage(), IniDamage::kNone);
    }
    const IniFile gpf(PathOf(kGroupsName));
    EXPECT_EQ(gpf.ReadSections().size(), 20u);
    // At most one temporary per file (the one the kill interrupted): each start of the
    // writer removes what the previous one left.
    const std::vector<std::string> others = Others();
    EXPECT_LE(others.size(), 2u) << "after kill " << kill;
    for (const std::string& name : others) {
      EXPECT_TRUE(platform::IsAtomicWriteTemporary(kSettingsName, name) ||
                  platform::IsAtomicWriteTemporary(kGroupsName, name))
          << name;
    }
    staleSeen += !others.empty();
  }
  RecordProperty("kills_with_a_temporary_left", staleSeen);

  // The next save cleans whatever the last kill left.
  IniFile ini(PathOf(kSettingsName));
  IniFile gpf(PathOf(kGroupsName));
  ApplySettingsVersion(ini, 1);
  ApplyGroupsVersion(gpf, 1);
  EXPECT_TRUE(ini.Save(true));
  EXPECT_TRUE(gpf.Save(true));
  EXPECT_EQ(Others(), std::vector<std::string>{});
  EXPECT_EQ(platform::ReadWholeFile(PathOf(kGroupsName)), groups.bytes[1]);
}

}  // namespace
}  // namespace wendlix
