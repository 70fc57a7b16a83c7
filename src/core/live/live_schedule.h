// When a watched group is refilled after its folder changed. Change notices come in bursts
// (an installer writing 200 links, a folder copied in): a burst gives one refill, once the
// folder has been quiet for the settle time, or at the latest the maximum delay after the
// burst's first notice, so that a steady stream still shows. A refill waits while something
// is open on the group (a menu, the editor, a drag, a message box) and while the group is
// not shown; it runs when that ends. Times are milliseconds of one monotonic clock.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace wendlix {

// The caller's stable name of one watched group (not its band index, which changes).
using LiveKey = std::uint32_t;

// One entry of the folder renamed from `From` to `To` (bare names).
struct LiveRename {
  std::string From, To;
  bool operator==(const LiveRename&) const = default;
};

struct LiveTiming {
  std::int64_t SettleMs = 250;
  std::int64_t MaxDelayMs = 800;
  // Renames kept per group until its next fill; past that they show as new entries.
  std::size_t MaxRenames = 256;
};

class LiveSchedule {
 public:
  // Block(kWholeBar) holds every group's refill, for what concerns the whole bar.
  static constexpr LiveKey kWholeBar = 0xFFFFFFFFu;

  explicit LiveSchedule(LiveTiming timing = {}) : timing_(timing) {}

  // Adding a key again starts it afresh; notices for unknown keys are ignored.
  void Add(LiveKey key, bool shown);
  void Remove(LiveKey key);

  // The folder of `key` changed at `now`; `renames` in the order they happened.
  void Notice(LiveKey key, std::int64_t now, const std::vector<LiveRename>& renames = {});

  // Something opened on / closed on the group (or kWholeBar); they nest.
  void Block(LiveKey key);
  void Unblock(LiveKey key);
  // A collapsed or hidden group is not shown.
  void SetShown(LiveKey key, bool shown);

  // A fill of the group begins (the bar's own or a refill): it shows the folder as it is,
  // so the changes noticed so far need no refill of their own. Returns the renames the
  // fill applies to the saved order; `digest` is the folder's digest taken before it.
  std::vector<LiveRename> BeginFill(LiveKey key, std::uint64_t digest);
  // True when the folder reads as it did when the group was last filled: the notices came
  // from the bar's own writes, or were undone within their burst.
  bool SameAsShown(LiveKey key, std::uint64_t digest) const;
  // Drops the group's pending change without a fill.
  void Dismiss(LiveKey key);

  // The groups whose refill falls due at `now`, in key order.
  std::vector<LiveKey> Due(std::int64_t now) const;
  // When the next refill falls due (possibly already past); nullopt when none can.
  std::optional<std::int64_t> NextDue() const;
  bool Pending(LiveKey key) const;
  // The renames noticed since the group's last fill, for the bar's report.
  std::size_t RenamesHeld(LiveKey key) const;

 private:
  struct Group {
    bool shown = true;
    int blocks = 0;
    bool pending = false;
    std::int64_t burstStart = 0, lastNotice = 0;
    std::vector<LiveRename> renames;
    std::optional<std::uint64_t> shownDigest;
  };
  bool CanRun(const Group& g) const { return g.pending && g.shown && g.blocks == 0 && wholeBarBlocks_ == 0; }
  std::int64_t DueAt(const Group& g) const;

  LiveTiming timing_;
  std::unordered_map<LiveKey, Group> groups_;
  int wholeBarBlocks_ = 0;
};

}  // namespace wendlix
