// The About window: the About picture dissolves in out of a snapshot of the desktop that
// lay behind it, and fades back into that snapshot when the window closes. The window
// frees itself when it goes: closed, or with its owner.
#pragma once
#include <windows.h>

#include <functional>

#include "core/paint/pixel_buffer.h"

namespace wendlix {

// What a test or measurement build wants to see of the About window's run.
class AboutObserver {
 public:
  virtual ~AboutObserver() = default;
  virtual void Snapshot(const PixelBuffer& /*screen*/) {}
  // After the opening dissolve (closing false) and the closing blend (closing true).
  virtual void TransitionDone(bool /*closing*/, int /*repaints*/) {}
};

// What the help link does, given the About window (the owner of any box it shows). The bar
// passes its help command, which holds the bar while a box is up.
using AboutHelp = std::function<void(HWND about)>;

// Shows the About window centred on the screen, or brings the open one forward. The
// picture is the exe's ABOUTPICTURE bitmap unless `picture` is given (copied). Returns
// the window, or nullptr when it could not be made.
HWND ShowAboutWindow(HWND owner, AboutHelp help, AboutObserver* observer = nullptr,
                     HBITMAP picture = nullptr);

}  // namespace wendlix
