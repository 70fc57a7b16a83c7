// A stand-in bar docked at one edge that opens the find box with the first character typed on it:
//   wendlix_find_demo left|top|right|bottom [DPI [EXTRA]]
// DPI 0 is the bar's monitor's; EXTRA adds that many buttons "Tool 1", "Tool 2", ... to a group 更多.
// It prints "launch ID" and "closed launched|cancelled|deactivated" as the box tells it, and ends
// after the box closes. Its window (class WendlixFindDemoBar) answers the driver's query "findbox"
// with the box's description. Exit 255: bad usage.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "win/appbar/monitors.h"
#include "win/inspect/bar_query.h"
#include "win/common/wide.h"
#include "win/find/find_box.h"

using namespace wendlix;

namespace {

constexpr wchar_t kBarClass[] = L"WendlixFindDemoBar";

struct Sample {
  const char* name;
  const char* group;
  const wchar_t* file;  // asked of the shell for its icon by its kind only
  DWORD attributes;
};

// Ids are the positions from 1.
constexpr Sample kSamples[] = {
    {"计算器", "工具", L"calc.exe", FILE_ATTRIBUTE_NORMAL},
    {"记事本", "工具", L"notes.txt", FILE_ATTRIBUTE_NORMAL},
    {"画图", "工具", L"paint.bmp", FILE_ATTRIBUTE_NORMAL},
    {"命令提示符", "工具", L"cmd.exe", FILE_ATTRIBUTE_NORMAL},
    {"微信", "通讯", L"chat.exe", FILE_ATTRIBUTE_NORMAL},
    {"QQ", "通讯", L"qq.exe", FILE_ATTRIBUTE_NORMAL},
    {"QQ音乐", "娱乐", L"music.mp3", FILE_ATTRIBUTE_NORMAL},
    {"音乐播放器", "娱乐", L"player.mp3", FILE_ATTRIBUTE_NORMAL},
    {"视频播放器", "娱乐", L"video.avi", FILE_ATTRIBUTE_NORMAL},
    {"重庆地图", "网站", L"map.html", FILE_ATTRIBUTE_NORMAL},
    {"新闻", "网站", L"news.html", FILE_ATTRIBUTE_NORMAL},
    {"我的文档", "文件夹", L"docs", FILE_ATTRIBUTE_DIRECTORY},
    {"下载", "文件夹", L"downloads", FILE_ATTRIBUTE_DIRECTORY},
    {"项目资料", "文件夹", L"projects", FILE_ATTRIBUTE_DIRECTORY},
    {"计划任务", "工具", L"tasks.exe", FILE_ATTRIBUTE_NORMAL},
    {"截图工具", "工具", L"shot.exe", FILE_ATTRIBUTE_NORMAL},
    {"Quick Notes", "工具", L"quick.txt", FILE_ATTRIBUTE_NORMAL},
};

TAppToolBarEdge edge = abeLeft;
int dpi = 0;
int extra = 0;
Rect barRect;
std::unique_ptr<FindBox> box;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

FindBoxRequest MakeRequest(HWND bar) {
  FindBoxRequest request;
  request.Owner = bar;
  request.Bar = barRect;
  request.Edge = edge;
  request.Dpi = dpi;
  std::uint32_t order = 0;
  for (const Sample& s : kSamples) {
    SHFILEINFOW info{};
    const auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        s.file, s.attributes, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    request.Entries.push_back({{s.name, s.group, order, 0}, FindBoxIcon{list, list ? info.iIcon : -1}, order + 1});
    ++order;
  }
  for (int i = 1; i <= extra; ++i, ++order)
    request.Entries.push_back({{"Tool " + std::to_string(i), "更多", order, 0}, FindBoxIcon{}, order + 1});
  return request;
}

LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHAR:
      if (wp < 0x20) return 0;
      if (box->IsOpen()) {
        box->Type(std::wstring(1, static_cast<wchar_t>(wp)));
      } else {
        box->Open(MakeRequest(hwnd), std::wstring(1, static_cast<wchar_t>(wp)));
      }
      return 0;
    case WM_COPYDATA: {
      std::string name;
      if (!ReadBarQuery(lp, name)) return FALSE;
      AnswerBarQuery(hwnd, reinterpret_cast<HWND>(wp), name == "findbox" ? box->Describe() : std::string());
      return TRUE;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring edgeName = argc >= 2 ? argv[1] : L"";
  if (edgeName == L"left") edge = abeLeft;
  else if (edgeName == L"top") edge = abeTop;
  else if (edgeName == L"right") edge = abeRight;
  else if (edgeName == L"bottom") edge = abeBottom;
  else {
    std::fputs("usage: wendlix_find_demo left|top|right|bottom [DPI [EXTRA]]\n", stderr);
    return 255;
  }
  if (argc >= 3) dpi = _wtoi(argv[2]);
  if (argc >= 4) extra = _wtoi(argv[3]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const MonitorList monitors = EnumMonitors();
  const Rect work = monitors[PrimaryMonitor(monitors)].work;
  constexpr int kThickness = 60;
  switch (edge) {
    case abeLeft: barRect = {work.left, work.top, work.left + kThickness, work.bottom}; break;
    case abeTop: barRect = {work.left, work.top, work.right, work.top + kThickness}; break;
    case abeRight: barRect = {work.right - kThickness, work.top, work.right, work.bottom}; break;
    default: barRect = {work.left, work.bottom - kThickness, work.right, work.bottom}; break;
  }

  box = std::make_unique<FindBox>(FindBox::Callbacks{
      [](std::uint64_t id) { Say("launch " + std::to_string(id)); },
      [](FindBoxEnd why) {
        Say(why == FindBoxEnd::kLaunched    ? "closed launched"
            : why == FindBoxEnd::kCancelled ? "closed cancelled"
                                            : "closed deactivated");
        PostQuitMessage(0);
      }});

  WNDCLASSW wc{};
  wc.lpfnWndProc = BarProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kBarClass;
  RegisterClassW(&wc);
  HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW, kBarClass, L"bar", WS_POPUP | WS_VISIBLE | WS_BORDER, barRect.left,
                             barRect.top, barRect.Width(), barRect.Height(), nullptr, nullptr, wc.hInstance, nullptr);
  if (!bar) return 3;
  SetForegroundWindow(bar);
  SetFocus(bar);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  box.reset();
  DestroyWindow(bar);
  CoUninitialize();
  return 0;
}
