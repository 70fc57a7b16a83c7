// The save checker behind the kill test's switch: it only runs when the environment
// allows it, and it tells a sound folder from a damaged one.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/diagnostics/save_rounds.h"
#include "core/platform/file_io.h"
#include "support/win_test_support.h"
#include "win/diagnostics/test_switches.h"

namespace wendlix {
namespace {

using namespace testing_support;

std::string LastLine(const std::string& path) {
  std::string text = platform::ReadWholeFile(path).value_or("");
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
}

TEST(TestSwitches, SaveCheckerRunsOnlyWhenAllowedAndJudgesWhatItFinds) {
  TempFolder folder("switches");
  const std::string files = folder / "files", log = folder / "verdicts.txt";
  ASSERT_TRUE(CreateDirectoryW(ToWide(files).c_str(), nullptr));
  const std::wstring check = L"/wx-save-check \"" + ToWide(files) + L"\" \"" + ToWide(log) + L"\"";

  for (const wchar_t* value : {static_cast<const wchar_t*>(nullptr), L"0", L"yes"}) {
    SetEnvironmentVariableW(L"WENDLIX_TEST_SWITCHES", value);
    EXPECT_EQ(RunTestSwitch(check), std::nullopt);
    EXPECT_EQ(RunTestSwitch(L"/wx-high-contrast"), std::nullopt);
    EXPECT_FALSE(ForcedHighContrast());
  }
  SetEnvironmentVariableW(L"WENDLIX_TEST_SWITCHES", L"1");
  // The bar starts with it, painting as in high contrast.
  EXPECT_EQ(RunTestSwitch(L"/wx-high-contrast"), std::nullopt);
  EXPECT_TRUE(ForcedHighContrast());
  ForceHighContrast(false);
  EXPECT_EQ(RunTestSwitch(L"/wx-unknown a b"), std::nullopt);
  EXPECT_EQ(RunTestSwitch(L"/wx-save-check only-one"), std::nullopt);

  // An empty folder, then round 1's files with a killed writer's temporary beside them.
  EXPECT_EQ(RunTestSwitch(check), 0);
  EXPECT_EQ(LastLine(log), "ok ini=0 gpf=0 stale=0");
  const std::string stale = files + "\\" + platform::AtomicWriteTemporaryName("Wendlix.GPF", 0xABC);
  ASSERT_TRUE(WriteBytes(stale, "[Groups]\r\n"));
  EXPECT_EQ(RunTestSwitch(check), 0);
  EXPECT_EQ(LastLine(log), "ok ini=1 gpf=1 stale=1");
  EXPECT_FALSE(Exists(stale));

  // What a sound save never leaves: a settings file one round behind its group file, a
  // file cut short, a stranger a start could read.
  const SaveRoundBytes round3 = SaveRoundFiles(3), round9 = SaveRoundFiles(9);
  const struct {
    std::string settings, groups, extraName;
    const char* verdict;
  } bad[] = {
      {round3.Settings, round9.Groups, "", "bad: settings round 3 beside groups round 9"},
      {round9.Settings, round9.Groups.substr(0, round9.Groups.size() - 7), "", "bad: "},
      {round9.Settings, round9.Groups, "Wendlix.GPF.tmp", "bad: a file a start could mistake for settings"},
  };
  for (const auto& c : bad) {
    ASSERT_TRUE(WriteBytes(files + "\\Wendlix.INI", c.settings));
    ASSERT_TRUE(WriteBytes(files + "\\Wendlix.GPF", c.groups));
    if (!c.extraName.empty()) {
      ASSERT_TRUE(WriteBytes(files + "\\" + c.extraName, "x"));
    }
    EXPECT_EQ(RunTestSwitch(check), 1);
    EXPECT_EQ(LastLine(log).rfind(c.verdict, 0), 0u) << LastLine(log);
  }
  SetEnvironmentVariableW(L"WENDLIX_TEST_SWITCHES", nullptr);
}

}  // namespace
}  // namespace wendlix
