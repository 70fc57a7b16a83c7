// A group as the bar fills it, for the layout tests: launch buttons named after the group and
// numbered, then its collapse button.
#pragma once
#include <string>

#include "core/bar/group_construction.h"

namespace wendlix::testing_support {

// `title` with `buttons` launch buttons <title>0, <title>1, … (all C:\x.lnk), `length` pixels
// each way; the collapse button's Tag follows the band index `tag`.
inline GroupPanel FilledGroup(const std::string& title, int buttons, int length = 100, int tag = 0) {
  GroupPanel p;
  p.Tag = tag;
  p.Data.Title = title;
  p.Width = length;
  p.Height = length;
  for (int i = 0; i < buttons; ++i) AddGroupButton(p, title + std::to_string(i), false, "C:\\x.lnk");
  AddCollapseButton(p);
  return p;
}

}  // namespace wendlix::testing_support
