// The keys of a group's settings, shared by the group file and the group exchange files.
#pragma once
#include <string_view>

namespace wendlix::group_keys {

inline constexpr std::string_view kVisible = "Visible";
inline constexpr std::string_view kShowTitle = "ShowTitle";
inline constexpr std::string_view kShowAsButton = "ShowAsButton";
inline constexpr std::string_view kShowCaption = "ShowCaption";
inline constexpr std::string_view kLayoutLeft = "LayoutLeft";
inline constexpr std::string_view kBevelDown = "BevelDown";
inline constexpr std::string_view kSmallIcon = "SmallIcon";
inline constexpr std::string_view kShowTitleIcon = "ShowTitleIcon";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kPanelStyle = "Panel Style";
inline constexpr std::string_view kColor = "Color";
inline constexpr std::string_view kFromColor = "From Color";
inline constexpr std::string_view kToColor = "To Color";
inline constexpr std::string_view kDrawStyle = "Draw style";
inline constexpr std::string_view kFontColor = "FontColor";
inline constexpr std::string_view kFontSize = "FontSize";
inline constexpr std::string_view kDirectory = "Directory";
inline constexpr std::string_view kTitleText = "Title Text";
inline constexpr std::string_view kFontName = "FontName";
inline constexpr std::string_view kPictureFile = "PictureFile";
// A web group following a browser's bookmarks (BookmarkSource); older copies ignore them.
inline constexpr std::string_view kBookmarkBrowser = "BookmarkBrowser";
inline constexpr std::string_view kBookmarkProfile = "BookmarkProfile";
inline constexpr std::string_view kBookmarkFolder = "BookmarkFolder";
inline constexpr std::string_view kBookmarkFolderId = "BookmarkFolderId";

}  // namespace wendlix::group_keys
