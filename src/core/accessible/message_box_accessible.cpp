#include "core/accessible/message_box_accessible.h"

#include <cctype>

namespace wendlix {
namespace {

// "确认(&O)" is named 确认 with the shortcut Alt+O; "&Yes" Yes with Alt+Y.
void NameAndShortcut(const std::string& caption, AccessibleItem& item) {
  const std::size_t amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size()) {
    item.Name = caption;
    return;
  }
  item.Shortcut =
      std::string("Alt+") + static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
  const bool bracketed = amp > 0 && caption[amp - 1] == '(' && caption.compare(amp + 2, 1, ")") == 0;
  item.Name = bracketed ? caption.substr(0, amp - 1) + caption.substr(amp + 3)
                        : caption.substr(0, amp) + caption.substr(amp + 1);
}

}  // namespace

AccessibleTree MessageBoxAccessibleTree(const std::string& caption, const std::string& text, Rect textBounds,
                                        const std::vector<MessageBoxButtonPart>& buttons, Size client) {
  AccessibleTree tree;
  tree.Self.Role = AccessibleRole::kDialog;
  tree.Self.Name = caption;
  tree.Self.Description = text;
  tree.Self.Bounds = MakeRect(0, 0, client.cx, client.cy);
  AccessibleItem body;
  body.Role = AccessibleRole::kStaticText;
  body.Name = text;
  body.State = kAccReadOnly;
  body.Bounds = textBounds;
  tree.Items.push_back(std::move(body));
  for (const MessageBoxButtonPart& b : buttons) {
    AccessibleItem item;
    item.Role = AccessibleRole::kPushButton;
    NameAndShortcut(b.Caption, item);
    item.DefaultAction = kAccActionPress;
    item.State = kAccFocusable | (b.Default ? kAccDefault : 0u) | (b.Focused ? kAccFocused : 0u);
    item.Bounds = b.Bounds;
    tree.Items.push_back(std::move(item));
  }
  return tree;
}

}  // namespace wendlix
