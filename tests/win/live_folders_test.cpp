// The live groups as the bar's window runs them: notices and the refill timer on a real
// window, real folders changed from outside and by the bar itself.
#include "win/live/live_folders.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "support/win_test_support.h"
#include "win/live/folder_probe.h"
#include "win/shell/shell_folders.h"

namespace wendlix {
namespace {

constexpr UINT kLiveMessage = WM_APP + 41;
constexpr UINT_PTR kLiveTimer = 77;

using testing_support::MakeFolder;
using testing_support::MessageWindow;
using testing_support::PumpUntil;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class LiveFoldersTest : public ::testing::Test {
 protected:
  LiveFoldersTest() : live_(window_.Handle(), kLiveMessage, kLiveTimer) {}

  // Runs the window's messages until `done` holds, collecting the refills handed out.
  bool RunUntil(const std::function<bool()>& done) {
    return PumpUntil(done, [&](const MSG& msg) {
      if (msg.message == kLiveMessage) {
        live_.OnNotices();
        sawNotice_ = true;
      } else if (msg.message == WM_TIMER && msg.wParam == kLiveTimer) {
        for (LiveRefill& r : live_.OnTimer()) refills_.push_back(std::move(r));
      } else {
        DispatchMessageW(&msg);
      }
    });
  }
  // Until a notice has come and everything it started has run.
  bool RunUntilSettled() {
    sawNotice_ = false;
    return RunUntil([&] { return sawNotice_ && live_.Idle(); });
  }

  TempFolder root_{"live_groups"};
  MessageWindow window_;
  LiveFolders live_;
  std::vector<LiveRefill> refills_;
  bool sawNotice_ = false;
};

TEST_F(LiveFoldersTest, OutsideChangesAreRefilledAndTheBarsOwnWritesAreNot) {
  const std::string g = root_ / "链接";
  ASSERT_TRUE(MakeFolder(g));
  WriteBytes(g + "\\a.lnk", "L");
  live_.Watch(7, g, true);
  EXPECT_EQ(live_.State(7), FolderState::kPresent);
  EXPECT_EQ(live_.BeginFill(7).Renames, std::vector<LiveRename>{});  // the group's first fill
  ASSERT_TRUE(RunUntilSettled()) << "the watcher's first notice";
  EXPECT_TRUE(refills_.empty()) << "the folder is as the first fill showed it";

  // Written by the bar (a drop), which fills the group itself right after.
  WriteBytes(g + "\\dropped.lnk", "L");
  live_.BeginFill(7);
  ASSERT_TRUE(RunUntilSettled());
  EXPECT_TRUE(refills_.empty());

  // Renamed from outside: one refill, with the rename to keep the entry's place.
  MoveFileW(ToWide(g + "\\a.lnk").c_str(), ToWide(g + "\\浏览器.lnk").c_str());
  ASSERT_TRUE(RunUntil([&] { return !refills_.empty() && live_.Idle(); }));
  ASSERT_EQ(refills_.size(), 1u);
  EXPECT_EQ(refills_[0].Key, 7u);
  EXPECT_EQ(refills_[0].State, FolderState::kPresent);
  EXPECT_EQ(refills_[0].Renames, (std::vector<LiveRename>{{"a.lnk", "浏览器.lnk"}}));

  // A file the group does not show changes nothing.
  refills_.clear();
  WriteBytes(g + "\\notes.txt", "x");
  ASSERT_TRUE(RunUntilSettled());
  EXPECT_TRUE(refills_.empty());
}

TEST_F(LiveFoldersTest, AGroupReadingOneFileFollowsItAsABrowserRewritesIt) {
  const std::string profile = root_ / "Default";
  ASSERT_TRUE(MakeFolder(profile));
  WriteBytes(profile + "\\Bookmarks", "{}");
  live_.Watch(3, profile, true, "Bookmarks");
  live_.BeginFill(3);
  ASSERT_TRUE(RunUntilSettled());
  EXPECT_TRUE(refills_.empty());

  // Another file of the profile changes nothing.
  WriteBytes(profile + "\\History", "h");
  ASSERT_TRUE(RunUntilSettled());
  EXPECT_TRUE(refills_.empty());

  // A new file renamed over the old one: one refill.
  WriteBytes(profile + "\\Bookmarks.tmp", R"({"roots": {}})");
  ASSERT_TRUE(MoveFileExW(ToWide(profile + "\\Bookmarks.tmp").c_str(),
                          ToWide(profile + "\\Bookmarks").c_str(), MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(RunUntil([&] { return !refills_.empty() && live_.Idle(); }));
  ASSERT_EQ(refills_.size(), 1u);
  EXPECT_EQ(refills_[0].Key, 3u);
}

TEST_F(LiveFoldersTest, AGroupWhoseFolderGoesIsRefilledEmptyAndAgainWhenItReturns) {
  const std::string g = root_ / "组";
  ASSERT_TRUE(MakeFolder(g));
  live_.Watch(1, g, true);
  live_.BeginFill(1);
  ASSERT_TRUE(MoveFileW(ToWide(g).c_str(), ToWide(root_ / "别处").c_str()));
  ASSERT_TRUE(RunUntil([&] { return !refills_.empty() && refills_.back().State == FolderState::kMissing; }));
  EXPECT_EQ(live_.State(1), FolderState::kMissing);
  refills_.clear();
  ASSERT_TRUE(MoveFileW(ToWide(root_ / "别处").c_str(), ToWide(g).c_str()));
  ASSERT_TRUE(RunUntil([&] { return !refills_.empty() && refills_.back().State == FolderState::kPresent; }));
}

TEST_F(LiveFoldersTest, AGroupFilledBeforeItWasWatchedIsRefilledOnlyWhenItsFolderChangedSince) {
  // The start fills each group from one listing and watches it after the first paint.
  const std::string same = root_ / "same", changed = root_ / "changed", gone = root_ / "gone";
  ASSERT_TRUE(MakeFolder(same) && MakeFolder(changed) && MakeFolder(gone));
  WriteBytes(same + "\\kept.lnk", "L");
  const auto listed = [&](const std::string& f) { return ReadFolderStamps(f); };
  const auto sameFill = listed(same), changedFill = listed(changed), goneFill = listed(gone);
  WriteBytes(changed + "\\added.lnk", "L");  // after the start's fill, before watching began
  ASSERT_TRUE(RemoveDirectoryW(ToWide(gone).c_str()));
  live_.Watch(1, same, true);
  live_.Filled(1, DigestOfListing(live_.State(1), sameFill));
  live_.Watch(2, changed, true);
  live_.Filled(2, DigestOfListing(live_.State(2), changedFill));
  live_.Watch(3, gone, true);
  live_.Filled(3, DigestOfListing(live_.State(3), goneFill));
  ASSERT_TRUE(RunUntil([&] { return refills_.size() >= 2 && live_.Idle(); }));
  std::set<LiveKey> refilled;
  for (const LiveRefill& r : refills_) refilled.insert(r.Key);
  EXPECT_EQ(refilled, (std::set<LiveKey>{2, 3}));
  EXPECT_EQ(refills_.size(), 2u);
}

TEST_F(LiveFoldersTest, AHeldOrHiddenGroupIsRefilledOnlyOnceReleased) {
  const std::string g = root_ / "g";
  ASSERT_TRUE(MakeFolder(g));
  live_.Watch(1, g, true);
  live_.BeginFill(1);
  ASSERT_TRUE(RunUntilSettled());
  {
    LiveHold menu(&live_, 1);
    live_.SetShown(1, false);
    sawNotice_ = false;
    WriteBytes(g + "\\a.lnk", "L");
    ASSERT_TRUE(RunUntil([&] { return sawNotice_; }));
    EXPECT_TRUE(live_.Idle());
  }
  EXPECT_TRUE(live_.Idle()) << "still hidden";
  live_.SetShown(1, true);
  ASSERT_TRUE(RunUntil([&] { return !refills_.empty(); }));
  EXPECT_EQ(refills_[0].Key, 1u);
}

}  // namespace
}  // namespace wendlix
