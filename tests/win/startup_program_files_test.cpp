#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/platform/file_io.h"
#include "core/text/paths.h"
#include "support/win_test_support.h"
#include "win/app/program_files.h"
#include "win/common/registry.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_windows.h"

namespace wendlix {
namespace {

using namespace testing_support;

constexpr char kConfigValue[] = "Confing FileName";

std::string FileText(const std::string& path) { return platform::ReadWholeFile(path).value_or("<missing>"); }

// The test exe's own "Confing FileName", removed before and after each case.
class StartupRegistry : public testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    if (unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), true))
      DeleteRegValue(key.get(), kConfigValue);
  }
  static std::optional<std::string> Stored() {
    unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), false);
    return key ? ReadRegString(key.get(), kConfigValue) : std::nullopt;
  }
};

TEST_F(StartupRegistry, ConfigBaseIsStoredAndAHandEnteredPathWins) {
  const TempFolder folder("startup_prog");
  ProgramInfo program{folder / "Bar.exe", folder.Path(), "Bar"};
  EXPECT_EQ(ResolveConfigBase(program, [](const std::string&) { return true; }), folder / "Bar");
  EXPECT_EQ(Stored(), folder / "Bar");

  {
    unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, AppRegistryKey(), true);
    ASSERT_TRUE(WriteRegString(key.get(), kConfigValue, "D:\\elsewhere\\Mine"));
  }
  EXPECT_EQ(ResolveConfigBase(program, [](const std::string&) { return false; }), "D:\\elsewhere\\Mine");
  EXPECT_EQ(Stored(), "D:\\elsewhere\\Mine");
  EXPECT_TRUE(FolderIsWritable(folder.Path()));
  EXPECT_FALSE(FolderIsWritable(folder / "does-not-exist"));
}

TEST_F(StartupRegistry, ReadOnlyProgramFolderSendsSettingsToTheUserFolderWithTheShippedGroups) {
  const TempFolder folder("startup_installed");
  ASSERT_TRUE(WriteBytes(folder / "WxProbeBar.GPF", "[Programs]\r\nVisible=1\r\n"));
  ProgramInfo program{folder / "WxProbeBar.exe", folder.Path(), "WxProbeBar"};
  const std::string userFolder = AddBackslash(GetSpecialFolderPath(CSIDL_APPDATA)) + "Wendlix";
  const std::string copied = userFolder + "\\WxProbeBar.GPF";
  DeleteFileW(ToWide(copied).c_str());

  auto readOnly = [](const std::string&) { return false; };
  EXPECT_EQ(ResolveConfigBase(program, readOnly), userFolder + "\\WxProbeBar");
  EXPECT_EQ(FileText(copied), "[Programs]\r\nVisible=1\r\n");

  // A group file already there is the user's: never copied over.
  ASSERT_TRUE(WriteBytes(copied, "[Mine]\r\nVisible=0\r\n"));
  StartupRegistry::Clear();
  EXPECT_EQ(ResolveConfigBase(program, readOnly), userFolder + "\\WxProbeBar");
  EXPECT_EQ(FileText(copied), "[Mine]\r\nVisible=0\r\n");
  DeleteFileW(ToWide(copied).c_str());
}

TEST(StartupRunValue, PresentExactlyWhenAutoRunAndQuotedWithBlanks) {
  const ProgramInfo program{"C:\\Program Files\\Wx Probe\\WxProbeRun.exe", "C:\\Program Files\\Wx Probe\\",
                            "WxProbeRun"};
  const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  ASSERT_TRUE(UpdateRunValue(true, program));
  {
    unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, runKey, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadRegString(key.get(), "WxProbeRun"), "\"C:\\Program Files\\Wx Probe\\WxProbeRun.exe\"");
  }
  EXPECT_TRUE(UpdateRunValue(false, program));
  EXPECT_TRUE(UpdateRunValue(false, program));  // already gone: still fine
  unique_hkey key = OpenRegKey(HKEY_CURRENT_USER, runKey, false);
  EXPECT_FALSE(ReadRegString(key.get(), "WxProbeRun").has_value());
}

}  // namespace
}  // namespace wendlix
