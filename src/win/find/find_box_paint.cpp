// The find box drawn in the bar's style and the current look: the menus' ground, their title
// strip down the left, the selection colour on the chosen row, 宋体 9 pt, at the box's DPI.
#include <algorithm>

#include "core/find/find_texts.h"
#include "win/common/wide.h"
#include "win/find/find_box.h"
#include "win/paint/fill_gradient.h"
#include "win/paint/theme_win.h"
#include "win/ui/popup_menu.h"

namespace wendlix {
namespace {

constexpr std::uint8_t kGradientTopToBottom = 1;
constexpr int kTextInset = 4;    // the query from the field's edge, at 96 DPI
constexpr int kScrollMark = 3;   // width of the mark showing where the page stands
constexpr int kGroupShare = 40;  // per cent of a row a group title may take at most

HFONT MakeSongti(int height, int weight, int escapement) {
  LOGFONTW lf{};
  lf.lfHeight = -height;
  lf.lfWeight = weight;
  lf.lfEscapement = lf.lfOrientation = escapement;
  lf.lfCharSet = GB2312_CHARSET;
  wcscpy_s(lf.lfFaceName, L"宋体");
  return CreateFontIndirectW(&lf);
}

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const RECT& r, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

void FindBox::MakeFonts() {
  font_.reset(MakeSongti(MulDiv(9, dpi_, 72), FW_NORMAL, 0));
  const DpiScale scale(dpi_);
  // Reads from the bottom up, as the menus' titles.
  titleFont_.reset(MakeSongti(std::min(scale(21) - scale(4), MulDiv(11, dpi_, 72)), FW_BOLD, 900));
}

void FindBox::Paint(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn off screen and copied in one go: the box is drawn again on every keystroke.
  unique_memory_dc dc(CreateCompatibleDC(target));
  unique_hbitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
  if (!dc || !bitmap) return;
  {
    SelectObjectScope selectBitmap(dc.get(), bitmap.get());
    const HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
    SelectObjectScope selectFont(dc.get(), font);
    Fill(dc.get(), client, CurrentPalette().findBox.background);
    RECT edge = client;
    DrawEdge(dc.get(), &edge, EDGE_RAISED, BF_RECT);
    SetBkMode(dc.get(), TRANSPARENT);
    PaintStrip(dc.get());
    PaintQuery(dc.get());
    PaintRows(dc.get());
    BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
  }
}

void FindBox::PaintStrip(HDC dc) {
  const RECT strip = ToRect(layout_.Strip);
  const MenuPalette& colors = CurrentPalette().menu;
  FillGradient(strip, dc, colors.stripTop, kGradientTopToBottom, colors.stripBottom);
  if (!titleFont_) return;
  SelectObjectScope selectFont(dc, titleFont_.get());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SetTextColor(dc, PopupMenu::StripTitleColor());
  const std::wstring title = ToWide(kFindBoxTitle);
  // Rotated a quarter turn, the cell's top lies to the left and the text runs upward.
  TextOutW(dc, strip.left + (strip.right - strip.left - tm.tmHeight) / 2, strip.bottom - DpiScale(dpi_)(6),
           title.c_str(), static_cast<int>(title.size()));
}

void FindBox::PaintQuery(HDC dc) {
  const FindBoxPalette& colors = CurrentPalette().findBox;
  RECT field = ToRect(layout_.Query);
  Fill(dc, field, colors.field);
  DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
  const DpiScale scale(dpi_);
  RECT inside{field.left + scale(kTextInset), field.top, field.right - scale(kTextInset), field.bottom};
  const std::wstring query = ToWide(model_.Query());
  const int width = TextWidth(dc, query);
  // A query longer than the field shows its end, where the typing goes on.
  const int room = inside.right - inside.left;
  const int x = inside.left - std::max(0, width - room);
  caretX_ = x + width;
  SetTextColor(dc, colors.text);
  inside.left = x;
  unique_hrgn clip(CreateRectRgn(field.left + scale(2), field.top, field.right - scale(2), field.bottom));
  SelectClipRgn(dc, clip.get());
  DrawTextW(dc, query.c_str(), static_cast<int>(query.size()), &inside,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_NOCLIP);
  SelectClipRgn(dc, nullptr);
}

void FindBox::PaintRows(HDC dc) {
  const DpiScale scale(dpi_);
  const FindBoxPalette& colors = CurrentPalette().findBox;
  const Rect& list = layout_.List;
  const std::string_view status = FindBoxStatusText(model_.Status());
  if (!status.empty()) {
    const std::wstring text = ToWide(status);
    RECT line{list.left, list.top, list.right, list.top + layout_.RowHeight};
    SetTextColor(dc, colors.grayText);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return;
  }
  const int right = Scrolls() ? list.right - scale(kScrollMark + 2) : list.right;
  const std::size_t top = model_.Top();
  const std::size_t end = std::min(model_.RowCount(), top + static_cast<std::size_t>(model_.VisibleRows()));
  for (std::size_t row = top; row < end; ++row) {
    const int y = list.top + static_cast<int>(row - top) * layout_.RowHeight;
    const RECT line{list.left, y, right, y + layout_.RowHeight};
    const bool chosen = model_.Selected() == row;
    if (chosen) Fill(dc, line, colors.highlight);
    const std::size_t candidate = model_.CandidateAt(row);
    const FindCandidate& c = model_.Candidates()[candidate];
    const int iconX = line.left + scale(2);
    DrawEntryIcon(dc, entries_[candidate].first, iconX, y + (layout_.RowHeight - layout_.IconSize) / 2);

    const std::wstring group = ToWide(c.GroupTitle);
    const int groupRoom = (line.right - line.left) * kGroupShare / 100;
    const int groupWidth = std::min(TextWidth(dc, group), groupRoom);
    RECT groupRect{line.right - scale(4) - groupWidth, y, line.right - scale(4), line.bottom};
    SetTextColor(dc, chosen ? colors.highlightText : colors.grayText);
    DrawTextW(dc, group.c_str(), static_cast<int>(group.size()), &groupRect,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX | DT_END_ELLIPSIS);

    const std::wstring name = ToWide(c.Name);
    RECT nameRect{iconX + layout_.IconSize + layout_.Gap, y, groupRect.left - layout_.Gap, line.bottom};
    SetTextColor(dc, chosen ? colors.highlightText : colors.text);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &nameRect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (Scrolls()) {
    // Where the page stands in the whole list.
    const int height = list.Height();
    const double count = static_cast<double>(model_.RowCount());
    const int thumbTop = list.top + static_cast<int>(height * static_cast<double>(top) / count);
    const int thumbHeight = std::max(scale(6), static_cast<int>(height * model_.VisibleRows() / count));
    RECT thumb{list.right - scale(kScrollMark), std::min(thumbTop, list.bottom - thumbHeight), list.right, 0};
    thumb.bottom = thumb.top + thumbHeight;
    Fill(dc, thumb, colors.thumb);
  }
}

void FindBox::DrawEntryIcon(HDC dc, const FindBoxIcon& icon, int x, int y) {
  const int size = layout_.IconSize;
  if (icon.List && icon.Index >= 0 && icon.Index < ImageList_GetImageCount(icon.List)) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(icon.List, &cx, &cy);
    if (cx == size && cy == size) {
      ImageList_Draw(icon.List, icon.Index, dc, x, y, ILD_TRANSPARENT);
      return;
    }
    unique_hicon& sized = sizedIcons_[{icon.List, icon.Index}];
    if (!sized) sized.reset(ImageList_GetIcon(icon.List, icon.Index, ILD_TRANSPARENT));
    if (sized) DrawIconEx(dc, x, y, sized.get(), size, size, 0, nullptr, DI_NORMAL);
  } else if (icon.Icon) {
    DrawIconEx(dc, x, y, icon.Icon, size, size, 0, nullptr, DI_NORMAL);
  }
}

}  // namespace wendlix
