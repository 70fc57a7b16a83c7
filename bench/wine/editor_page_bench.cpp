// Showing the editor's buttons page for a shortcut group of 2,000 links: the folder
// listing, the icon look-ups and the list view, up to the painted page. Prints
// milliseconds (the first showing, icons not yet cached, and the best of later ones).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/shell/shortcut_data.h"
#include "win/common/wide.h"
#include "win/editor/new_btn_form.h"
#include "win/shell/shell_links.h"
#include "wine_clock.h"

namespace {

using namespace wendlix;
using bench::NowMs;

double g_pageMs = -1;

HWND FindEditor() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (std::wstring(name) == TNewBtnForm::kClassName && IsWindowVisible(h)) {
          *reinterpret_cast<HWND*>(lp) = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Shows the buttons page once the dialog is up, times it to the end of its painting, and
// closes the dialog.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const HWND form = FindEditor();
  if (!form || g_pageMs >= 0) return;
  const double start = NowMs();
  const HWND tabs = GetDlgItem(form, TNewBtnForm::kPageControl);
  TabCtrl_SetCurSel(tabs, 1);
  NMHDR header{tabs, static_cast<UINT_PTR>(TNewBtnForm::kPageControl), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(form, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  g_pageMs = NowMs() - start;
  PostMessageW(form, WM_CLOSE, 0, 0);
}

// Wendlix.exe, which carries the editor's dialog template: beside this exe's folder in the build.
HMODULE LoadWendlixResources() {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD len = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
  std::wstring path(buffer, len);
  path.resize(path.find_last_of(L'\\') + 1);  // ...\bench\wine\ -> ...\src\win\Wendlix.exe
  path += L"..\\..\\src\\win\\Wendlix.exe";
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  InitCommonControls();
  const HMODULE resources = LoadWendlixResources();
  if (!resources) {
    std::printf("editor_page_bench: cannot open Wendlix.exe for the dialog template\n");
    return 1;
  }
  constexpr int kLinks = 2000;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string dir =
      FromWide(temp) + "wendlix_editor_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryW(ToWide(dir).c_str(), nullptr);

  // Two real links, copied: writing each through the shell link object is slow under Wine.
  for (int i = 0; i < 2; ++i) {
    TShortCutData data;
    data.Target = i ? "C:\\windows\\notepad.exe" : "C:\\windows\\system32\\cmd.exe";
    data.LinkFile = dir + "seed" + std::to_string(i) + ".lnk";
    CreateShortcut(data);
  }
  for (int i = 0; i < kLinks; ++i) {
    const std::string name = dir + "link" + std::to_string(i) + ".lnk";
    CopyFileW(ToWide(dir + "seed" + std::to_string(i % 2) + ".lnk").c_str(), ToWide(name).c_str(), FALSE);
  }
  DeleteFileW(ToWide(dir + "seed0.lnk").c_str());
  DeleteFileW(ToWide(dir + "seed1.lnk").c_str());

  std::vector<double> times;
  for (int run = 0; run < 4; ++run) {
    g_pageMs = -1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &Tick);
    NewBtnFormSetup setup;
    setup.Caption = "工具栏属性";
    setup.Title = "Bench";
    setup.Folder = dir;
    setup.KindEnabled = false;
    setup.Resources = resources;
    ShowNewBtnForm(nullptr, setup);
    KillTimer(nullptr, timer);
    times.push_back(g_pageMs);
  }
  std::printf("buttons page of %d shortcuts: first %.1f ms, best later %.1f ms\n", kLinks, times.front(),
              *std::min_element(times.begin() + 1, times.end()));

  for (int i = 0; i < kLinks; ++i) DeleteFileW(ToWide(dir + "link" + std::to_string(i) + ".lnk").c_str());
  RemoveDirectoryW(ToWide(dir).c_str());
  return 0;
}
