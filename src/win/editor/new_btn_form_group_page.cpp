// The group page of the editor: title, kind, folder, background and font, and the parts
// both modes paint (the caption strip, the colour buttons, the previews and large icons).
#include "win/editor/new_btn_form.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>

#include "core/editor/editor_address.h"
#include "core/editor/editor_strip.h"
#include "core/editor/editor_texts.h"
#include "core/text/paths.h"
#include "win/bar/bar_pictures.h"
#include "win/common/wide.h"
#include "win/paint/dib_section.h"
#include "win/paint/fill_gradient.h"
#include "win/paint/picture_file.h"
#include "win/paint/system_colors.h"
#include "win/shell/pidl.h"
#include "win/shell/shell_folders.h"
#include "win/ui/p_messages.h"
#include "win/ui/window_dpi.h"

namespace wendlix {

namespace {

constexpr int kCaptionHeight = 20;

struct NamedColor {
  const char* name;
  COLORREF color;
};
// The picker's palette; "更多颜色 >>" opens the system colour dialog.
constexpr NamedColor kPalette[] = {
    {"白色", RGB(255, 255, 255)}, {"银色", RGB(192, 192, 192)}, {"灰色", RGB(128, 128, 128)},
    {"黑色", RGB(0, 0, 0)},       {"红色", RGB(255, 0, 0)},     {"栗色", RGB(128, 0, 0)},
    {"黄色", RGB(255, 255, 0)},   {"橄榄色", RGB(128, 128, 0)}, {"绿色", RGB(0, 128, 0)},
    {"青色", RGB(0, 128, 128)},   {"蓝色", RGB(0, 0, 255)},     {"海军蓝", RGB(0, 0, 128)},
    {"紫色", RGB(128, 0, 128)},   {"浅灰", RGB(229, 229, 229)},
};
constexpr UINT kMoreColors = 1000;

}  // namespace

void TNewBtnForm::CreateGroupPage() {
  const HWND tabs =
      AddControl(WC_TABCONTROLW, "", WS_VISIBLE | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_FIXEDWIDTH,
                 kPageControl, 84, 22, 423, 278);
  SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(180, 22));
  if (setup_.ImageList1) TabCtrl_SetImageList(tabs, setup_.ImageList1);
  const char* pageCaptions[] = {"工具栏属性", "工具栏按钮(&B)"};
  const int pageImages[] = {4, 12};
  for (int i = 0; i < 2; ++i) {
    std::wstring caption = ToWide(pageCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption.data();
    item.iImage = setup_.ImageList1 ? pageImages[i] : -1;
    TabCtrl_InsertItem(tabs, i, &item);
  }

  const int x0 = 96, y0 = 56;
  auto add = [&](const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h,
                 DWORD ex = 0) {
    const HWND h1 = AddControl(cls, text, style, id, x, y, w, h, ex);
    groupPage_.push_back(h1);
    return h1;
  };
  add(L"STATIC", "名称:", 0, kStatic, x0, y0 + 3, 90, 16);
  add(L"EDIT", setup_.Title, WS_TABSTOP | ES_AUTOHSCROLL, kText3, x0 + 95, y0, 300, 21, WS_EX_CLIENTEDGE);
  add(L"STATIC", "工具栏属性:", 0, kStatic, x0, y0 + 33, 90, 16);
  const HWND combo = add(L"COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, kComboBox1, x0 + 95,
                         y0 + 30, 300, 120);
  for (const char* kind : {"快捷按钮工具栏", "网址收藏夹工具栏", "电子邮件地址工具栏"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(kind).c_str()));
  SendMessageW(combo, CB_SETCURSEL, std::min<WPARAM>(setup_.Kind, gkEmail), 0);
  EnableWindow(combo, setup_.KindEnabled);
  if (!setup_.BookmarkFolders.empty()) {
    // A bookmarks group shows one folder of the browser's bookmarks in place of a folder on disk.
    add(L"STATIC", "书签文件夹:", 0, kStatic, x0, y0 + 63, 92, 16);
    const HWND folders = add(L"COMBOBOX", "", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, kBookmarkFolder,
                             x0 + 95, y0 + 60, 300, 200);
    for (const std::string& f : setup_.BookmarkFolders)
      SendMessageW(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(f).c_str()));
    SendMessageW(folders, CB_SETCURSEL, static_cast<WPARAM>(setup_.BookmarkFolder), 0);
  } else {
    add(L"STATIC", "指定工具栏目录:", 0, kLabel4, x0, y0 + 63, 92, 16);
    add(L"EDIT", setup_.Kind == gkShortcut ? setup_.Folder : std::string(), WS_TABSTOP | ES_AUTOHSCROLL,
        kText4, x0 + 95, y0 + 60, 210, 21, WS_EX_CLIENTEDGE);
    add(L"BUTTON", "选取目录...", WS_TABSTOP, kBtnDir, x0 + 310, y0 + 59, 85, 23);
  }

