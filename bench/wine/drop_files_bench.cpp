// 200 files dropped on a shortcut group that already shows 1,000 links: the links written one
// by one (DropFilesOnGroup) and the group refilled once afterwards, as the bar does it. The
// refills are counted through the folder listings the fill asks for. Prints milliseconds
// (best and median of the runs).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/bar/group_construction.h"
#include "core/profile/ini_file.h"
#include "core/shell/shortcut_data.h"
#include "win/common/wide.h"
#include "win/drops/drop_files.h"
#include "win/shell/disk_shortcut_folder.h"
#include "win/shell/shell_links.h"
#include "wine_clock.h"

namespace {

using namespace wendlix;
using bench::NowMs;

// The disk's listing, counting how often the group's folder is listed (once per fill).
class CountingFolder : public DiskShortcutFolder {
 public:
  std::vector<std::string> List(const std::string& folder) const override {
    ++lists;
    return DiskShortcutFolder::List(folder);
  }
  mutable int lists = 0;
};

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  constexpr int kLinks = 1000, kDropped = 200, kRuns = 3;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string root =
      FromWide(temp) + "wendlix_drop_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
  const std::string group = root + "组\\", source = root + "src\\";
  CreateDirectoryW(ToWide(root).c_str(), nullptr);
  CreateDirectoryW(ToWide(group).c_str(), nullptr);
  CreateDirectoryW(ToWide(source).c_str(), nullptr);

  // One real link, copied: writing each through the shell link object is slow under Wine.
  TShortCutData data;
  data.Target = "C:\\windows\\notepad.exe";
  data.LinkFile = group + "程序 0.lnk";
  CreateShortcut(data);
  for (int i = 1; i < kLinks; ++i)
    CopyFileW(ToWide(data.LinkFile).c_str(), ToWide(group + "程序 " + std::to_string(i) + ".lnk").c_str(),
              FALSE);
  std::vector<std::string> files;
  for (int i = 0; i < kDropped; ++i) {
    files.push_back(source + "文件 " + std::to_string(i) + ".txt");
    const HANDLE f =
        CreateFileW(ToWide(files.back()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
  }

  GroupPanel panel;
  panel.Data.Title = "组";
  panel.Data.PanelStyle = gkShortcut;
  panel.Data.Directory = group.substr(0, group.size() - 1);
  const IniFile gpf(root + "Wendlix.GPF");  // no saved order: the folder's own
  CountingFolder folder;
  FillShortcutGroup(panel, gpf, folder);

  std::vector<double> dropMs, fillMs;
  std::size_t written = 0, shown = 0;
  int fills = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double start = NowMs();
    const DropFilesOutcome outcome = DropFilesOnGroup(panel.Data, files, nullptr);
    const double dropped = NowMs();
    folder.lists = 0;
    FillShortcutGroup(panel, gpf, folder);
    fills = folder.lists;
    fillMs.push_back(NowMs() - dropped);
    dropMs.push_back(dropped - start);
    written = outcome.LinksWritten.size();
    shown = panel.Children.size() - 1;  // less the collapse button
    for (const std::string& link : outcome.LinksWritten) DeleteFileW(ToWide(link).c_str());
  }
  const auto best = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("%d files dropped on a group of %d links: %zu links written, group shows %zu, %d fill(s)\n",
              kDropped, kLinks, written, shown, fills);
  std::printf("links written:  best %8.1f ms  median %8.1f ms\n", best(dropMs), median(dropMs));
  std::printf("one refill:     best %8.1f ms  median %8.1f ms\n", best(fillMs), median(fillMs));

  for (int i = 0; i < kLinks; ++i) DeleteFileW(ToWide(group + "程序 " + std::to_string(i) + ".lnk").c_str());
  for (const std::string& f : files) DeleteFileW(ToWide(f).c_str());
  RemoveDirectoryW(ToWide(group).c_str());
  RemoveDirectoryW(ToWide(source).c_str());
  RemoveDirectoryW(ToWide(root).c_str());
  CoUninitialize();
  return written == static_cast<std::size_t>(kDropped) && fills == 1 ? 0 : 1;
}
