// The groups' background controls: each paints its gradient or tiled picture once into a
// buffer, which every paint only copies. A buffer is painted again only when its size or
// its description changed; pictures are read from disk once per file name.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "core/bar/bar_layout.h"
#include "core/paint/background.h"
#include "win/paint/theme_win.h"

namespace wendlix {

class GroupBackgrounds {
 public:
  // Brings group `g`'s background in line with its appearance.
  void Update(int g, const GroupBackground& background);
  // Keeps one background per group, for `count` groups.
  void Resize(int count);
  // Whether group `g` shows a background control.
  bool Shown(int g) const;
  // Copies group `g`'s background, whose origin is at `origin`, clipped to `clip`.
  void Draw(HDC dc, int g, POINT origin, const RECT& clip);
  // The picture of group `g` (empty unless it shows one), for its band.
  const PixelBuffer* Picture(int g) const;
  // Forgets loaded pictures and repaints every buffer, for when files, system colours or the look changed.
  void Reset();
  int PaintCount(int g) const;

 private:
  struct Entry {
    bool shown = false;
    TBackground control{ThemedSystemColor};
  };
  const PixelBuffer& PictureFor(const std::string& path);

  std::vector<Entry> entries_;
  std::map<std::string, PixelBuffer> pictures_;
};

}  // namespace wendlix
