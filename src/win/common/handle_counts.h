// Live counts of the handles the program's own wrappers hold, by the kind of object behind them.
// Always compiled: a relaxed atomic step beside the system call that makes or frees the object costs
// nothing measurable, and every build answers the same inspection query. Where the system reports no
// GUI object counts (Wine), these show whether the wrappers themselves are kept too long.
#pragma once
#include <atomic>
#include <cstddef>

namespace wendlix {

enum class HandleKind { kGdi, kUser, kKernel };
inline constexpr std::size_t kHandleKindCount = 3;

inline std::atomic<long>& LiveHandleCounter(HandleKind kind) {
  static std::atomic<long> counts[kHandleKindCount];
  return counts[static_cast<std::size_t>(kind)];
}

inline long LiveHandleCount(HandleKind kind) {
  return LiveHandleCounter(kind).load(std::memory_order_relaxed);
}

inline void CountHandle(HandleKind kind, long delta) {
  LiveHandleCounter(kind).fetch_add(delta, std::memory_order_relaxed);
}

}  // namespace wendlix
