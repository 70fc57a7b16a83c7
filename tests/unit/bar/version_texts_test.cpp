// The texts that show the program's version read it from the VERSION file, through the header the
// build generates: the application's title whole, the menus' title strips without the patch level.
#include <gtest/gtest.h>

#include <string>

#include "core/bar/bar_texts.h"
#include "core/bar_menu/bar_menu.h"
#include "core/platform/file_io.h"
#include "core/tweaks/system_menu.h"

namespace wendlix {
namespace {

TEST(VersionTexts, FollowTheVersionFile) {
  const auto file = platform::ReadWholeFile(WENDLIX_TEST_DATA "/../../VERSION");
  ASSERT_TRUE(file);
  const std::string version = file->substr(0, file->find_first_of("\r\n"));
  const std::string majorMinor = version.substr(0, version.rfind('.'));
  EXPECT_EQ(std::string(kApplicationTitle), "Wendlix V " + version);
  EXPECT_EQ(std::string(kMainMenuTitle), "Wendlix V" + majorMinor);
  EXPECT_EQ(std::string(kSysMenuTitle), "Wendlix V" + majorMinor);
}

}  // namespace
}  // namespace wendlix
