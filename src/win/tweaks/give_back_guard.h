// What the bar owes the shell, kept in the registry while it owes anything, so that it is
// given back even when the bar is killed or crashes: by a guard process (the bar's own exe
// started with a private switch, no window) that waits for the bar to end, and by the next
// start. A normal exit gives back itself and removes the record first.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/tweaks/give_back_record.h"

namespace wendlix {

class GiveBackKeeper {
 public:
  // Records `owed` as this process's (an empty set removes the record). The first time
  // something is owed, the guard is started.
  void Keep(const GiveBackSet& owed);
  // Everything was given back: the record goes.
  void Forget();

 private:
  bool guardStarted_ = false;
};

// The registry value holding the record, under the program's key.
inline constexpr char kGiveBackValue[] = "GiveBack";

// When a process's time is counted from (0 when it cannot be read).
std::uint64_t ProcessStartTime(HANDLE process);
// At start: a record whose owner no longer runs is given back and removed.
void GiveBackOrphanedRecord();
// The guard's whole life: waits for the guarded process to end, then gives back what its
// record still holds. Returns the exit code.
int RunGiveBackGuard(const GuardTarget& target);

}  // namespace wendlix