  add(L"STATIC", "背景设置:", 0, kStatic, x0, y0 + 96, 90, 16);
  // The three styles form one group: Tab stops at the first, the arrows move between them.
  add(L"BUTTON", "单一颜色填充", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kRd1, x0 + 95, y0 + 94, 118, 20);
  add(L"BUTTON", "渐变颜色填充", BS_AUTORADIOBUTTON, kRd2, x0 + 95, y0 + 120, 118, 20);
  add(L"BUTTON", "背景图版填充", BS_AUTORADIOBUTTON, kRd3, x0 + 95, y0 + 146, 118, 20);
  // The colour buttons are owner-drawn: their window texts, never shown, name them for screen readers.
  add(L"BUTTON", "填充颜色", WS_TABSTOP | WS_GROUP | BS_OWNERDRAW, kBtnColor, x0 + 218, y0 + 94, 82, 20);
  add(L"BUTTON", "渐变起始颜色", WS_TABSTOP | BS_OWNERDRAW, kBtnFromColor, x0 + 218, y0 + 120, 40, 20);
  add(L"BUTTON", "渐变结束颜色", WS_TABSTOP | BS_OWNERDRAW, kBtnToColor, x0 + 260, y0 + 120, 40, 20);
  add(L"STATIC", "", SS_OWNERDRAW, kImage2, x0 + 305, y0 + 123, 98, 14);
  add(L"STATIC", "", SS_OWNERDRAW, kImage3, x0 + 218, y0 + 146, 99, 20);
  add(L"BUTTON", "选取图片...", WS_TABSTOP, kRxSpeedButton1, x0 + 320, y0 + 145, 83, 23);

  add(L"STATIC", "图标字体:", 0, kStatic, x0, y0 + 185, 90, 16);
  add(L"STATIC", "中国汉字 VS English", SS_CENTERIMAGE | SS_SUNKEN, kLblFont, x0 + 95, y0 + 180, 210, 26);
  add(L"BUTTON", "选取字体...", WS_TABSTOP, kRxSpeedButton2, x0 + 310, y0 + 181, 85, 23);

  color_ = setup_.Color;
  fromColor_ = setup_.FromColor;
  toColor_ = setup_.ToColor;
  font_ = setup_.Font;
  fileName_ = setup_.PictureFile;
  CheckRadioButton(Handle(), kRd1, kRd3, setup_.DrawStyle == 2 ? kRd3 : setup_.DrawStyle == 1 ? kRd2 : kRd1);
  ApplyFontSample();
  LoadPreviewPicture(false);
}

void TNewBtnForm::ComboBox1Change() {
  const bool folder = Kind() == gkShortcut;
  for (int id : {kText4, kBtnDir, kLabel4}) EnableWindow(Control(id), folder);
}

void TNewBtnForm::SelectStyle(int radio) {
  CheckRadioButton(Handle(), kRd1, kRd3, radio);
  InvalidateRect(Handle(), nullptr, TRUE);
}

std::optional<COLORREF> TNewBtnForm::AskColor(int id, COLORREF current) {
  unique_hmenu menu(CreatePopupMenu());
  for (UINT i = 0; i < std::size(kPalette); ++i)
    AppendMenuW(menu.get(), MF_STRING | (current == kPalette[i].color ? MF_CHECKED : 0), i + 1,
                ToWide(kPalette[i].name).c_str());
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.get(), MF_STRING, kMoreColors, L"更多颜色 >>");
  RECT r{};
  GetWindowRect(Control(id), &r);
  // Left and top aligned under the control, the default.
  const UINT chosen =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, r.left, r.bottom, 0, Handle(), nullptr);
  if (chosen == 0) return std::nullopt;
  if (chosen != kMoreColors) return kPalette[chosen - 1].color;
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = Handle();
  cc.rgbResult = current;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&cc)) return std::nullopt;
  return cc.rgbResult;
}

void TNewBtnForm::PickColor(int id) {
  std::int32_t& target = id == kBtnColor ? color_ : id == kBtnFromColor ? fromColor_ : toColor_;
  const std::optional<COLORREF> color = AskColor(id, ResolveStoredColor(target));
  if (color) target = static_cast<std::int32_t>(*color);
  // A click on the single colour always means single-colour filling; a gradient end means
  // the gradient once it changed.
  if (id == kBtnColor)
    SelectStyle(kRd1);
  else if (color)
    SelectStyle(kRd2);
  if (!color) return;
  InvalidateRect(Control(id), nullptr, TRUE);
  InvalidateRect(Control(kImage2), nullptr, TRUE);
}

