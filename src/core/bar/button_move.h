// A launch button dragged onto another one of its group takes that place; the buttons in
// between shift one place towards where it came from.
#pragma once
#include "core/bar/group_construction.h"

namespace wendlix {

// Moves child `from` of `panel` to the place of child `to`, both launch buttons. The whole
// button moves (a folder button stays a folder button). False, and nothing changes, when
// either is no launch button or they are the same.
bool MoveLaunchButton(GroupPanel& panel, int from, int to);

}  // namespace wendlix
