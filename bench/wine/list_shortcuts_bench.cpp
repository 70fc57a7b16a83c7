// Listing a folder of 2,000 shortcuts with their system icon indices, as filling a
// shortcut group does: one enumeration of the folder against the plain five pattern
// scans, and the icon look-ups. Prints milliseconds (best and median of the runs; the full icon pass runs
// once).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/shell/shortcut_data.h"
#include "win/common/wide.h"
#include "win/shell/shell_folders.h"
#include "win/shell/shell_links.h"
#include "wine_clock.h"

namespace {

using namespace wendlix;
using bench::Measure;
using bench::NowMs;
using bench::Stats;

// The listing read literally: one FindFirstFile scan per pattern.
std::vector<std::string> PlainPatternScans(const std::string& dir) {
  std::vector<std::string> names;
  for (const wchar_t* pattern : {L"*.SCF", L"*.LNK", L"*.PIF", L"*.URL"}) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((ToWide(dir) + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if ((data.dwFileAttributes & 0x31) && !(data.dwFileAttributes & 0x0E))
        names.push_back(FromWide(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return names;
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  constexpr int kLinks = 2000;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string dir =
      FromWide(temp) + "wendlix_list_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryW(ToWide(dir).c_str(), nullptr);

  // Two real links, copied: writing each through the shell link object is slow under Wine.
  const double createStart = NowMs();
  for (int i = 0; i < 2; ++i) {
    TShortCutData data;
    data.Target = i ? "C:\\windows\\notepad.exe" : "C:\\windows\\system32\\cmd.exe";
    data.LinkFile = dir + "程序 " + std::to_string(i) + ".lnk";
    CreateShortcut(data);
  }
  for (int i = 2; i < kLinks; ++i)
    CopyFileW(ToWide(dir + "程序 " + std::to_string(i % 2) + ".lnk").c_str(),
              ToWide(dir + "程序 " + std::to_string(i) + ".lnk").c_str(), FALSE);
  const double createMs = NowMs() - createStart;

  // One icon look-up in the full folder and in a folder of one link: does a look-up
  // cost more as the folder grows?
  const std::string small = dir + "small\\";
  CreateDirectoryW(ToWide(small).c_str(), nullptr);
  CopyFileW(ToWide(dir + "程序 0.lnk").c_str(), ToWide(small + "one.lnk").c_str(), FALSE);
  const Stats iconInFull = Measure(21, [&] { GetSysIconIndex(dir + "程序 0.lnk"); });
  const Stats iconInSmall = Measure(21, [&] { GetSysIconIndex(small + "one.lnk"); });
  DeleteFileW(ToWide(small + "one.lnk").c_str());
  RemoveDirectoryW(ToWide(small).c_str());

  std::size_t listed = 0;
  const Stats oneScan = Measure(9, [&] { listed = ListShortcutFiles(dir, true, true).size(); });
  const Stats plainScans = Measure(9, [&] { PlainPatternScans(dir); });
  const std::vector<std::string> names = ListShortcutFiles(dir, true, true);
  int missingIcons = 0;
  const Stats withIcons = Measure(1, [&] {
    missingIcons = 0;
    for (const std::string& name : ListShortcutFiles(dir, true, true))
      if (GetSysIconIndex(dir + name) < 0) ++missingIcons;
  });

  std::printf("shortcuts written: %d in %.0f ms\n", kLinks, createMs);
  std::printf("one icon index, folder of %d:  best %8.2f ms  median %8.2f ms\n", kLinks, iconInFull.best,
              iconInFull.median);
  std::printf("one icon index, folder of 1:     best %8.2f ms  median %8.2f ms\n", iconInSmall.best,
              iconInSmall.median);
  std::printf("listing (one enumeration):    best %8.2f ms  median %8.2f ms  (%zu names)\n", oneScan.best,
              oneScan.median, listed);
  std::printf("listing (five pattern scans): best %8.2f ms  median %8.2f ms\n", plainScans.best,
              plainScans.median);
  std::printf("listing + icon indices:       best %8.2f ms  median %8.2f ms  (%d without icon)\n",
              withIcons.best, withIcons.median, missingIcons);

  for (const std::string& name : names) DeleteFileW(ToWide(dir + name).c_str());
  RemoveDirectoryW(ToWide(dir).c_str());
  CoUninitialize();
  return listed == static_cast<std::size_t>(kLinks) ? 0 : 1;
}
