#include "win/ui/popup_menu.h"

#include <oleacc.h>

#include <algorithm>

#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/paint/fill_gradient.h"
#include "win/paint/theme_win.h"
#include "win/ui/system_dark_mode.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

namespace {

constexpr int kStripWidth = 21;  // at 96 dpi
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kImageColumn = 22;  // image or check mark, with its margins
constexpr int kTextGap = 6;
constexpr int kArrowRoom = 18;  // the sub-menu arrow the system draws at the right

constexpr std::uint8_t kGradientTopToBottom = 1;

COLORREF Blend(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

}  // namespace

// One built item. It keeps copies of what it draws, so painting never reads the model.
struct PopupMenu::Entry {
  // The item's data points here, and a screen reader's menu proxy looks for the text of an owner-drawn
  // item at the start of it: with the "&" mark, so that it also says the accelerator. First member.
  MSAAMENUINFO accessible{MSAA_MENU_SIG, 0, nullptr};
  std::wstring text;  // with its "&" accelerator marks, for DrawText
  char32_t accelerator = 0;
  int image = -1;
  bool checked = false, enabled = true, radio = false, separator = false, topLevel = false;
  int width = 0, height = 0;
  int offsetY = 0;  // top-level: where the item starts in the menu, for its slice of the strip
};

PopupMenu::PopupMenu(MenuModel& model, HIMAGELIST images) : model_(model), images_(images) {
  dpi_ = SystemDpi();
}

PopupMenu::~PopupMenu() = default;

COLORREF PopupMenu::StripTitleColor() {
  const ThemePalette& palette = CurrentPalette();
  return palette.mode == ThemeMode::kHighContrast ? palette.menu.highlightText : RGB(255, 255, 255);
}

int PopupMenu::Scale(int px) const { return MulDiv(px, dpi_, 96); }

int PopupMenu::TitleStripWidth() const { return model_.Title.empty() ? 0 : Scale(kStripWidth); }

HFONT PopupMenu::Font() {
  if (!font_) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(9, dpi_, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, L"宋体");
    font_.reset(CreateFontIndirectW(&lf));
  }
  return font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HMENU PopupMenu::Build() {
  if (tracking_) return menu_.get();
  byMenu_.clear();
  subMenus_.clear();
  menu_.reset();  // destroys the sub-menus with it
  entries_.clear();
  strip_.reset();
  model_.RenumberCommandIds();
  menu_.reset(CreatePopupMenu());
  if (!menu_) return nullptr;
  AppendItems(menu_.get(), model_.Items, true);
  return menu_.get();
}

void PopupMenu::AppendItems(HMENU menu, std::vector<MenuItem>& items, bool topLevel) {
  std::vector<Entry*>& list = byMenu_[menu];
  WindowDc screen(nullptr);
  HDC dc = screen.get();
  SelectObjectScope selectFont(dc, Font());
  for (MenuItem& item : items) {
    if (!item.Visible) continue;
    auto e = std::make_unique<Entry>();
    e->text = ToWide(item.Caption);
    e->accessible.cchWText = static_cast<DWORD>(e->text.size());
    e->accessible.pszWText = e->text.data();
    e->accelerator = item.Enabled ? AcceleratorOf(item.Caption) : 0;
    e->image = item.ImageIndex;
    e->checked = item.Checked;
    e->enabled = item.Enabled && (item.IsSubMenu() || item.Separator || item.CommandId != 0);
    e->radio = item.RadioItem;
    e->separator = item.Separator;
    e->topLevel = topLevel;
    if (e->separator) {
      e->height = Scale(kSeparatorHeight);
      e->width = Scale(kImageColumn);
    } else {
      RECT text{0, 0, 0, 0};
      DrawTextW(dc, e->text.c_str(), static_cast<int>(e->text.size()), &text, DT_SINGLELINE | DT_CALCRECT);
      e->height = std::max<int>(Scale(kItemHeight), text.bottom + Scale(6));
      e->width = Scale(kImageColumn + kTextGap + kArrowRoom) + text.right;
    }
    if (topLevel) e->width += TitleStripWidth();

    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.fType = MFT_OWNERDRAW | (item.Separator ? MFT_SEPARATOR : 0) | (item.RadioItem ? MFT_RADIOCHECK : 0);
    info.fState = (e->checked ? MFS_CHECKED : 0) | (e->enabled ? 0 : MFS_DISABLED);
    info.wID = item.CommandId;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(e.get());
    unique_hmenu submenu;
    if (item.IsSubMenu() && !item.Separator) {
      submenu.reset(CreatePopupMenu());
      if (submenu) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.get();
      }
    }
    if (!InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info)) continue;
    const HMENU sub = submenu.release();  // destroyed with its menu from now on
    list.push_back(e.get());
    entries_.push_back(std::move(e));
    if (sub) {
      subMenus_[sub] = &item;
      AppendItems(sub, item.Children, false);
    }
  }
  Layout(menu);
}

