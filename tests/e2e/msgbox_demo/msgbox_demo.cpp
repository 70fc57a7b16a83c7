// Shows one message box and ends with its answer as the exit code (also printed as "result=N"):
//   wendlix_msgbox_demo warning|error|info|confirm [TEXT [CAPTION]]
// Without TEXT a sample text is shown; without CAPTION the kind's usual caption. Exit 255: bad usage.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "win/common/wide.h"
#include "win/ui/p_messages.h"

using namespace wendlix;

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: wendlix_msgbox_demo warning|error|info|confirm [TEXT [CAPTION]]\n", stderr);
    return 255;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring kind = argv[1];
  const bool hasText = argc >= 3;
  const bool hasCaption = argc >= 4;
  const std::string caption = hasCaption ? FromWide(argv[3]) : std::string();
  int result = 255;
  if (kind == L"warning") {
    ShowWarningBox(hasText ? FromWide(argv[2]) : "快捷方式“记事本”的目标已不存在。", hasCaption ? caption : "警告");
    result = 1;
  } else if (kind == L"error") {
    ShowErrorBox(hasText ? FromWide(argv[2]) : "无法写入分组文件，请检查磁盘是否已满。", hasCaption ? caption : "错误");
    result = 1;
  } else if (kind == L"info") {
    ShowInfoBox(hasText ? FromWide(argv[2]) : "分组已导出到 D:\\备份\\常用工具.GLF。", hasCaption ? caption : "提示");
    result = 1;
  } else if (kind == L"confirm") {
    result = ConfirmBox(hasText ? FromWide(argv[2]) : "快捷方式“记事本.lnk”已经存在，要替换它吗？",
                        hasCaption ? caption : "确认");
  } else {
    std::fputs("wendlix_msgbox_demo: unknown kind\n", stderr);
  }
  std::printf("result=%d\n", result);
  std::fflush(stdout);
  CoUninitialize();
  return result;
}
