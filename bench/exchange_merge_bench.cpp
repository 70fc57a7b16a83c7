// Importing 1,000 button lines into a group file of 1,000 groups: read the file once,
// merge every line in memory and save once, against the plain approach of one profile
// write (read, change, save) per line. Target: the merge with its one save under 10 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bar/group_file.h"
#include "core/exchange/exchange_import.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "ini_group_sample.h"

namespace {

using namespace wendlix;

constexpr char kTitle[] = "工具栏500";

struct Fixture {
  std::string path;
  std::string original;
  // Two imports of the same names with other addresses, so every round changes the file.
  std::vector<ExchangeLine> lines[2];
};

std::filesystem::path benchDir;
void RemoveBenchDir() {
  std::error_code ec;
  std::filesystem::remove_all(benchDir, ec);
}

const Fixture& GetFixture() {
  static const Fixture f = [] {
    Fixture x;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("wendlix_exchange_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    benchDir = dir;
    std::atexit(RemoveBenchDir);
    x.path = (dir / "Wendlix.GPF").string();
    x.original = bench::MakeGroupFileSample().bytes;
    // The group's ten buttons come again with new addresses, then 990 new ones.
    for (int i = 0; i < 1000; ++i) {
      const std::string n = std::to_string(i);
      for (int k = 0; k < 2; ++k)
        x.lines[k].push_back(
            {i < 10 ? "记事本" + n : "网站" + n, "http://example.cn/" + std::to_string(k) + "/" + n});
    }
    return x;
  }();
  return f;
}

void Restore(const Fixture& f) { platform::WriteFileAtomically(f.path, f.original); }

void BM_MergeLinesOneSave(benchmark::State& state) {
  const Fixture& f = GetFixture();
  Restore(f);
  int round = 0;
  for (auto _ : state) {
    const auto& lines = f.lines[round++ & 1];
    IniFile gpf(f.path);
    MergeButtonLines(gpf, kTitle, lines, false);
    if (!gpf.Save()) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_MergeLinesOneSave)->Unit(benchmark::kMillisecond);

void BM_WriteAndSavePerLine(benchmark::State& state) {
  const Fixture& f = GetFixture();
  const std::string section = ButtonSectionName(kTitle);
  for (auto _ : state) {
    state.PauseTiming();
    Restore(f);
    state.ResumeTiming();
    for (const ExchangeLine& l : f.lines[0]) {
      IniFile gpf(f.path);
      gpf.WriteString(section, l.Name, l.Value);
      if (!gpf.Save()) state.SkipWithError("save failed");
    }
  }
}
BENCHMARK(BM_WriteAndSavePerLine)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