void PopupMenu::Layout(HMENU menu) {
  int y = 0;
  for (Entry* e : byMenu_[menu]) {
    e->offsetY = y;
    y += e->height;
  }
  if (menu == menu_.get()) {
    stripHeight_ = y;
    strip_.reset();
  }
}

void PopupMenu::ClearMenu(HMENU menu) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      ClearMenu(sub);
      subMenus_.erase(sub);
      byMenu_.erase(sub);
    }
    DeleteMenu(menu, i, MF_BYPOSITION);  // destroys the sub-menu too
  }
  const std::vector<Entry*> gone = std::move(byMenu_[menu]);
  byMenu_[menu].clear();
  std::erase_if(entries_, [&](const std::unique_ptr<Entry>& e) {
    return std::find(gone.begin(), gone.end(), e.get()) != gone.end();
  });
}

const MenuItem* PopupMenu::Popup(HWND owner, POINT pt, UINT align) {
  // A second opening from inside the first would pull the menu out from under it.
  if (tracking_ || !Build()) return nullptr;
  tracking_ = true;
  owner_ = owner;
  // The frame around the drawn items is the system's.
  SetProcessDarkMode(CurrentThemeMode() == ThemeMode::kDark);
  // The owner must be in front, or the menu does not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT flags = align | TPM_RETURNCMD | TPM_RIGHTBUTTON;
  const BOOL id = TrackPopupMenuEx(menu_.get(), flags, pt.x, pt.y, owner, nullptr);
  tracking_ = false;
  owner_ = nullptr;
  PostMessageW(owner, WM_NULL, 0, 0);
  return id > 0 ? model_.FindByCommand(static_cast<std::uint32_t>(id)) : nullptr;
}