void TNewBtnForm::LoadPreviewPicture(bool report) {
  picture_ = PixelBuffer();
  if (fileName_.empty()) return;
  picture_ = LoadPicturePixels(fileName_);
  if (picture_.Width() == 0 && report)
    ShowErrorBox("无法读取图片文件\"" + fileName_ + "\"！", kEditorErrorCaption);
  InvalidateRect(Control(kImage3), nullptr, TRUE);
}

void TNewBtnForm::RxSpeedButton1Click() {
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, ToWide(fileName_).c_str(), MAX_PATH);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = L"图像文件(*,BMP)\0*.BMP\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&ofn)) {
    const std::string previous = fileName_;
    fileName_ = FromWide(file);
    LoadPreviewPicture(true);
    // A picture that cannot be read is not taken: the group keeps the one it had.
    if (picture_.Width() == 0) {
      fileName_ = previous;
      LoadPreviewPicture(false);
    }
  }
  SelectStyle(kRd3);
}

void TNewBtnForm::ApplyFontSample() {
  sampleFont_.reset(CreateFontW(FontHeightForPoints(font_.Size), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, ToWide(font_.Name).c_str()));
  if (const HWND sample = Control(kLblFont)) {
    SendMessageW(sample, WM_SETFONT, reinterpret_cast<WPARAM>(sampleFont_.get()), TRUE);
    InvalidateRect(sample, nullptr, TRUE);
  }
}

void TNewBtnForm::RxSpeedButton2Click() {
  InvalidateRect(Handle(), nullptr, TRUE);
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForPoints(font_.Size);
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, ToWide(font_.Name).c_str(), LF_FACESIZE);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = Handle();
  cf.lpLogFont = &lf;
  cf.rgbColors = ResolveStoredColor(font_.Color);
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontW(&cf)) return;
  font_.Name = FromWide(lf.lfFaceName);
  font_.Size = cf.iPointSize > 0 ? cf.iPointSize / 10 : font_.Size;
  font_.Color = static_cast<std::int32_t>(cf.rgbColors);
  ApplyFontSample();
}

void TNewBtnForm::btnDirClick() {
  InvalidateRect(Handle(), nullptr, TRUE);
  wchar_t path[MAX_PATH] = {};
  const std::wstring title = ToWide("选择工具栏目录:");
  BROWSEINFOW bi{};
  bi.hwndOwner = Handle();
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  const unique_pidl chosen(SHBrowseForFolderW(&bi));
  if (!chosen) return;
  if (SHGetPathFromIDListW(chosen.get(), path)) SetText(kText4, AddBackslash(FromWide(path)));
}

void TNewBtnForm::btnBrowClick() { BrowseForTarget(kText2, kText1); }

void TNewBtnForm::BrowseForTarget(int targetField, int nameField) {
  wchar_t file[MAX_PATH] = {};
  lstrcpynW(file, ToWide(Text(targetField)).c_str(), MAX_PATH);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = L"所有文件(*,*)\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NODEREFERENCELINKS;
  if (!GetOpenFileNameW(&ofn)) return;
  const std::string chosen = FromWide(file);
  SetText(targetField, chosen);
  if (IsBlankField(Text(nameField))) SetText(nameField, ExtractFileBaseName(chosen));
  ShowFileIcon(chosen);
}

void TNewBtnForm::ShowFileIcon(const std::string& path) {
  iconPath_ = path;
  iconImage1_ = -1;
  iconShown_ = true;
  InvalidateRect(Control(kBtnIcon), nullptr, TRUE);
  InvalidateRect(Control(kBtnIcon1), nullptr, TRUE);
}

