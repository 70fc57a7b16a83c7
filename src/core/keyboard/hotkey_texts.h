// Texts of the global hotkey: its dialog and the message when it cannot be had.
#pragma once
#include <string>
#include <string_view>

namespace wendlix {

inline constexpr char kHotKeyCaption[] = "热键";
inline constexpr char kHotKeyPrompt[] =
    "显示快捷工具栏并使用键盘操作的热键，例如 Win+Alt+W 或 Ctrl+Shift+F12。留空表示不使用热键。";
inline constexpr char kHotKeyOk[] = "确定";
inline constexpr char kHotKeyCancel[] = "取消";

inline std::string HotKeyInvalidText(std::string_view text) {
  return "“" + std::string(text) +
         "”不是可用的热键。\r\n\r\n请写成 Ctrl、Alt、Win、Shift 与一个键的组合，例如 Win+Alt+W；"
         "字母、数字等键至少要配 Ctrl、Alt 或 Win。";
}

inline std::string HotKeyTakenText(std::string_view text) {
  return "热键 " + std::string(text) +
         " 已被其他程序占用，快捷工具栏暂不使用热键。\r\n\r\n"
         "可在“设置工具栏属性”菜单的“热键”中另选一个。";
}

}  // namespace wendlix
