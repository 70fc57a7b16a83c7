// Switching the underlined buttons on a bar of 20 shortcut groups of 100 buttons: the bar
// lays its groups out again, against rebuilding every group from its folder and then laying
// out. Target: under 50 ms and at least 5 times faster. Also counts the buttons the switch
// moved (none should move: only the way they are drawn changes).
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/bar/bar_view.h"
#include "core/bar/group_construction.h"
#include "core/profile/ini_file.h"
#include "sample_groups.h"
#include "win/shell/disk_shortcut_folder.h"
#include "wine_clock.h"

using namespace wendlix;
using bench::Measure;

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  constexpr int kGroups = 20, kButtons = 100;
  bench::SampleGroups sample("wendlix_underline_bench", kGroups, kButtons);
  std::vector<GroupPanel>& groups = sample.Groups;
  const IniFile& gpf = sample.Gpf;
  const Size client{90, 740};  // a bar on the right edge, as most users dock it
  bool flat = true;
  ArrangeBar(groups, abeRight, client, flat);

  std::vector<Rect> before;
  for (const GroupPanel& g : groups)
    for (const BarButton& b : g.Children) before.push_back(b.Bounds);
  const bench::Stats toggle = Measure(11, [&] {
    flat = !flat;
    ArrangeBar(groups, abeRight, client, flat);
  });
  int moved = 0, shown = 0;
  std::size_t i = 0;
  for (const GroupPanel& g : groups) {
    for (const BarButton& b : g.Children) {
      moved += i < before.size() && !(before[i++] == b.Bounds);
      shown += b.Visible;
    }
  }
  const bench::Stats rebuild = Measure(11, [&] {
    flat = !flat;
    for (GroupPanel& g : groups) FillByKind(g, gpf, DiskShortcutFolder{});
    ArrangeBar(groups, abeRight, client, flat);
  });

  std::printf("underline switch, %d groups x %d buttons (%d shown):\n", kGroups, kButtons, shown);
  std::printf("  lay out again:          best %8.2f ms  median %8.2f ms  (%d buttons moved)\n", toggle.best,
              toggle.median, moved);
  std::printf("  rebuild every group:    best %8.2f ms  median %8.2f ms  (%.1fx)\n", rebuild.best,
              rebuild.median, rebuild.median / (toggle.median > 0 ? toggle.median : 1));

  CoUninitialize();
  return moved == 0 ? 0 : 1;
}
