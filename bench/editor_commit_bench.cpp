// The group editor's commit of 1,000 entries into a 650 KB group file: one parse, the
// planned operations, one save. Must stay well under 20 ms, since the dialog waits for it.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "core/editor/editor_commit.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "editor_commit_sample.h"

namespace wendlix {
namespace {

const bench::EditorCommitSample& Sample() {
  static const bench::EditorCommitSample sample = bench::MakeEditorCommitSample();
  return sample;
}

// In memory: parse, plan, apply, serialise.
void BM_EditorCommit1000InMemory(benchmark::State& state) {
  const bench::EditorCommitSample& sample = Sample();
  for (auto _ : state) {
    IniFile gpf = IniFile::FromBytes(sample.bytes);
    const std::vector<ProfileOp> ops = PlanButtonCommit(gpf, sample.input);
    ApplyProfileOps(gpf, ops);
    benchmark::DoNotOptimize(gpf.ToBytes());
  }
  state.counters["file_KB"] = static_cast<double>(sample.bytes.size()) / 1024;
}
BENCHMARK(BM_EditorCommit1000InMemory)->Unit(benchmark::kMillisecond);

// What the dialog does: the file read from disk, committed and saved atomically. Each run
// starts from the same file (restored outside the timing).
void BM_EditorCommit1000OnDisk(benchmark::State& state) {
  const bench::EditorCommitSample& sample = Sample();
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("wendlix_commit_bench_" + std::to_string(::getpid()) + ".gpf"))
                               .string();
  for (auto _ : state) {
    state.PauseTiming();
    if (!platform::WriteFileAtomically(path, sample.bytes))
      state.SkipWithError("cannot write the group file");
    state.ResumeTiming();
    IniFile gpf(path);
    const std::vector<ProfileOp> ops = PlanButtonCommit(gpf, sample.input);
    ApplyProfileOps(gpf, ops);
    if (!gpf.Save()) state.SkipWithError("cannot save the group file");
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_EditorCommit1000OnDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendlix
