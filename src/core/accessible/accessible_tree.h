// What a screen reader is told about a painted window: its parts as plain data, in the order
// the keyboard visits them. The Win32 layer serves them as IAccessible children
// (win/ui/accessible_list.h); each window only says which parts it has.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/geometry.h"

namespace wendlix {

// The roles the bar's windows use (each maps onto one ROLE_SYSTEM_ value).
enum class AccessibleRole : std::uint8_t {
  kToolBar,
  kGrouping,
  kPushButton,
  kButtonMenu,  // opens a menu
  kList,
  kListItem,
  kStaticText,
  kEditableText,
  kDialog,
};

// States as bits; the Win32 layer maps each onto its STATE_SYSTEM_ value.
enum AccessibleState : std::uint32_t {
  kAccFocused = 1u << 0,
  kAccFocusable = 1u << 1,
  kAccHot = 1u << 2,
  kAccPressed = 1u << 3,
  kAccUnavailable = 1u << 4,
  kAccOffscreen = 1u << 5,
  kAccSelected = 1u << 6,
  kAccSelectable = 1u << 7,
  kAccDefault = 1u << 8,  // the default button
  kAccHasPopup = 1u << 9,
  kAccReadOnly = 1u << 10,
};

// Default actions as a reader speaks them.
inline constexpr char kAccActionStart[] = "启动";
inline constexpr char kAccActionOpen[] = "打开";
inline constexpr char kAccActionPress[] = "按下";

struct AccessibleItem {
  AccessibleRole Role = AccessibleRole::kPushButton;
  std::string Name;
  std::string Description;
  std::string Value;  // an edit's text
  std::string DefaultAction;
  std::string Shortcut;
  std::uint32_t State = 0;
  Rect Bounds;      // client coordinates; empty when it has no place on screen
  int Parent = -1;  // index of the item it belongs to; -1 for the window itself
  bool operator==(const AccessibleItem&) const = default;
};

// The window itself and its parts. An item's index + 1 is its child id.
struct AccessibleTree {
  AccessibleItem Self;
  std::vector<AccessibleItem> Items;
};

}  // namespace wendlix
