// The group editor's commit of 1,000 entries into a 650 KB group file, timed in one run two
// ways: our profile store (one parse, the planned operations, one atomic save) against the
// same operations done key by key with WritePrivateProfileStringW, each of which rewrites
// the whole file. The plain side takes minutes for all 2,000 operations, so it runs an
// evenly spread sample and the figure is extrapolated (printed as such).
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "../editor_commit_sample.h"
#include "core/editor/editor_commit.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "win/common/wide.h"
#include "wine_clock.h"

namespace {

using namespace wendlix;
using bench::NowMs;

// The button section's keys and values in file order, to check that both ways agree.
std::vector<std::pair<std::string, std::string>> SectionOf(const std::string& path,
                                                           const std::string& section) {
  const IniFile file(path);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const std::string& key : file.ReadSection(section))
    pairs.emplace_back(key, file.ReadString(section, key, ""));
  return pairs;
}

}  // namespace

int main() {
  if (GetACP() != 936)
    std::printf("warning: ANSI code page %u, not 936; Chinese names will not match\n", GetACP());
  const bench::EditorCommitSample sample = bench::MakeEditorCommitSample();
  const std::string section = sample.input.Title + "  Buttons";
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path =
      std::string(temp) + "wendlix_commit_bench_" + std::to_string(GetCurrentProcessId()) + ".gpf";
  const auto restore = [&] { return platform::WriteFileAtomically(path, sample.bytes); };

  // Ours, best of several runs, each from the same file.
  double ours = 1e30;
  std::size_t opCount = 0;
  for (int run = 0; run < 15; ++run) {
    if (!restore()) {
      std::printf("cannot write %s\n", path.c_str());
      return 1;
    }
    const double start = NowMs();
    IniFile gpf(path);
    const std::vector<ProfileOp> ops = PlanButtonCommit(gpf, sample.input);
    ApplyProfileOps(gpf, ops);
    const bool saved = gpf.Save();
    ours = std::min(ours, NowMs() - start);
    opCount = ops.size();
    if (!saved) {
      std::printf("saving failed\n");
      return 1;
    }
  }
  const auto oursResult = SectionOf(path, section);

  // The plain way: every tenth of the same planned operations, one profile call each.
  restore();
  const std::vector<ProfileOp> ops = PlanButtonCommit(IniFile(path), sample.input);
  const std::wstring file = ToWide(path);
  constexpr std::size_t kStride = 10;
  std::vector<std::array<std::wstring, 3>> sampled;
  for (std::size_t i = 0; i < ops.size(); i += kStride)
    sampled.push_back({ToWide(ops[i].Section), ToWide(ops[i].Key), ToWide(ops[i].Value)});
  const double start = NowMs();
  for (std::size_t i = 0; i < sampled.size(); ++i) {
    const bool remove = ops[i * kStride].What == ProfileOp::Kind::kDeleteKey;
    WritePrivateProfileStringW(sampled[i][0].c_str(), sampled[i][1].c_str(),
                               remove ? nullptr : sampled[i][2].c_str(), file.c_str());
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush the system's cache
  const double plainSample = NowMs() - start;
  const double plain = plainSample * static_cast<double>(ops.size()) / static_cast<double>(sampled.size());
  DeleteFileA(path.c_str());

  // Ours wrote exactly the edited list, in order.
  std::vector<std::pair<std::string, std::string>> expected;
  for (const ButtonEntry& e : sample.input.Entries) expected.emplace_back(e.Name, e.Value);
  const bool same = oursResult == expected;

  std::printf("group file: %zu bytes; commit of %zu entries = %zu profile operations\n", sample.bytes.size(),
              sample.input.Entries.size(), opCount);
  std::printf("profile store, parse + commit + atomic save: %10.2f ms (best of 15)\n", ours);
  std::printf("WritePrivateProfileStringW, %4zu sampled operations: %10.2f ms\n", sampled.size(),
              plainSample);
  std::printf("WritePrivateProfileStringW, all operations (extrapolated x%zu): %10.2f ms\n", kStride, plain);
  std::printf("speed-up: %.0fx (target: 50x)\n", plain / ours);
  std::printf("the profile store wrote the edited list in order: %s (%zu keys)\n", same ? "yes" : "NO",
              oursResult.size());
  return same ? 0 : 1;
}