void TNewBtnForm::DrawColorButton(const DRAWITEMSTRUCT& item, std::int32_t color) {
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT swatch{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
  unique_hbrush brush(CreateSolidBrush(ResolveStoredColor(color)));
  FillRect(item.hDC, &swatch, brush.get());
  FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  if (item.itemState & ODS_FOCUS) {
    RECT focus{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    DrawFocusRect(item.hDC, &focus);
  }
}

void TNewBtnForm::DrawPicture(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  FillRect(item.hDC, &r, faceBrush_.get());
  if (picture_.Width() == 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = picture_.Width();
  bi.bmiHeader.biHeight = -picture_.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(item.hDC, HALFTONE);
  StretchDIBits(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, picture_.Width(),
                picture_.Height(), picture_.Data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void TNewBtnForm::DrawLargeIcon(const DRAWITEMSTRUCT& item, bool buttonMode) {
  const RECT& r = item.rcItem;
  FillRect(item.hDC, &r, buttonMode ? panel1Brush_.get() : faceBrush_.get());
  const int x = r.left + (r.right - r.left - 32) / 2, y = r.top + (r.bottom - r.top - 32) / 2;
  if (largeGlyph_ && buttonMode) {
    DrawTransparentBitmap(item.hDC, largeGlyph_.get(), x, y, kPictureKey);
    return;
  }
  if (iconImage1_ >= 0 && setup_.ImageList1) {
    ImageList_Draw(setup_.ImageList1, iconImage1_, item.hDC, r.left + (r.right - r.left - 16) / 2,
                   r.top + (r.bottom - r.top - 16) / 2, ILD_TRANSPARENT);
    return;
  }
  if (!iconShown_) return;
  SHFILEINFOW info{};
  if (!largeSystemIcons_)
    largeSystemIcons_ = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
  int index = 4;  // the system's picture for "no file"
  if (!iconPath_.empty()) {
    int found = -1;
    try {
      found = GetSysIconIndex(iconPath_);
    } catch (...) {
      found = -1;
    }
    if (found >= 0) index = found;
  }
  if (largeSystemIcons_) ImageList_Draw(largeSystemIcons_, index, item.hDC, x, y, ILD_TRANSPARENT);
}

void TNewBtnForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  switch (item.CtlID) {
    case kBtnColor: return DrawColorButton(item, color_);
    case kBtnFromColor: return DrawColorButton(item, fromColor_);
    case kBtnToColor: return DrawColorButton(item, toColor_);
    case kImage2:
      return FillGradient(item.rcItem, item.hDC, static_cast<std::uint32_t>(fromColor_), 0,
                          static_cast<std::uint32_t>(toColor_));
    case kImage3: return DrawPicture(item);
    case kBtnIcon: return DrawLargeIcon(item, true);
    case kBtnIcon1: return DrawLargeIcon(item, false);
    default: return;
  }
}

void TNewBtnForm::PaintTitleStripTo(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right;
  // The icon font's look at 9 pt, but 宋体 in GB2312: an icon font without Chinese glyphs
  // would draw the caption as boxes.
  LOGFONTW lf{};
  SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
  lf.lfHeight = FontHeightForPoints(9);
  lf.lfCharSet = GB2312_CHARSET;
  lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  unique_hfont iconFont(CreateFontIndirectW(&lf));
  SelectObjectScope selectFont(dc, iconFont.get());
  const std::wstring caption = ToWide(setup_.Caption);
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);

  const std::shared_ptr<DibSection> dib = MakeDibSection(width, kCaptionHeight);
  if (dib) {
    PixelBuffer strip = PixelBufferOver(dib);
    const CaptionStripLayout layout =
        PaintTitleStrip(strip, {text.cx, text.cy}, [](int index) { return GetSysColor(index); });
    DrawPixels(dc, strip, 0, 0, RECT{0, 0, width, kCaptionHeight});
    if (setup_.ImageList1)
      DrawListImageKeyed(dc, setup_.ImageList1, 14, layout.Icon.x, layout.Icon.y, kEditorLogoKey);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutW(dc, layout.Text.x, layout.Text.y, caption.c_str(), static_cast<int>(caption.size()));
  }
}

void TNewBtnForm::OnPaint() {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(Handle(), &ps);
  RECT client{};
  GetClientRect(Handle(), &client);
  PaintTitleStripTo(dc);
  if (!setup_.GroupMode) {
    RECT panel{4, kCaptionHeight, client.right - 4, kCaptionHeight + 130};
    FillRect(dc, &panel, panel1Brush_.get());
  } else {
    // The decorative band down the left of the pages.
    FillGradient(RECT{8, kCaptionHeight + 4, 80, kCaptionHeight + 278}, dc, 0x00FFFFFF, 1, 0x00C08040);
    RECT band{8, kCaptionHeight + 4, 80, kCaptionHeight + 278};
    DrawEdge(dc, &band, BDR_SUNKENOUTER, BF_RECT);
  }
  // The raised double frame around the whole dialog.
  RECT outer{0, 1, client.right, client.bottom};
  DrawEdge(dc, &outer, EDGE_RAISED, BF_RECT);
  EndPaint(Handle(), &ps);
}

void TNewBtnForm::Image1MouseDown() {
  // The borderless dialog moves as if its caption had been grabbed.
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

}  // namespace wendlix
