// Timing for the Wine measurements: milliseconds from the performance counter, and the best
// and median of repeated runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace wendlix::bench {

inline double NowMs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Stats {
  double best, median;
};

template <typename F>
Stats Measure(int runs, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    f();
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

}  // namespace wendlix::bench
