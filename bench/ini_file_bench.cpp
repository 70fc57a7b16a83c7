// The profile store on a large group file: loading it and reading every key must stay
// well under 10 ms, since the bar does it on every start.
#include <benchmark/benchmark.h>

#include "core/profile/ini_file.h"
#include "ini_group_sample.h"

namespace wendlix {
namespace {

const bench::GroupFileSample& Sample() {
  static const bench::GroupFileSample sample = bench::MakeGroupFileSample();
  return sample;
}

void BM_IniParse(benchmark::State& state) {
  const std::string& bytes = Sample().bytes;
  for (auto _ : state) {
    IniFile ini = IniFile::FromBytes(bytes);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_IniParse)->Unit(benchmark::kMillisecond);

// What start-up does: every group's settings and buttons, key by key.
void BM_IniLoadAndReadEveryKey(benchmark::State& state) {
  const bench::GroupFileSample& sample = Sample();
  for (auto _ : state) {
    const IniFile ini = IniFile::FromBytes(sample.bytes);
    std::size_t total = 0;
    for (const auto& [section, key] : sample.keys) total += ini.ReadString(section, key, "").size();
    benchmark::DoNotOptimize(total);
  }
  state.counters["keys"] = static_cast<double>(sample.keys.size());
  state.counters["file_KB"] = static_cast<double>(sample.bytes.size()) / 1024;
}
BENCHMARK(BM_IniLoadAndReadEveryKey)->Unit(benchmark::kMillisecond);

// The same through the listings: sections, then each section's keys.
void BM_IniLoadAndListEverything(benchmark::State& state) {
  const std::string& bytes = Sample().bytes;
  for (auto _ : state) {
    const IniFile ini = IniFile::FromBytes(bytes);
    std::size_t total = 0;
    for (const std::string& section : ini.ReadSections()) {
      for (const std::string& key : ini.ReadSection(section))
        total += ini.ReadString(section, key, "").size();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_IniLoadAndListEverything)->Unit(benchmark::kMillisecond);

// Saving every group: all settings rewritten (mostly unchanged), button sections emptied
// and written anew, then the whole document serialised.
void BM_IniSaveEveryGroup(benchmark::State& state) {
  const bench::GroupFileSample& sample = Sample();
  for (auto _ : state) {
    IniFile ini = IniFile::FromBytes(sample.bytes);
    for (const std::string& section : ini.ReadSections()) {
      if (section.size() > 9 && section.compare(section.size() - 9, 9, "  Buttons") == 0) {
        const std::vector<std::string> keys = ini.ReadSection(section);
        for (const std::string& key : keys) ini.DeleteKey(section, key);
        for (const std::string& key : keys) ini.WriteString(section, key, "http://www.example.org/");
      }
    }
    for (const auto& [section, key] : sample.keys)
      ini.WriteString(section, key, ini.ReadString(section, key, ""));
    benchmark::DoNotOptimize(ini.ToBytes());
  }
}
BENCHMARK(BM_IniSaveEveryGroup)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendlix
