// Applying a saved button order of 10,000 names to a folder listing of 10,000 (half of
// them shared, spelled in another case): the hashed merge against the plain quadratic
// one. Target: the hashed merge under 5 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/shell/ordered_merge.h"

namespace {

using wendlix::FileNameKey;

struct Lists {
  std::vector<std::string> saved, current;
};

const Lists& MakeLists() {
  static const Lists lists = [] {
    Lists l;
    for (int i = 0; i < 10000; ++i) l.saved.push_back("Program " + std::to_string(i) + " 快捷方式.lnk");
    // Every other saved name is still there, upper-cased; the rest of the listing is new.
    for (int i = 0; i < 10000; i += 2) l.current.push_back("PROGRAM " + std::to_string(i) + " 快捷方式.LNK");
    for (int i = 0; i < 5000; ++i) l.current.push_back("New item " + std::to_string(i) + ".lnk");
    return l;
  }();
  return lists;
}

// The rule read literally: a case-insensitive search of the lists for every name.
std::vector<std::string> NaiveMerge(const std::vector<std::string>& saved,
                                    const std::vector<std::string>& current) {
  std::vector<std::string> savedKeys, currentKeys, resultKeys, result;
  for (const auto& s : saved) savedKeys.push_back(FileNameKey(s));
  for (const auto& s : current) currentKeys.push_back(FileNameKey(s));
  const auto contains = [](const std::vector<std::string>& keys, const std::string& key) {
    for (const auto& k : keys)
      if (k == key) return true;
    return false;
  };
  for (const auto& key : savedKeys) {
    if (!contains(currentKeys, key) || contains(resultKeys, key)) continue;
    for (std::size_t i = 0; i < currentKeys.size(); ++i)
      if (currentKeys[i] == key) {
        result.push_back(current[i]);
        break;
      }
    resultKeys.push_back(key);
  }
  for (std::size_t i = 0; i < current.size(); ++i) {
    if (contains(savedKeys, currentKeys[i]) || contains(resultKeys, currentKeys[i])) continue;
    result.push_back(current[i]);
    resultKeys.push_back(currentKeys[i]);
  }
  return result;
}

void BM_MergeOrderedList(benchmark::State& state) {
  const Lists& lists = MakeLists();
  for (auto _ : state) benchmark::DoNotOptimize(wendlix::MergeOrderedList(lists.saved, lists.current));
}
BENCHMARK(BM_MergeOrderedList)->Unit(benchmark::kMillisecond);

void BM_NaiveQuadraticMerge(benchmark::State& state) {
  const Lists& lists = MakeLists();
  for (auto _ : state) benchmark::DoNotOptimize(NaiveMerge(lists.saved, lists.current));
}
BENCHMARK(BM_NaiveQuadraticMerge)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
