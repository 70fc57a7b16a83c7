// Fixed texts of the find box.
#pragma once
#include <string_view>

#include "core/find/find_box_model.h"

namespace wendlix {

// Down the box's title strip, as the bar's menus carry their title.
inline constexpr char kFindBoxTitle[] = "查找按钮";

// What the list says when it shows no row; empty when it shows rows.
constexpr std::string_view FindBoxStatusText(FindBoxStatus status) {
  switch (status) {
    case FindBoxStatus::kNoButtons: return "工具栏上还没有按钮";
    case FindBoxStatus::kEmptyQuery: return "输入按钮的名称或拼音首字母";
    case FindBoxStatus::kNoMatch: return "没有找到匹配的按钮";
    default: return {};
  }
}

}  // namespace wendlix
