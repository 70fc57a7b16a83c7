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
#include "win/common/wide.h"
#include "win/shell/disk_shortcut_folder.h"
#include "wine_clock.h"

using namespace wendlix;
using bench::Measure;

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  constexpr int kGroups = 20, kButtons = 100;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string root =
      FromWide(temp) + "wendlix_underline_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryW(ToWide(root).c_str(), nullptr);
  const IniFile gpf = IniFile::FromBytes("");
  std::vector<GroupPanel> groups;
  std::vector<std::string> files;
  for (int g = 0; g < kGroups; ++g) {
    const std::string folder = root + "g" + std::to_string(g) + "\\";
    CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    for (int b = 0; b < kButtons; ++b) {
      files.push_back(folder + "site " + std::to_string(b) + ".url");
      const HANDLE h =
          CreateFileW(ToWide(files.back()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(h, "[InternetShortcut]\r\nURL=http://example.cn/\r\n", 43, &written, nullptr);
      CloseHandle(h);
    }
    TPanelData data;
    data.Title = "组" + std::to_string(g);
    data.Directory = folder;
    groups.push_back(CreateGroupPanel(data, g, 120, 600, gpf, DiskShortcutFolder{}));
  }
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

  for (const std::string& f : files) DeleteFileW(ToWide(f).c_str());
  for (int g = 0; g < kGroups; ++g) RemoveDirectoryW(ToWide(root + "g" + std::to_string(g)).c_str());
  RemoveDirectoryW(ToWide(root).c_str());
  CoUninitialize();
  return moved == 0 ? 0 : 1;
}
