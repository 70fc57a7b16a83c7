// Geometry of the About window: where the centred window appears (the screen snapshot it
// dissolves out of is taken from the same rectangle) and when dragging its picture moves it.
#pragma once
#include <cstdlib>

#include "core/paint/paint_types.h"

namespace wendlix {

constexpr Rect AboutWindowRect(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
  const int left = (screenWidth - pictureWidth) / 2, top = (screenHeight - pictureHeight) / 2;
  return {left, top, left + pictureWidth, top + pictureHeight};
}

// Moving the borderless window by its picture starts once the pointer, with the left
// button still held since a press on the picture, is 10 pixels or more away from the press
// in X or in Y. A pointer merely passing over the picture moves nothing.
class PictureDrag {
 public:
  static constexpr int kThreshold = 10;

  void Press(int x, int y) {
    pressed_ = true;
    x_ = x, y_ = y;
  }
  void Release() { pressed_ = false; }
  // True when the window move should start now; the press is then used up.
  bool Move(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld) pressed_ = false;
    if (!pressed_ || (std::abs(x - x_) < kThreshold && std::abs(y - y_) < kThreshold)) return false;
    pressed_ = false;
    return true;
  }

 private:
  bool pressed_ = false;
  int x_ = 0, y_ = 0;
};

}  // namespace wendlix
