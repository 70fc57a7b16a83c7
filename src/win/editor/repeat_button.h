// A push button that acts while it is held, as a speed button with auto-repeat does: the
// editor's Up and Down move an entry place after place for as long as they are pressed.
#pragma once
#include <windows.h>

namespace wendlix {

// From now on the button tells its parent BN_CLICKED at the press, again after a pause and
// then at a steady rate while it stays pushed (the pointer on it), and not at the release.
// The keyboard (Space) still clicks it once. False when the button could not be changed.
bool MakeRepeatButton(HWND button);

}  // namespace wendlix
