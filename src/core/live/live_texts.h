// Texts of the live group folders.
#pragma once

namespace wendlix {

inline constexpr char kFolderMissingHint[] = "文件夹不存在，找到后会自动显示:";
inline constexpr char kFolderUnreadableHint[] = "无法读取该文件夹:";
inline constexpr char kFolderUnwatchedHint[] = "网络文件夹不会自动更新，请使用“刷新”:";

}  // namespace wendlix
