// Texts of the help command and of the shutdown lock.
#pragma once
#include <string>

namespace wendlix {

// The help file shipped beside the exe.
inline constexpr char kHelpFileName[] = "Wendlix.htm";
inline constexpr char kHelpCaption[] = "帮助";

inline std::string HelpMissingText(const std::string& path) { return "找不到帮助文件：" + path; }
inline std::string HelpOpenFailedText(const std::string& path) { return "无法打开帮助文件：" + path; }

// A close refused while shutdown is locked says how to unlock it.
inline constexpr char kCloseLockedCaption[] = "Wendlix";
inline constexpr char kCloseLockedText[] =
    "已禁止关闭系统，Wendlix 不能退出。\r请在系统菜单（右击标题条）中选择“允许关闭系统(D)”后再关闭。";

// Shown by Windows beside the bar while shutdown is locked.
inline constexpr char kShutdownLockedReason[] =
    "Wendlix 已禁止关闭系统：请在它的系统菜单中选择“允许关闭系统”。";

}  // namespace wendlix
