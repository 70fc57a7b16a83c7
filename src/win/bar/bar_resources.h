// What the bar draws its buttons with: its own image list and named bitmaps, the shell's
// system image lists (shared, never destroyed here), the icon index of each target, and
// the groups' fonts. Everything is made on first use and kept.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "core/bar/panel_data.h"
#include "win/bar/icon_resolver.h"
#include "win/common/unique_handle.h"

namespace wendlix {

class BarResources {
 public:
  explicit BarResources(HINSTANCE instance) : instance_(instance) {}

  HIMAGELIST ImageList1();
  // Draws image `index` of ImageList1 at (x, y) from the strip itself, which needs no common controls.
  void DrawImage1(HDC dc, int index, int x, int y);
  // The memory DC the bar's pictures are copied through, made once.
  HDC PictureDc();
  // The shell's list of 32x32 icons when `large`, else of 16x16 ones.
  HIMAGELIST SystemImages(bool large);
  // Draws system icon `index` `size` pixels square: from the shell's list of that size, or
  // shrunk from the next larger one (never blown up from a smaller one while a larger exists).
  void DrawSystemIcon(HDC dc, int index, int x, int y, int size);
  // The DPI fonts and icons are made for; a change drops the ones made before.
  void SetDpi(int dpi);
  // The system icon index of `path`, asked of the shell once per path; -1 while the
  // answer is on its way (see Icons()).
  int IconIndex(const std::string& path) { return icons_.Lookup(path); }
  IconResolver& Icons() { return icons_; }
  // A named bitmap resource; null when the program has none of that name.
  HBITMAP NamedBitmap(const std::string& name);
  HFONT Font(const GroupFont& font, bool underline = false);
  // The bar's user-interface font, 宋体 9 pt.
  HFONT UiFont();
  // The font of the bands' titles: the system's icon-title font at the bar's DPI.
  HFONT TitleFont();
  // The system's fonts were changed: the title font is made again on next use.
  void SystemFontsChanged();
  HICON ProgramIcon(int size = 16);

 private:
  // The shell's list of 256x256 icons when `jumbo`, else of 48x48 ones.
  HIMAGELIST LargerSystemImages(bool jumbo);

  HINSTANCE instance_;
  bool imageList1Tried_ = false;
  unique_himagelist imageList1_;
  IconResolver icons_;
  std::map<std::string, unique_hbitmap> bitmaps_;
  unique_memory_dc pictureDc_;
  std::map<std::tuple<std::string, int, bool>, unique_hfont> fonts_;
  unique_hfont titleFont_;
  std::map<int, unique_hicon> programIcons_;                // by size
  std::map<std::pair<int, int>, unique_hicon> sizedIcons_;  // by system index and size
  int dpi_ = 0;                                             // 0: the screen's
  // The shell's 16-, 32-, 48- and 256-pixel lists: shared, never destroyed. The larger two are asked
  // for once, answered or not.
  std::array<HIMAGELIST, 4> systemLists_{};
  std::array<bool, 2> largerListsAsked_{};
};

}  // namespace wendlix
