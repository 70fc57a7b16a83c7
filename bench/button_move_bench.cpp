// A launch button dragged from the last of 1,000 places to the first, three ways side by side:
// the bar's move (the group holds each button on its own, so only pointers shift), the same
// shift done on buttons held by value in one array (each button in between moved once), and
// the step-by-step copy that finds each neighbour by scanning for its Tag. The target is under
// 10 µs per move.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/bar/button_move.h"
#include "core/bar/group_construction.h"

namespace wendlix {
namespace {

GroupPanel ThousandButtons() {
  GroupPanel panel;
  panel.Data.Title = "Tools";
  for (int b = 0; b < 1000; ++b) {
    AddGroupButton(panel, "程序 " + std::to_string(b), false,
                   "D:\\Tools\\程序 " + std::to_string(b) + ".lnk");
  }
  AddCollapseButton(panel);
  return panel;
}

// The last child whose Tag is `tag`, scanning them all as a lookup by Tag does.
BarButton* ByTag(GroupPanel& panel, int tag) {
  BarButton* found = nullptr;
  for (BarButton& b : panel.Children) {
    if (!b.IsCollapse() && b.Tag == tag) found = &b;
  }
  return found;
}

// Caption, file, name and glyph walk one place at a time from `s` to `d`.
void StepByStepMove(GroupPanel& panel, int s, int d) {
  BarButton* dragged = ByTag(panel, s);
  if (!dragged) return;
  const BarButton kept = *dragged;
  const int step = d < s ? -1 : 1;
  while (s != d) {
    BarButton* n = ByTag(panel, s + step);
    BarButton* m = ByTag(panel, s);
    if (!n || !m) return;
    m->Caption = n->Caption;
    m->FileName = n->FileName;
    m->Hint = n->Hint;
    m->Glyph = n->Glyph;
    s += step;
  }
  BarButton* target = ByTag(panel, d);
  target->Caption = kept.Caption;
  target->FileName = kept.FileName;
  target->Hint = kept.Hint;
  target->Glyph = kept.Glyph;
}

void BM_MoveWholeButton999To0(benchmark::State& state) {
  GroupPanel panel = ThousandButtons();
  for (auto _ : state) {
    const bool moved = MoveLaunchButton(panel, 999, 0);
    benchmark::DoNotOptimize(moved);
  }
}
BENCHMARK(BM_MoveWholeButton999To0)->Unit(benchmark::kMicrosecond);

void BM_MoveButtonsHeldByValue999To0(benchmark::State& state) {
  const GroupPanel panel = ThousandButtons();
  std::vector<BarButton> buttons(panel.Children.begin(), panel.Children.end());
  for (auto _ : state) {
    BarButton moved = std::move(buttons[999]);
    std::move_backward(buttons.begin(), buttons.begin() + 999, buttons.begin() + 1000);
    buttons[0] = std::move(moved);
    benchmark::DoNotOptimize(buttons.data());
  }
}
BENCHMARK(BM_MoveButtonsHeldByValue999To0)->Unit(benchmark::kMicrosecond);

void BM_StepByStepByTag999To0(benchmark::State& state) {
  GroupPanel panel = ThousandButtons();
  for (auto _ : state) {
    StepByStepMove(panel, 999, 0);
    benchmark::DoNotOptimize(&panel.Children.front());
  }
}
BENCHMARK(BM_StepByStepByTag999To0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wendlix
