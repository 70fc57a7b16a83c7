// Fixed texts of the group and button editor: captions, labels and the messages of its
// checks. Kept in one place so that the dialog and the checks cannot disagree.
#pragma once

namespace wendlix {

inline constexpr char kEditorErrorCaption[] = "错误";
inline constexpr char kEditorNotFoundCaption[] = "文件不存在";

// Caption of the address field in button mode; the dialog tells web from e-mail by it.
inline constexpr char kLabel2Shortcut[] = "执行文件名(&F):";
inline constexpr char kLabel2Web[] = "网址(&Http://):";
inline constexpr char kLabel2Email[] = "电子邮件地址(&M):";

// Blank fields.
inline constexpr char kNameBlankText[] = "请输入一个合适的名称！";
inline constexpr char kTitleBlankText[] = "请为该快捷按钮输入一个合适的名称！";
inline constexpr char kWebAddressBlankText[] = "还没有输入网络地址！";
inline constexpr char kEmailAddressBlankText[] = "还没有输入电子邮件地址！";
inline constexpr char kTargetBlankText[] = "还没有输入目标文件！";

// Missing files and folders; the text follows the quoted path and two line breaks.
inline constexpr char kFileMissingText[] = "所选择的文件不存在！请重新选择一个文件!";
inline constexpr char kFolderMissingText[] = "所选择的路径不存在！请重新选择一个有效的路径!";

// What the group file or the file system cannot hold.
inline constexpr char kControlCharText[] = "中不能含有换行符、制表符等控制字符！";
inline constexpr char kUnencodableText[] = "中含有无法保存的字符";
inline constexpr char kUnencodableHint[] = "请改用简体中文、英文字母或数字。";
inline constexpr char kOuterBlankText[] = "的开头和结尾不能是空格！";
inline constexpr char kKeySyntaxText[] = "中不能含有“=”，也不能以“[”或“;”开头！";
inline constexpr char kReservedTitleText[] = "“Groups”是保留的名称，不能用作工具栏名称！";
inline constexpr char kButtonsSuffixTitleText[] = "工具栏名称不能以“  Buttons”结尾！";
inline constexpr char kFileNameText[] =
    "不能用作文件名：不能含有 \\ / : * ? \" < > | 等字符，也不能是 CON、PRN、AUX、NUL、COM1～COM9、"
    "LPT1～LPT9 等设备名！";
inline constexpr char kNoFolderText[] = "请先在“工具栏属性”页中指定工具栏目录！";

// The field names the messages above begin with.
inline constexpr char kFieldTitle[] = "工具栏名称";
inline constexpr char kFieldName[] = "按钮名称";
inline constexpr char kFieldAddress[] = "地址";
inline constexpr char kFieldFolder[] = "工具栏目录";

// Shortcut files that could not be written or removed on the buttons page.
inline constexpr char kLinkWriteFailedText[] = "无法在工具栏目录中创建快捷方式文件！";
inline constexpr char kLinkDeleteFailedText[] = "无法删除该快捷方式文件，按钮没有改变！";
// Changing a shortcut; each is followed by the quoted path of the file concerned.
inline constexpr char kLinkReplaceFailedText[] = "无法替换该快捷方式文件，按钮没有改变！";
inline constexpr char kLinkMissingText[] = "该快捷方式文件已不存在，按钮没有改变！";
inline constexpr char kNotAShortcutText[] = "只有快捷方式文件（.lnk、.pif、.url）才能修改，按钮没有改变！";

inline constexpr char kDeleteButtonCaption[] = "删除按钮";

}  // namespace wendlix
