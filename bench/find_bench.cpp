// One keystroke of the find box: every button's name matched against the query and the
// matches ranked, over 20 groups x 100 buttons and over 10,000 buttons, beside the plain way
// that reads each name and looks up its readings again at every keystroke. Target: well
// under 1 ms for 2,000 buttons.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/find/find_box_model.h"
#include "core/find/find_catalogue.h"
#include "core/find/find_rank.h"

namespace wendlix {
namespace {

const char* const kWords[] = {
    "计算器",
    "记事本",
    "画图",
    "微信",
    "QQ音乐",
    "网易云音乐",
    "浏览器",
    "文件管理器",
    "控制面板",
    "Visual Studio Code",
    "Adobe Photoshop",
    "Microsoft Office Word",
    "迅雷下载",
    "百度网盘",
    "腾讯会议",
    "钉钉",
    "截图工具",
    "远程桌面连接",
    "命令提示符",
    "任务管理器",
    "重启动",
    "银行助手",
    "长城宽带",
    "Node.js 命令行",
    "Git Bash",
    "设备管理器",
    "磁盘清理",
    "输入法设置",
    "系统信息",
    "Python 3.12",
    "酷狗音乐",
    "爱奇艺",
    "WPS 表格",
    "福昕阅读器",
    "有道词典",
    "搜狗输入法",
    "Everything 搜索",
    "7-Zip 文件管理",
    "Notepad++",
    "ｆｕｌｌ　ｗｉｄｔｈ 工具",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

const char* const kQueries[] = {"j", "jsq", "wangyiyun", "qq音乐", "visual", "xyz"};

std::vector<FindCandidate> MakeButtons(int count) {
  std::vector<FindCandidate> buttons;
  for (int i = 0; i < count; ++i) {
    const std::string group = "分组 " + std::to_string(i / 100);
    buttons.push_back({std::string(kWords[i % kWordCount]) + " " + std::to_string(i / kWordCount), group,
                       static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i % 7)});
  }
  return buttons;
}

void BM_FindKeystroke(benchmark::State& state) {
  const std::vector<FindCandidate> buttons = MakeButtons(static_cast<int>(state.range(0)));
  const FindIndex index = MakeFindIndex(buttons);
  const char* query = kQueries[state.range(1)];
  std::vector<FindHit> hits;
  for (auto _ : state) {
    FindCandidates(index, buttons, query, hits);
    benchmark::DoNotOptimize(hits.data());
  }
  state.SetLabel(std::string(query) + ", " + std::to_string(hits.size()) + " found");
}
BENCHMARK(BM_FindKeystroke)->ArgsProduct({{2000, 10000}, {0, 1, 2, 3, 4, 5}})->Unit(benchmark::kMicrosecond);

// The plain way: no index, each name read and its readings looked up on every keystroke.
void BM_FindKeystrokeWithoutIndex(benchmark::State& state) {
  const std::vector<FindCandidate> buttons = MakeButtons(static_cast<int>(state.range(0)));
  const char* query = kQueries[state.range(1)];
  std::vector<FindHit> hits;
  for (auto _ : state) {
    hits.clear();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      const FindMatch m = MatchFindName(query, buttons[i].Name);
      if (m != FindMatch::kNone) hits.push_back({static_cast<std::uint32_t>(i), m});
    }
    RankFindHits(buttons, hits);
    benchmark::DoNotOptimize(hits.data());
  }
  state.SetLabel(std::string(query) + ", " + std::to_string(hits.size()) + " found");
}
BENCHMARK(BM_FindKeystrokeWithoutIndex)->ArgsProduct({{2000}, {1, 2}})->Unit(benchmark::kMicrosecond);

// Building the index, once per change of the buttons.
void BM_FindIndexBuild(benchmark::State& state) {
  const std::vector<FindCandidate> buttons = MakeButtons(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    FindIndex index = MakeFindIndex(buttons);
    benchmark::DoNotOptimize(index);
  }
}
BENCHMARK(BM_FindIndexBuild)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// What opening the box costs before its first frame: the candidates taken from the bar's groups in
// memory (100 buttons a group) and the box's index built over them. Target: well under a frame
// (16 ms) for 10,000 buttons.
void BM_FindBoxOpen(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<GroupPanel> groups(static_cast<std::size_t>((count + 99) / 100));
  for (int i = 0; i < count; ++i) {
    GroupPanel& g = groups[static_cast<std::size_t>(i / 100)];
    g.Data.Title = "分组 " + std::to_string(i / 100);
    AddGroupButton(g, std::string(kWords[i % kWordCount]) + " " + std::to_string(i / kWordCount), false,
                   "C:\\Tools\\" + std::to_string(i) + ".lnk");
  }
  LaunchCounts counts;
  for (int i = 0; i < count; i += 3) counts.Count("C:\\Tools\\" + std::to_string(i) + ".lnk");
  for (auto _ : state) {
    FindCatalogue catalogue;
    for (std::size_t g = 0; g < groups.size(); ++g) AddFindGroup(groups, g, counts, catalogue);
    FindBoxModel model(std::move(catalogue.Candidates), 12);
    model.Type("j");
    benchmark::DoNotOptimize(model.RowCount());
  }
}
BENCHMARK(BM_FindBoxOpen)->Arg(2000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wendlix
