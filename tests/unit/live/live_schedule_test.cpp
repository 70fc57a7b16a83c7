#include "core/live/live_schedule.h"

#include <gtest/gtest.h>

#include "support/live_print.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace wendlix {
namespace {

// Runs the schedule as the bar does: events at their times, and a refill of every group
// Due() names whenever NextDue() comes. Returns (time, key) of each refill.
using Event = std::pair<std::int64_t, std::function<void(LiveSchedule&)>>;
std::vector<std::pair<std::int64_t, LiveKey>> Refill(LiveSchedule& s, std::vector<Event> events,
                                                     std::int64_t until) {
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.first < b.first; });
  std::vector<std::pair<std::int64_t, LiveKey>> refills;
  std::size_t next = 0;
  std::uint64_t digest = 0;
  std::int64_t now = 0;
  for (;;) {
    const std::optional<std::int64_t> due = s.NextDue();
    const std::int64_t eventAt = next < events.size() ? events[next].first : until + 1;
    if (due && *due <= eventAt && *due <= until) {
      now = std::max(now, *due);  // one that fell due while held runs when released
      for (LiveKey key : s.Due(now)) {
        s.BeginFill(key, ++digest);
        refills.emplace_back(now, key);
      }
      continue;
    }
    if (eventAt > until) return refills;
    now = eventAt;
    events[next++].second(s);
  }
}

Event NoticeAt(std::int64_t t, LiveKey key = 1) {
  return {t, [=](LiveSchedule& s) { s.Notice(key, t); }};
}
Event At(std::int64_t t, std::function<void(LiveSchedule&)> f) { return {t, std::move(f)}; }

using Refills = std::vector<std::pair<std::int64_t, LiveKey>>;

TEST(LiveSchedule, BurstsGiveOneRefillOnceQuietAndAStreamStillShows) {
  const struct {
    const char* what;
    std::vector<std::int64_t> notices;
    Refills refills;
  } cases[] = {
      {"one change settles", {1000}, {{1250, 1}}},
      {"gaps just under the settle time keep one burst", {0, 240, 480}, {{730, 1}}},
      {"a quiet spell of the settle time ends the burst", {0, 300, 310}, {{250, 1}, {560, 1}}},
      {"a steady stream refills at the cap, then starts a new burst",
       [] {
         std::vector<std::int64_t> t;
         for (int i = 0; i <= 20; ++i) t.push_back(100 * i);
         return t;
       }(),
       {{800, 1}, {1600, 1}, {2250, 1}}},
  };
  for (const auto& c : cases) {
    LiveSchedule s;
    s.Add(1, true);
    std::vector<Event> events;
    for (std::int64_t t : c.notices) events.push_back(NoticeAt(t));
    EXPECT_EQ(Refill(s, events, 10000), c.refills) << c.what;
  }
}

TEST(LiveSchedule, GroupsAreScheduledApart) {
  LiveSchedule s;
  s.Add(1, true);
  s.Add(2, true);
  EXPECT_EQ(Refill(s, {NoticeAt(0, 2), NoticeAt(100, 1), NoticeAt(200, 2), NoticeAt(300, 7)}, 5000),
            (Refills{{350, 1}, {450, 2}}));
  s.Remove(1);
  EXPECT_EQ(Refill(s, {NoticeAt(6000, 1)}, 9000), Refills{});
}

Event Block(std::int64_t t, LiveKey key = 1) {
  return {t, [=](LiveSchedule& s) { s.Block(key); }};
}
Event Unblock(std::int64_t t, LiveKey key = 1) {
  return {t, [=](LiveSchedule& s) { s.Unblock(key); }};
}
Event Shown(std::int64_t t, bool shown) {
  return {t, [=](LiveSchedule& s) { s.SetShown(1, shown); }};
}

TEST(LiveSchedule, OpenThingsAndHiddenGroupsHoldTheRefillUntilTheyEnd) {
  constexpr LiveKey kBar = LiveSchedule::kWholeBar;
  const struct {
    const char* what;
    std::vector<Event> events;
    Refills refills;
  } cases[] = {
      {"a menu open through the burst: refilled when it closes",
       {Block(0), NoticeAt(100), Unblock(3000)},
       {{3000, 1}}},
      {"a box inside the editor: both must close",
       {Block(0), Block(0), NoticeAt(100), Unblock(1000), Unblock(2000)},
       {{2000, 1}}},
      {"an unmatched close does not unblock a later open",
       {Unblock(0), Block(0), NoticeAt(100), Unblock(2000)},
       {{2000, 1}}},
      {"something open on another group does not hold this one", {Block(0, 2), NoticeAt(100)}, {{350, 1}}},
      {"the whole bar held", {Block(0, kBar), NoticeAt(100), Unblock(5000, kBar)}, {{5000, 1}}},
      {"hidden through the change: refilled when shown again",
       {Shown(0, false), NoticeAt(100), NoticeAt(4000), Shown(9000, true)},
       {{9000, 1}}},
      {"hidden and shown again without a change: nothing", {Shown(0, false), Shown(900, true)}, {}},
      {"the bar's own fill shows the change: no refill of its own",
       {NoticeAt(100), At(150, [](LiveSchedule& s) { s.BeginFill(1, 42); })},
       {}},
      {"dismissed: the change came to nothing",
       {NoticeAt(100), At(150, [](LiveSchedule& s) { s.Dismiss(1); })},
       {}},
  };
  for (const auto& c : cases) {
    LiveSchedule s;
    s.Add(1, true);
    s.Add(2, true);
    EXPECT_EQ(Refill(s, c.events, 20000), c.refills) << c.what;
  }
}

TEST(LiveSchedule, RenamesWaitForTheNextFillInOrderAndBounded) {
  LiveSchedule s(LiveTiming{250, 800, 3});
  s.Add(1, false);
  s.Notice(1, 0, {{"a.lnk", "b.lnk"}});
  s.Notice(1, 10, {{"b.lnk", "c.lnk"}, {"x.lnk", "y.lnk"}, {"p.lnk", "q.lnk"}});
  EXPECT_TRUE(s.Pending(1));
  EXPECT_EQ(s.BeginFill(1, 7),
            (std::vector<LiveRename>{{"a.lnk", "b.lnk"}, {"b.lnk", "c.lnk"}, {"x.lnk", "y.lnk"}}));
  EXPECT_FALSE(s.Pending(1));
  EXPECT_EQ(s.BeginFill(1, 7), std::vector<LiveRename>{});

  s.Notice(1, 20, {{"d.lnk", "e.lnk"}});
  s.Dismiss(1);
  EXPECT_EQ(s.BeginFill(1, 8), std::vector<LiveRename>{});
}

TEST(LiveSchedule, TheFolderAsLastFilledTellsTheBarsOwnChanges) {
  LiveSchedule s;
  s.Add(1, true);
  EXPECT_FALSE(s.SameAsShown(1, 0)) << "never filled: any reading differs";
  s.BeginFill(1, 99);
  EXPECT_TRUE(s.SameAsShown(1, 99));
  EXPECT_FALSE(s.SameAsShown(1, 98));
  EXPECT_FALSE(s.SameAsShown(2, 99));
  s.Add(1, true);
  EXPECT_FALSE(s.SameAsShown(1, 99)) << "watched afresh";
}

}  // namespace
}  // namespace wendlix
