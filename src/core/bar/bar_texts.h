// Fixed texts of the bar's start-up and shutdown.
#pragma once
#include <string>
#include <string_view>

#include "wendlix/version.h"

namespace wendlix {

// The application's title (the hidden owner window of the bar).
inline constexpr char kApplicationTitle[] = "Wendlix V " WENDLIX_VERSION_TEXT;
// The main window's caption, by which tools find the bar. The "2.0" here, in the hint below and
// the "2.08" of the desktop icon are part of fixed names, not the program's version: they stay
// when VERSION changes.
inline constexpr char kMainFormCaption[] = "Wendlix V2.0";

// The hint of the title strip's button.
inline constexpr char kBtnTitleHint[] =
    "Wendlix 2.0\r\n"
    "----------------------------\r\n"
    "Windows 快速启动工具栏 · Wendlix 项目组";

inline constexpr char kDesktopIconCaption[] = "Wendlix 2.08";
inline constexpr char kDesktopIconInfoTip[] =
    "点击此图标将会启动 Wendlix 2.08\rWindows 下一个方便快捷的程序快速启动工具栏";

// Shown when the settings could not be saved on closing from the bar's own menu.
inline std::string SaveFailedText(std::string_view path) {
  return "无法保存设置文件:\r\n" + std::string(path) + "\r\n\r\n请检查该文件夹是否存在并且可以写入。";
}
inline constexpr char kSaveFailedCaption[] = "保存设置失败";

}  // namespace wendlix
