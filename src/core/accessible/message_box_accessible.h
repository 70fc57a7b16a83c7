// The bar's message box for a screen reader: a dialog named by its caption (painted, not a title
// bar), its text, then its buttons, named without the access key's mark, the key their shortcut,
// the default one known.
#pragma once
#include <string>
#include <vector>

#include "core/accessible/accessible_tree.h"

namespace wendlix {

struct MessageBoxButtonPart {
  std::string Caption;  // with the & of its access key
  Rect Bounds;
  bool Default = false;
  bool Focused = false;
};

// Items: the text, then the buttons in order (button `i` is item 1 + i).
AccessibleTree MessageBoxAccessibleTree(const std::string& caption, const std::string& text, Rect textBounds,
                                        const std::vector<MessageBoxButtonPart>& buttons, Size client);

}  // namespace wendlix