bool PopupMenu::HandleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == ThemeChangedMessage()) {
    OnThemeChanged();
    return false;  // the owner and its other menus see it too
  }
  try {
    switch (msg) {
      case WM_INITMENUPOPUP:
        if (!OnInitMenuPopup(reinterpret_cast<HMENU>(wp))) return false;
        result = 0;
        return true;
      case WM_MEASUREITEM:
        if (!lp || !OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return false;
        result = TRUE;
        return true;
      case WM_DRAWITEM:
        if (!lp || !OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return false;
        result = TRUE;
        return true;
      case WM_MENUCHAR:
        return OnMenuChar(static_cast<wchar_t>(LOWORD(wp)), reinterpret_cast<HMENU>(lp), result);
    }
  } catch (...) {
    // A menu must never take the owner's window procedure down with it.
    result = 0;
    return msg != WM_MENUCHAR;
  }
  return false;
}

bool PopupMenu::OnInitMenuPopup(HMENU menu) {
  if (!byMenu_.count(menu)) return false;
  const auto found = subMenus_.find(menu);
  if (found == subMenus_.end()) return true;
  MenuItem& item = *found->second;
  if (!item.FillOnOpen || item.Filled) return true;
  item.Filled = true;
  if (fill_) {
    try {
      fill_(item);
    } catch (...) {
      // A folder that cannot be read shows as empty; the bar carries on.
      ResetFillOnOpen(item);
      item.Filled = true;
    }
  }
  EnsureNotEmpty(item);
  model_.AssignCommandIds();
  ClearMenu(menu);
  AppendItems(menu, item.Children, false);
  return true;
}

namespace {

BOOL CALLBACK RedrawMenuWindow(HWND h, LPARAM) {
  wchar_t name[8] = {};
  if (GetClassNameW(h, name, 8) && lstrcmpW(name, L"#32768") == 0) InvalidateRect(h, nullptr, TRUE);
  return TRUE;
}

}  // namespace

void PopupMenu::OnThemeChanged() {
  strip_.reset();
  if (!tracking_) return;
  // Every open level of the menu is a window of this thread; redrawn, it asks for its items again.
  EnumThreadWindows(GetCurrentThreadId(), RedrawMenuWindow, 0);
}

PopupMenu::Entry* PopupMenu::FindEntry(ULONG_PTR data) const {
  for (const std::unique_ptr<Entry>& e : entries_)
    if (reinterpret_cast<ULONG_PTR>(e.get()) == data) return e.get();
  return nullptr;
}

bool PopupMenu::OnMeasureItem(MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  const Entry* e = FindEntry(mis.itemData);
  if (!e) return false;
  mis.itemWidth = static_cast<UINT>(e->width);
  mis.itemHeight = static_cast<UINT>(e->height);
  return true;
}

void PopupMenu::DrawTitleStrip(HDC dc, const RECT& itemRect, const Entry& e) {
  const int width = TitleStripWidth();
  if (width <= 0 || stripHeight_ <= 0) return;
  if (!strip_) {
    unique_memory_dc memory(CreateCompatibleDC(dc));
    strip_.reset(CreateCompatibleBitmap(dc, width, stripHeight_));
    if (!memory || !strip_) return;
    SelectObjectScope selectBitmap(memory.get(), strip_.get());
    const RECT all{0, 0, width, stripHeight_};
    const MenuPalette& colors = CurrentPalette().menu;
    FillGradient(all, memory.get(), colors.stripTop, kGradientTopToBottom, colors.stripBottom);
    const std::wstring title = ToWide(model_.Title);
    // The title's size suits the strip's width; on a short menu it shrinks to fit its height.
    int fontHeight = std::min(width - Scale(4), MulDiv(11, dpi_, 72));
    for (int attempt = 0; attempt < 2; ++attempt) {
      LOGFONTW lf{};
      lf.lfHeight = -fontHeight;
      lf.lfWeight = FW_BOLD;
      lf.lfEscapement = lf.lfOrientation = 900;  // reads from the bottom up
      lf.lfCharSet = GB2312_CHARSET;
      wcscpy_s(lf.lfFaceName, L"宋体");
      titleFont_.reset(CreateFontIndirectW(&lf));
      SelectObjectScope measureFont(memory.get(), titleFont_.get());
      SIZE extent{};
      GetTextExtentPoint32W(memory.get(), title.c_str(), static_cast<int>(title.size()), &extent);
      const int room = stripHeight_ - Scale(12);
      if (extent.cx <= room || room <= 0) break;
      fontHeight = std::max(6, MulDiv(fontHeight, room, extent.cx));
    }
    SelectObjectScope selectFont(memory.get(), titleFont_.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(memory.get(), &tm);
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), StripTitleColor());
    // Rotated a quarter turn, the cell's top lies to the left and the text runs upward.
    TextOutW(memory.get(), (width - tm.tmHeight) / 2, stripHeight_ - Scale(6), title.c_str(),
             static_cast<int>(title.size()));
  }
  unique_memory_dc memory(CreateCompatibleDC(dc));
  if (!memory) return;
  SelectObjectScope selectBitmap(memory.get(), strip_.get());
  const int height = std::min<int>(itemRect.bottom - itemRect.top, stripHeight_ - e.offsetY);
  if (height > 0) BitBlt(dc, itemRect.left, itemRect.top, width, height, memory.get(), 0, e.offsetY, SRCCOPY);
}

void PopupMenu::DrawCheck(HDC dc, const RECT& box, const Entry& e, COLORREF color) const {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  unique_hbrush brush(CreateSolidBrush(color));
  unique_hpen pen(CreatePen(PS_SOLID, std::max(1, Scale(2)), color));
  SelectObjectScope selectPen(dc, pen.get());
  SelectObjectScope selectBrush(dc, brush.get());
  if (e.radio) {
    const int r = Scale(3);
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
  } else {
    const POINT tick[] = {
        {cx - Scale(4), cy}, {cx - Scale(1), cy + Scale(3)}, {cx + Scale(4), cy - Scale(3)}};
    Polyline(dc, tick, 3);
  }
}

