// One command of the buttons menu on a web group of 1,000 buttons in a group file of about
// 650 KB: read the file, add, rename or remove one button, write the group's section from the
// bar's buttons and save once. Target: under 20 ms each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/bar/group_construction.h"
#include "core/bar/group_file.h"
#include "core/button_menu/group_commands.h"
#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "ini_group_sample.h"

namespace {

using namespace wendlix;

constexpr int kButtons = 1000;

struct Fixture {
  std::string path;
  GroupPanel web;  // filled: 1,000 buttons and the collapse button
};

std::filesystem::path benchDir;
void RemoveBenchDir() {
  std::error_code ec;
  std::filesystem::remove_all(benchDir, ec);
}

Fixture& GetFixture() {
  static Fixture f = [] {
    Fixture x;
    benchDir =
        std::filesystem::temp_directory_path() / ("wendlix_button_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(benchDir);
    std::atexit(RemoveBenchDir);
    x.path = (benchDir / "Wendlix.GPF").string();
    std::string bytes = bench::MakeGroupFileSample().bytes + "[web  Buttons]\r\n";
    x.web.Data.Title = "web";
    x.web.Data.PanelStyle = gkWeb;
    for (int i = 0; i < kButtons; ++i) {
      const std::string n = "site" + std::to_string(i), a = "http://example.cn/" + std::to_string(i);
      bytes += n + "=" + a + "\r\n";
      AddGroupButton(x.web, n, false, a);
    }
    AddCollapseButton(x.web);
    platform::WriteFileAtomically(x.path, bytes);
    return x;
  }();
  return f;
}

void SaveOnce(benchmark::State& state, const std::string& path, const GroupPanel& panel) {
  IniFile gpf(path);
  SaveGroup(gpf, PanelRecord(panel), true);
  if (!gpf.Save()) state.SkipWithError("save failed");
}

void BM_AddButton(benchmark::State& state) {
  Fixture& f = GetFixture();
  GroupPanel panel = f.web;
  int n = 0;
  for (auto _ : state) {
    PutLaunchButton(panel, "new" + std::to_string(n++), "http://new.example.cn/");
    SaveOnce(state, f.path, panel);
    state.PauseTiming();
    RemoveLaunchButton(panel, kButtons);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddButton)->Unit(benchmark::kMillisecond);

void BM_RenameButton(benchmark::State& state) {
  Fixture& f = GetFixture();
  GroupPanel panel = f.web;
  int n = 0;
  for (auto _ : state) {
    ChangeLaunchButton(panel, 500, "renamed" + std::to_string(n++ & 1), "http://renamed.example.cn/");
    SaveOnce(state, f.path, panel);
  }
}
BENCHMARK(BM_RenameButton)->Unit(benchmark::kMillisecond);

void BM_RemoveButton(benchmark::State& state) {
  Fixture& f = GetFixture();
  GroupPanel panel = f.web;
  for (auto _ : state) {
    const BarButton removed = panel.Children[500];
    RemoveLaunchButton(panel, 500);
    SaveOnce(state, f.path, panel);
    state.PauseTiming();
    PutLaunchButton(panel, removed.Hint, removed.FileName);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RemoveButton)->Unit(benchmark::kMillisecond);

}  // namespace
