// Atomic writes on real Windows files: temporaries a killed writer left are removed by
// the next write of that file, a live writer's stay, and a damaged settings file under a
// Chinese name keeps its copy before the first save replaces it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/win_test_support.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

using namespace testing_support;

class AtomicWriteWinTest : public testing::Test {
 protected:
  std::vector<std::string> Entries() const { return EntryNames(folder_.Path()); }
  void Put(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(platform::WriteFileAtomically(folder_ / name, bytes)) << name;
  }
  const TempFolder folder_{"atomic"};
};

TEST_F(AtomicWriteWinTest, StaleTemporariesGoLiveOnesStay) {
  const std::string target = "设置.ini";
  const std::string stale = platform::AtomicWriteTemporaryName(target, 1);
  const std::string live = platform::AtomicWriteTemporaryName(target, 2);
  const std::string other = platform::AtomicWriteTemporaryName("其他.ini", 3);
  for (const std::string& name :
       {stale, std::string("设置.ini.77_1.tmp"), live, other, std::string("设置.ini.bak")}) {
    Put(name, "x");
  }
  std::vector<std::string> expected{target, "设置.ini.bak", live, other};
  std::sort(expected.begin(), expected.end());
  {
    // A writer at work holds its temporary open without sharing.
    unique_handle<FileHandleTraits> held(
        CreateFileW(ToWide(folder_ / live).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ASSERT_TRUE(platform::WriteFileAtomically(folder_ / target, "[s]\r\nk=1\r\n"));
    EXPECT_EQ(Entries(), expected);
  }
  ASSERT_TRUE(platform::WriteFileAtomically(folder_ / target, "[s]\r\nk=2\r\n"));
  expected.erase(std::find(expected.begin(), expected.end(), live));
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(platform::ReadWholeFile(folder_ / target), "[s]\r\nk=2\r\n");
}

TEST_F(AtomicWriteWinTest, ADamagedFileIsCopiedBeforeItIsReplaced) {
  // A group whose button name has a lead byte without its trail, and binary junk.
  const std::string damaged = std::string("[\xb9\xa4\xbe\xdf]\r\nb\x81=x\r\n\0\0\x01junk\r\n", 23);
  const std::string path = folder_ / "工具栏.GPF";
  Put("工具栏.GPF", damaged);
  IniFile gpf(path);
  EXPECT_EQ(
      static_cast<unsigned>(gpf.Damage()),
      static_cast<unsigned>(IniDamage::kInvalidBytes | IniDamage::kNulBytes | IniDamage::kUnreadableLines));
  gpf.EraseSection("工具");
  EXPECT_TRUE(gpf.WriteString("工具", "按钮", "C:\\a.lnk"));
  ASSERT_TRUE(gpf.Save());
  EXPECT_EQ(platform::ReadWholeFile(path + ".bak"), damaged);
  EXPECT_EQ(IniFile(path).ReadString("工具", "按钮", ""), "C:\\a.lnk");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"工具栏.GPF", "工具栏.GPF.bak"}));
}

}  // namespace
}  // namespace wendlix
