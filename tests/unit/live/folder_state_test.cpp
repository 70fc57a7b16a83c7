#include "core/live/folder_state.h"

#include <gtest/gtest.h>

#include "core/shell/shortcut_listing.h"

namespace wendlix {
namespace {

TEST(FolderState, PathsSplitIntoRootAndNamesAndRemoteOnesAreNotLocal) {
  const struct {
    const char* path;
    bool remote;
    std::optional<LocalFolderPath> split;
  } cases[] = {
      {"C:\\Users\\u\\Quick Launch", false, LocalFolderPath{"C:\\", {"Users", "u", "Quick Launch"}}},
      {"d:/工具/链接/", false, LocalFolderPath{"d:\\", {"工具", "链接"}}},
      {"C:\\", false, LocalFolderPath{"C:\\", {}}},
      {"\\\\?\\C:\\a\\b", false, LocalFolderPath{"\\\\?\\C:\\", {"a", "b"}}},
      {"\\\\.\\E:\\a", false, LocalFolderPath{"\\\\.\\E:\\", {"a"}}},
      {"\\\\?\\Volume{1b2c}\\links", false, LocalFolderPath{"\\\\?\\Volume{1b2c}\\", {"links"}}},
      {"\\\\server\\share\\links", true, std::nullopt},
      {"//server/share", true, std::nullopt},
      {"\\\\?\\UNC\\server\\share", true, std::nullopt},
      {"\\\\?\\unc/server/share", true, std::nullopt},
      {"C:relative", false, std::nullopt},
      {"links\\sub", false, std::nullopt},
      {"", false, std::nullopt},
      {"\\\\?\\", false, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRemoteFolder(c.path), c.remote) << c.path;
    EXPECT_EQ(SplitLocalFolder(c.path), c.split) << c.path;
  }
  const LocalFolderPath p{"C:\\", {"a", "b"}};
  EXPECT_EQ(FolderAtDepth(p, 0), "C:\\");
  EXPECT_EQ(FolderAtDepth(p, 1), "C:\\a");
  EXPECT_EQ(FolderAtDepth(p, 2), "C:\\a\\b");
  EXPECT_EQ(FolderAtDepth(p, 9), "C:\\a\\b");
}

TEST(FolderState, TheDigestFollowsWhatTheGroupShowsAndNothingElse) {
  const std::vector<FolderEntryStamp> shown = {{"Browser.lnk", kAttrArchive, 100, 1200},
                                               {"Tools", kAttrDirectory, 200, 0},
                                               {"Hidden.url", kAttrArchive | kAttrHidden, 300, 90}};
  const std::uint64_t base = FolderDigest(FolderState::kPresent, shown);

  std::vector<FolderEntryStamp> reordered = {shown[2], shown[0], shown[1]};
  EXPECT_EQ(FolderDigest(FolderState::kPresent, reordered), base);

  std::vector<FolderEntryStamp> withOthers = shown;
  withOthers.push_back({"Wendlix.GPF", kAttrArchive, 400, 5000});
  withOthers.push_back({"~tmp1234.lnk", kAttrArchive | kAttrSystem, 500, 0});
  withOthers.push_back({"desktop.ini", kAttrArchive | kAttrHidden | kAttrSystem, 600, 80});
  EXPECT_EQ(FolderDigest(FolderState::kPresent, withOthers), base) << "files the group does not show";
  // A group that reads one file follows it, and only it.
  std::vector<FolderEntryStamp> rewritten = withOthers;
  rewritten[3].WriteTime = 401;
  EXPECT_NE(FolderDigest(FolderState::kPresent, rewritten, "wendlix.gpf"),
            FolderDigest(FolderState::kPresent, withOthers, "wendlix.gpf"));
  EXPECT_EQ(FolderDigest(FolderState::kPresent, rewritten, "desktop.ini"),
            FolderDigest(FolderState::kPresent, withOthers, "desktop.ini"));

  const auto changed = [&](auto change) {
    std::vector<FolderEntryStamp> e = shown;
    change(e[0]);
    return FolderDigest(FolderState::kPresent, e);
  };
  EXPECT_NE(changed([](FolderEntryStamp& e) { e.Name = "browser.lnk"; }), base) << "renamed, case only";
  EXPECT_NE(changed([](FolderEntryStamp& e) { e.WriteTime = 101; }), base) << "link rewritten";
  EXPECT_NE(changed([](FolderEntryStamp& e) { e.Size = 1201; }), base);
  EXPECT_NE(changed([](FolderEntryStamp& e) { e.Attributes |= kAttrReadOnly; }), base);
  EXPECT_NE(FolderDigest(FolderState::kPresent, {shown[0], shown[1]}), base) << "one removed";

  // An empty folder and a missing one show the same buttons, but not the same tooltip.
  EXPECT_NE(FolderDigest(FolderState::kPresent, {}), FolderDigest(FolderState::kMissing, {}));
  EXPECT_NE(FolderDigest(FolderState::kMissing, {}), FolderDigest(FolderState::kUnreadable, {}));
}

TEST(FolderState, TheTooltipSaysWhyTheGroupIsEmpty) {
  const char* folder = "E:\\链接";
  EXPECT_EQ(LiveGroupHint("工具", folder, FolderState::kPresent), "工具");
  EXPECT_EQ(LiveGroupHint("工具", folder, FolderState::kMissing),
            "工具\r\n文件夹不存在，找到后会自动显示:\r\nE:\\链接");
  EXPECT_EQ(LiveGroupHint("工具", folder, FolderState::kUnreadable), "工具\r\n无法读取该文件夹:\r\nE:\\链接");
  EXPECT_EQ(LiveGroupHint("Net", "\\\\srv\\l", FolderState::kUnwatched),
            "Net\r\n网络文件夹不会自动更新，请使用“刷新”:\r\n\\\\srv\\l");
}

}  // namespace
}  // namespace wendlix
