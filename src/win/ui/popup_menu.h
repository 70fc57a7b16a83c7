// The bar's popup menu control: an owner-drawn menu built from a MenuModel, with a
// vertical title strip down the left of the top-level menu, 16x16 images, check marks,
// disabled items, in 宋体 9 pt; and sub-menus filled when first opened.
//
// Boundary for the window that owns a menu:
//   PopupMenu menu(model, imageList);              // model and image list outlive it
//   menu.SetFillHandler([](MenuItem& sub) {...});  // fills FillOnOpen sub-menus (optional)
//   const MenuItem* chosen = menu.Popup(ownerHwnd, screenPoint);  // nullptr: nothing chosen
// and in the owner's window procedure, before anything else:
//   LRESULT r; if (menu.HandleMenuMessage(msg, wp, lp, r)) return r;
// for WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR (other messages, and
// those about other menus, answer false). Several controls may share one owner: offer the
// message to each. Popup runs the menu's modal loop; the model must not be changed while
// it runs, except by the fill handler, which changes only the sub-menu it is given.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/ui/menu_model.h"
#include "win/common/unique_handle.h"

namespace wendlix {

class PopupMenu {
 public:
  using FillHandler = std::function<void(MenuItem& subMenu)>;

  // The title's colour on the strip the current look paints (white unless high contrast
  // draws the strip in the selection colour).
  static COLORREF StripTitleColor();

  explicit PopupMenu(MenuModel& model, HIMAGELIST images = nullptr);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  MenuModel& Model() { return model_; }
  void SetImages(HIMAGELIST images) { images_ = images; }
  void SetFillHandler(FillHandler handler) { fill_ = std::move(handler); }

  // Builds the menu, shows it at `screenPt` (TPM_ alignment flags in `align`) and returns
  // the chosen item of the model, or nullptr when the menu was dismissed.
  const MenuItem* Popup(HWND owner, POINT screenPt, UINT align = TPM_LEFTALIGN | TPM_TOPALIGN);

  // Also sees the look's change notice, which it answers false to after repainting an open menu.
  bool HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // Builds the menu from the model as it stands now (numbering its items afresh) and keeps
  // it until the next build (none while the menu is open: Popup from inside Popup answers
  // nullptr). Popup calls it; tests look at what it made.
  HMENU Build();
  HMENU Handle() const { return menu_.get(); }
  // True while the menu is open: its model must not be prepared anew under it.
  bool Tracking() const { return tracking_; }
  // Width of the title strip in pixels at the screen's resolution (0 without a title).
  int TitleStripWidth() const;

 private:
  struct Entry;

  void AppendItems(HMENU menu, std::vector<MenuItem>& items, bool topLevel);
  void ClearMenu(HMENU menu);
  void Layout(HMENU menu);
  bool OnInitMenuPopup(HMENU menu);
  bool OnMeasureItem(MEASUREITEMSTRUCT& mis);
  bool OnDrawItem(const DRAWITEMSTRUCT& dis);
  bool OnMenuChar(wchar_t ch, HMENU menu, LRESULT& result);
  void OnThemeChanged();
  Entry* FindEntry(ULONG_PTR data) const;
  void DrawTitleStrip(HDC dc, const RECT& itemRect, const Entry& e);
  void DrawCheck(HDC dc, const RECT& box, const Entry& e, COLORREF color) const;
  HFONT Font();
  int Scale(int px) const;

  MenuModel& model_;
  HIMAGELIST images_;
  FillHandler fill_;
  unique_hmenu menu_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::map<HMENU, MenuItem*> subMenus_;          // sub-menu handle -> its item
  std::map<HMENU, std::vector<Entry*>> byMenu_;  // each built menu's entries by position
  unique_hfont font_;
  unique_hfont titleFont_;
  unique_hbitmap strip_;  // the whole title strip, painted once per build
  int stripHeight_ = 0;
  int dpi_ = 96;
  bool tracking_ = false;
  HWND owner_ = nullptr;  // while the menu is open
};

}  // namespace wendlix