bool PopupMenu::OnDrawItem(const DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU || !byMenu_.count(reinterpret_cast<HMENU>(dis.hwndItem))) return false;
  const Entry* found = FindEntry(dis.itemData);
  if (!found) return false;
  const Entry& e = *found;
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  if (e.topLevel) {
    DrawTitleStrip(dc, r, e);
    r.left += TitleStripWidth();
  }
  const bool selected = (dis.itemState & ODS_SELECTED) && e.enabled && !e.separator;
  const ThemePalette& palette = CurrentPalette();
  const MenuPalette& colors = palette.menu;
  const COLORREF menuColor = colors.background;
  const COLORREF ground = selected ? colors.highlight : menuColor;
  unique_hbrush background(CreateSolidBrush(ground));
  FillRect(dc, &r, background.get());
  // The system draws a sub-menu's arrow after this, from a mask in the DC's text and background
  // colours: left in the system's, it would be a light block on a dark menu.
  SetBkColor(dc, ground);
  if (e.separator) {
    RECT line{r.left + Scale(kImageColumn) / 2, (r.top + r.bottom) / 2 - 1, r.right - Scale(2), r.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return true;
  }
  const COLORREF textColor = !e.enabled ? colors.grayText : selected ? colors.highlightText : colors.text;
  const int boxSize = Scale(kImageColumn) - Scale(2);
  RECT box{r.left + Scale(1), r.top + (r.bottom - r.top - boxSize) / 2, 0, 0};
  box.right = box.left + boxSize;
  box.bottom = box.top + boxSize;
  const bool hasImage = images_ && e.image >= 0 && e.image < ImageList_GetImageCount(images_);
  if (hasImage) {
    int w = 16, h = 16;
    ImageList_GetIconSize(images_, &w, &h);
    const int x = (box.left + box.right - w) / 2, y = (box.top + box.bottom - h) / 2;
    if (e.checked) {
      // A checked item with a picture shows it pressed in, on a lighter ground (high contrast
      // has no blends: the selection colour).
      const bool blend = palette.mode != ThemeMode::kHighContrast;
      unique_hbrush light(CreateSolidBrush(blend ? Blend(menuColor, RGB(255, 255, 255)) : colors.highlight));
      FillRect(dc, &box, light.get());
      RECT edge = box;
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (e.enabled) {
      ImageList_Draw(images_, e.image, dc, x, y, ILD_TRANSPARENT);
    } else {
      // Embossed in grey, as the system shows disabled pictures.
      unique_hicon icon(ImageList_GetIcon(images_, e.image, ILD_NORMAL));
      if (icon)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, w, h,
                   DST_ICON | DSS_DISABLED);
    }
  } else if (e.checked) {
    DrawCheck(dc, box, e, textColor);
  }
  RECT text = r;
  text.left += Scale(kImageColumn + kTextGap);
  text.right -= Scale(kArrowRoom);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor);
  SelectObjectScope selectFont(dc, Font());
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP;
  if (dis.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, e.text.c_str(), static_cast<int>(e.text.size()), &text, format);
  return true;
}

bool PopupMenu::OnMenuChar(wchar_t ch, HMENU menu, LRESULT& result) {
  const auto found = byMenu_.find(menu);
  if (found == byMenu_.end()) return false;
  std::vector<char32_t> accelerators;
  int selected = -1;
  for (std::size_t i = 0; i < found->second.size(); ++i) {
    accelerators.push_back(found->second[i]->accelerator);
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) selected = static_cast<int>(i);
  }
  const MenuCharResult match = MatchMenuChar(accelerators, ch, selected);
  // Some systems (Wine among them) ignore MNC_SELECT and would leave a shared letter without effect:
  // moving the highlight here as well gives the same result on both.
  if (match.Index >= 0 && !match.Execute && owner_)
    HiliteMenuItem(owner_, menu, static_cast<UINT>(match.Index), MF_BYPOSITION | MF_HILITE);
  result = match.Index < 0 ? MAKELRESULT(0, MNC_IGNORE)
                           : MAKELRESULT(match.Index, match.Execute ? MNC_EXECUTE : MNC_SELECT);
  return true;
}

}  // namespace wendlix
