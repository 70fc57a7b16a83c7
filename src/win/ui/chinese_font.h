// Fonts the system names (message font, icon-title font) made able to show the bar's Chinese.
#pragma once
#include <windows.h>

namespace wendlix {

// `lf` as it stands when its face covers code page 936; otherwise 宋体 of the same size, as a
// face without it (Wine's Tahoma, whose links name font files that are not there) draws boxes.
// The caller owns the font; null when none could be made.
HFONT CreateChineseCapableFont(LOGFONTW lf);

}  // namespace wendlix
