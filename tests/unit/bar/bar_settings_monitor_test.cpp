#include <gtest/gtest.h>

#include "core/bar/bar_settings.h"
#include "core/profile/ini_file.h"

namespace wendlix {
namespace {

TEST(BarSettingsMonitor, RemembersTheMonitorUnderNewKeysAfterTheOldOnes) {
  BarSettings s;
  s.Monitor = {"\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}};
  IniFile ini = IniFile::FromBytes("");
  WriteBarSettings(ini, s, 0);
  // A bar that never chose a monitor writes the file as before (the whole bytes are the bar
  // settings' test); a chosen one adds its two keys at the end.
  const std::string bytes = ini.ToBytes();
  EXPECT_EQ(bytes,
            "[Wendlix V3.0]\r\nAutoHide=1\r\nReLoadSet=0\r\nAutoRun=1\r\nAlwaysOnTop=1\r\n"
            "ActivateByMouseDown=0\r\nFlat Draw=1\r\nGroups=0\r\nActive Delay=800\r\nWidth=86\r\n"
            "Height=0\r\nEdge=2\r\nAutoHideInterval=60\r\nLiveFolders=1\r\nMonitor=\\\\.\\DISPLAY2\r\n"
            "MonitorRect=-1280,0,0,1024\r\n");
  EXPECT_EQ(ReadBarSettings(IniFile::FromBytes(bytes), 0).Monitor, s.Monitor);

  struct Case {
    const char* text;
    SavedMonitor expected;
  } cases[] = {
      {"", {}},
      {"MonitorRect=0,0,800,600\r\n", {}},  // a rectangle without a device means nothing
      {"Monitor=\\\\.\\DISPLAY2\r\nMonitorRect=0,0,800,600\r\n", {"\\\\.\\DISPLAY2", {0, 0, 800, 600}}},
      {"Monitor=\\\\.\\DISPLAY2\r\nMonitorRect=garbage\r\n", {"\\\\.\\DISPLAY2", {}}},
      {"Monitor=\\\\.\\DISPLAY2\r\n", {"\\\\.\\DISPLAY2", {}}},
  };
  for (const Case& c : cases) {
    const IniFile read = IniFile::FromBytes(std::string("[Wendlix V3.0]\r\nEdge=0\r\n") + c.text);
    const BarSettings got = ReadBarSettings(read, 0);
    EXPECT_EQ(got.Monitor, c.expected) << c.text;
    EXPECT_EQ(got.AppBar.Edge, abeLeft) << c.text;  // the other keys read as before
  }
}

}  // namespace
}  // namespace wendlix
