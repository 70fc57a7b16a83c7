// Laying out a whole bar of 20 groups x 100 buttons (title strip, bands, every button, PanelBtn),
// as a move to another edge does; the target is well under 1 ms per full layout.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/bar/bar_view.h"

namespace wendlix {
namespace {

std::vector<GroupPanel> BigBar() {
  std::vector<GroupPanel> groups(20);
  for (int g = 0; g < 20; ++g) {
    GroupPanel& p = groups[g];
    p.Tag = g;
    p.Data.Title = "Group " + std::to_string(g);
    p.Data.ShowCaption = g % 2 == 0;
    p.Data.SmallIcon = g % 3 == 0;
    p.Data.DrawStyle = static_cast<std::uint8_t>(g % 3 == 1 ? 1 : 0);
    p.Height = 400;
    for (int b = 0; b < 100; ++b) AddGroupButton(p, "Button " + std::to_string(b), false, "C:\\x.lnk");
    AddCollapseButton(p);
  }
  return groups;
}

void BM_WholeBarLayout(benchmark::State& state) {
  std::vector<GroupPanel> groups = BigBar();
  const auto edge = static_cast<TAppToolBarEdge>(state.range(0));
  const Size client = IsVerticalEdge(edge) ? Size{86, 8000} : Size{1600, 86};
  for (auto _ : state) {
    BarView view = ArrangeBar(groups, edge, client, true);
    benchmark::DoNotOptimize(view);
  }
  state.SetItemsProcessed(state.iterations() * 20 * 101);
}
BENCHMARK(BM_WholeBarLayout)->Arg(abeLeft)->Arg(abeTop)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wendlix
