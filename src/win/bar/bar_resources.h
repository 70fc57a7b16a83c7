// What the bar draws its buttons with: its own image list and named bitmaps, the shell's
// system image lists (shared, never destroyed here), the icon index of each target, and
// the groups' fonts. Everything is made on first use and kept.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <tuple>

#include "core/bar/panel_data.h"
#include "win/bar/icon_resolver.h"
#include "win/common/unique_handle.h"

namespace wendlix {

class BarResources {
 public:
  explicit BarResources(HINSTANCE instance) : instance_(instance) {}

  HIMAGELIST ImageList1();
  // The shell's list of 32x32 icons when `large`, else of 16x16 ones.
  HIMAGELIST SystemImages(bool large);
  // The system icon index of `path`, asked of the shell once per path; -1 while the
  // answer is on its way (see Icons()).
  int IconIndex(const std::string& path) { return icons_.Lookup(path); }
  IconResolver& Icons() { return icons_; }
  // A named bitmap resource; null when the program has none of that name.
  HBITMAP NamedBitmap(const std::string& name);
  HFONT Font(const GroupFont& font, bool underline = false);
  // The bar's user-interface font, 宋体 9 pt.
  HFONT UiFont();
  HICON ProgramIcon();


 private:
  HINSTANCE instance_;
  bool imageList1Tried_ = false;
  unique_himagelist imageList1_;
  IconResolver icons_;
  std::map<std::string, unique_hbitmap> bitmaps_;
  std::map<std::tuple<std::string, int, bool>, unique_hfont> fonts_;
  unique_hicon programIcon_;
};

}  // namespace wendlix
