#include "core/bar/panel_data.h"

namespace wendlix {

const char* GroupKindName(std::uint16_t kind) {
  switch (kind) {
    case gkShortcut: return "快捷方式工具栏";
    case gkWeb: return "网址收藏夹工具栏";
    default: return "邮件地址簿工具栏";
  }
}

}  // namespace wendlix
