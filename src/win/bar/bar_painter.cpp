#include "win/bar/bar_painter.h"

#include <algorithm>

#include "core/paint/gradient.h"
#include "win/bar/bar_pictures.h"
#include "win/common/wide.h"
#include "win/paint/system_colors.h"
#include "win/paint/theme_win.h"

namespace wendlix {
namespace {

constexpr int kSpacingBesideIcon = 4;
constexpr int kTextMargin = 4;

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
RECT Moved(const Rect& r, int dx, int dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Restores the DC's clipping and objects when the scope ends.
class DcState {
 public:
  explicit DcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcState() { RestoreDC(dc_, saved_); }
  DcState(const DcState&) = delete;
  DcState& operator=(const DcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

void DrawText(HDC dc, const std::string& text, RECT r, UINT format, COLORREF color) {
  if (text.empty() || Empty(r)) return;
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  std::wstring wide = ToWide(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

int TextHeight(HDC dc) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

// A raised line two pixels thick, as a bevel draws it.
void DrawBevelLine(HDC dc, const RECT& r, bool vertical) {
  RECT light = r, shadow = r;
  if (vertical) {
    light.right = light.left + 1;
    shadow.left = light.right;
    shadow.right = shadow.left + 1;
  } else {
    light.bottom = light.top + 1;
    shadow.top = light.bottom;
    shadow.bottom = shadow.top + 1;
  }
  Fill(dc, light, CurrentPalette().bar.light);
  Fill(dc, shadow, CurrentPalette().bar.shadow);
}

// DrawEdge takes the system's colours, which the light look keeps; the others draw the same
// one-pixel lines in their own.
void DrawThemedEdge(HDC dc, RECT r, UINT edge) {
  const ThemePalette& p = CurrentPalette();
  if (p.mode == ThemeMode::kLight) {
    DrawEdge(dc, &r, edge, BF_RECT);
    return;
  }
  struct Ring {
    UINT part;
    ColorRef topLeft, bottomRight;
  };
  const Ring rings[] = {{BDR_RAISEDOUTER, p.bar.softLight, p.bar.darkShadow},
                        {BDR_SUNKENOUTER, p.bar.shadow, p.bar.light},
                        {BDR_RAISEDINNER, p.bar.light, p.bar.shadow},
                        {BDR_SUNKENINNER, p.bar.darkShadow, p.bar.softLight}};
  for (const Ring& ring : rings) {
    if (!(edge & ring.part) || Empty(r)) continue;
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, ring.topLeft);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, ring.topLeft);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, ring.bottomRight);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, ring.bottomRight);
    InflateRect(&r, -1, -1);
  }
}

void DrawFlatFrame(HDC dc, RECT r, bool hot, bool pressed) {
  if (pressed) {
    DrawThemedEdge(dc, r, BDR_SUNKENOUTER);
  } else if (hot) {
    DrawThemedEdge(dc, r, BDR_RAISEDINNER);
  }
}

void DrawPushButton(HDC dc, RECT r, bool pressed) {
  if (CurrentPalette().mode == ThemeMode::kLight) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    return;
  }
  Fill(dc, r, CurrentPalette().bar.face);
  DrawThemedEdge(dc, r, pressed ? EDGE_SUNKEN : EDGE_RAISED);
}

// What text on a group is drawn over, to choose a readable colour: its plain colour, its
// gradient's stops, or a grid of its picture's pixels.
std::vector<ColorRef> PictureSamples(const PixelBuffer& picture) {
  std::vector<ColorRef> samples;
  constexpr int kGrid = 8;
  for (int i = 0; i < kGrid; ++i)
    for (int j = 0; j < kGrid; ++j) {
      const Pixel p = picture.At(picture.Width() * (2 * i + 1) / (2 * kGrid),
                                 picture.Height() * (2 * j + 1) / (2 * kGrid));
      samples.push_back(ColorRefFromRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  return samples;
}

// The small triangle of a button with a drop-down menu, pointing where the menu opens.
void DrawDropDownMark(HDC dc, const RECT& r, MenuPosition menu, COLORREF color) {
  SetDCPenColor(dc, color);
  SelectObjectScope pen(dc, GetStockObject(DC_PEN));
  const int cx = r.right - 6, cy = (r.top + r.bottom) / 2;
  for (int i = 0; i < 3; ++i) {
    if (menu == MenuPosition::dmpRight) {
      MoveToEx(dc, cx - 1 + i, cy - 2 + i, nullptr);
      LineTo(dc, cx - 1 + i, cy + 3 - i);
    } else {
      MoveToEx(dc, cx - 2 + i, cy - 1 + i, nullptr);
      LineTo(dc, cx + 3 - i, cy - 1 + i);
    }
  }
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

void TilePicture(HDC dc, const PixelBuffer& picture, const RECT& r, POINT origin) {
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  // Tiles follow `origin`, so a band and its panel continue one pattern.
  const int startX = origin.x + ((r.left - origin.x) / picture.Width()) * picture.Width();
  const int startY = origin.y + ((r.top - origin.y) / picture.Height()) * picture.Height();
  for (int y = startY; y < r.bottom; y += picture.Height()) {
    for (int x = startX; x < r.right; x += picture.Width()) DrawPixels(dc, picture, x, y, r);
  }
}

}  // namespace

void BarPainter::Paint(HDC dc, const BarView& view, const std::vector<GroupPanel>& groups,
                       const BarPointer& pointer) {
  scale_ = view.Scale;
  // A hover repaints one button: what lies outside the clip is skipped without asking GDI.
  const int clip = GetClipBox(dc, &clip_);
  if (clip == NULLREGION) return;
  if (clip == ERROR) clip_ = RECT{0, 0, view.Client.cx, view.Client.cy};
  Fill(dc, RECT{0, 0, view.Client.cx, view.Client.cy}, CurrentPalette().bar.face);
  SelectObjectScope uiFont(dc, resources_.UiFont());
  PaintTitleStrip(dc, view, pointer);
  const int count = static_cast<int>(std::min(groups.size(), view.Bands.size()));
  for (int g = 0; g < count; ++g) {
    if (!view.Bands[g].Visible) continue;
    if (Overlap(ToRect(view.Bands[g].Header), clip_)) PaintBand(dc, view, groups[g], g);
    if (Overlap(ToRect(view.GroupPanelRect(g)), clip_)) PaintGroup(dc, view, groups[g], g, pointer);
  }
  PaintPanelBtn(dc, view, pointer);
}

void BarPainter::PaintTitleStrip(HDC dc, const BarView& view, const BarPointer& pointer) {
  const RECT logo = ToRect(view.PanelLogo);
  if (Empty(logo) || !Overlap(logo, clip_)) return;
  const BarPalette& palette = CurrentPalette().bar;
  Fill(dc, logo, palette.logo);
  // Image1 fills the panel inside its bevel with the title gradient.
  const int w = logo.right - logo.left - 2, h = logo.bottom - logo.top - 2;
  // The light look's stops are the layout's; the others have their own.
  const bool light = CurrentPalette().mode == ThemeMode::kLight;
  const ColorRef from = light ? view.Title.GradientFrom : palette.titleFrom;
  const ColorRef to = light ? view.Title.GradientTo : palette.titleTo;
  if (w > 0 && h > 0) {
    if (!logo_ || logo_->width != w || logo_->height != h || logoStyle_ != view.Title.GradientStyle ||
        logoFrom_ != from || logoTo_ != to) {
      logo_ = MakeDibSection(w, h);
      logoStyle_ = view.Title.GradientStyle;
      logoFrom_ = from;
      logoTo_ = to;
      if (logo_) {
        PixelBuffer pixels = PixelBufferOver(logo_);
        FillGradient(pixels, Rect{0, 0, w, h}, from, static_cast<std::uint8_t>(view.Title.GradientStyle), to);
      }
    }
    if (logo_) DrawPixels(dc, PixelBufferOver(logo_), logo.left + 1, logo.top + 1, logo);
  }
  DrawThemedEdge(dc, logo, BDR_SUNKENOUTER);

  DcState state(dc);
  IntersectClipRect(dc, logo.left, logo.top, logo.right, logo.bottom);
  using K = BarHit::Kind;
  const RECT title = Moved(view.Title.BtnTitle, logo.left, logo.top);
  if (!Empty(title)) {
    const int icon = scale_(16);
    DrawIconEx(dc, (title.left + title.right - icon) / 2, (title.top + title.bottom - icon) / 2,
               resources_.ProgramIcon(icon), icon, icon, 0, nullptr, DI_NORMAL);
    DrawFlatFrame(dc, title, pointer.Hot.What == K::kBtnTitle, pointer.Pressed.What == K::kBtnTitle);
  }
  const RECT bevel = Moved(view.Title.Bevel1, logo.left, logo.top);
  DrawBevelLine(dc, bevel, view.Title.Bevel1Shape == BevelShape::bsLeftLine);
  const RECT sys = Moved(view.Title.btnSYS, logo.left, logo.top);
  if (!Empty(sys)) {
    DrawText(dc, view.Title.SysCaption, sys, DT_CENTER | DT_VCENTER, palette.text);
    DrawFlatFrame(dc, sys, pointer.Hot.What == K::kBtnSys, pointer.Pressed.What == K::kBtnSys);
  }
}

void BarPainter::PaintBand(HDC dc, const BarView& view, const GroupPanel& group, int g) {
  const RECT header = ToRect(view.Bands[g].Header);
  if (Empty(header)) return;
  const ThemePalette& palette = CurrentPalette();
  // High contrast draws no pictures: the face alone.
  const PixelBuffer* picture = palette.mode == ThemeMode::kHighContrast ? nullptr : backgrounds_.Picture(g);
  if (picture) TilePicture(dc, *picture, header, POINT{header.left, header.top});
  DcState state(dc);
  IntersectClipRect(dc, header.left, header.top, header.right, header.bottom);
  // The grip: two raised lines the user takes the band by.
  const int gripTop = header.top + 2, gripBottom = std::max<int>(gripTop + 2, header.bottom - 2);
  DrawThemedEdge(dc, RECT{header.left + 2, gripTop, header.left + 5, gripBottom}, BDR_RAISEDINNER);
  int x = header.left + scale_(8);
  // The kind pictures exist at 16 pixels only: centred in their scaled place, not stretched.
  const int imageSize = scale_(16), inset = (imageSize - kImageList1Size) / 2;
  if (group.Band.ImageIndex >= 0) {
    const int y = (view.CoolBarVertical ? header.top + 1 : header.top + 2) + inset;
    resources_.DrawImage1(dc, group.Band.ImageIndex, x + inset, y);
    x += imageSize + scale_(2);
  }
  RECT text{x, header.top, header.right - 2, header.bottom};
  if (!view.CoolBarVertical) text.bottom = text.top + scale_(kBandHeaderThickness) + 2;
  SelectObjectScope font(dc, resources_.TitleFont());
  COLORREF color = palette.bar.text;
  if (picture && palette.mode != ThemeMode::kLight)
    color = ReadableTextColor(color, PictureSamples(*picture));
  DrawText(dc, group.Band.Text, text, DT_LEFT | DT_VCENTER, color);
}

void BarPainter::PaintGroup(HDC dc, const BarView& view, const GroupPanel& group, int g,
                            const BarPointer& pointer) {
  const Rect panelRect = view.GroupPanelRect(g);
  const RECT panel = ToRect(panelRect);
  if (Empty(panel)) return;
  const ThemePalette& palette = CurrentPalette();
  const bool highContrast = palette.mode == ThemeMode::kHighContrast;
  // The user's colours stay in the dark look; high contrast has the face alone.
  std::vector<ColorRef> ground{highContrast ? palette.bar.face : ThemedColor(group.Data.Color)};
  Fill(dc, panel, ground.front());
  DcState state(dc);
  IntersectClipRect(dc, panel.left, panel.top, panel.right, panel.bottom);
  RECT shown{};
  IntersectRect(&shown, &panel, &clip_);
  if (!highContrast && g < static_cast<int>(view.Appearances.size()) && backgrounds_.Shown(g)) {
    const GroupBackground& background = view.Appearances[g].Background;
    const Rect& at = background.Bounds;
    const RECT inner{panel.left + 1, panel.top + 1, panel.right - 1, panel.bottom - 1};
    backgrounds_.Draw(dc, g, POINT{panel.left + at.left, panel.top + at.top}, inner);
    if (const PixelBuffer* picture = backgrounds_.Picture(g)) {
      ground = PictureSamples(*picture);
    } else if (background.Shown == GroupBackground::Kind::kGradient) {
      const TGradient& gradient = background.Gradient;
      ground.clear();
      const int stops = gradient.ColorCount < 1 ? 3 : std::min(gradient.ColorCount, 4);
      for (int i = 0; i <= stops; ++i) ground.push_back(ResolveColor(gradient.Colors[i], ThemedSystemColor));
    }
  }
  if (group.Data.BevelDown) DrawThemedEdge(dc, panel, BDR_SUNKENOUTER);
  SelectObject(dc, resources_.Font(group.Data.Font));  // undone with the saved state
  using K = BarHit::Kind;
  for (int i = 0; i < static_cast<int>(group.Children.size()); ++i) {
    const BarButton& b = group.Children[i];
    if (!b.Visible || !Overlap(Moved(b.Bounds, panel.left, panel.top), shown)) continue;
    const bool hot = pointer.Hot.What == K::kGroupButton && pointer.Hot.Group == g && pointer.Hot.Button == i;
    const bool pressed =
        pointer.Pressed.What == K::kGroupButton && pointer.Pressed.Group == g && pointer.Pressed.Button == i;
    PaintButton(dc, &group, b, Moved(b.Bounds, panel.left, panel.top), hot, pressed, ground);
    if (focused_ == BarHit{K::kGroupButton, g, i}) DrawFocusMark(dc, Moved(b.Bounds, panel.left, panel.top));
  }
}

void BarPainter::DrawFocusMark(HDC dc, RECT r) {
  // Inside the button's flat frame; the dotted mark inverts what lies under it, so it shows on any
  // background.
  InflateRect(&r, -2, -2);
  if (Empty(r)) return;
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &r);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void BarPainter::PaintPanelBtn(HDC dc, const BarView& view, const BarPointer& pointer) {
  const RECT area = ToRect(view.PanelBtn);
  if (Empty(area) || !Overlap(area, clip_)) return;
  DrawThemedEdge(dc, area, BDR_SUNKENINNER);
  const std::vector<ColorRef> ground{CurrentPalette().bar.face};
  DcState state(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  using K = BarHit::Kind;
  for (int i = 0; i < static_cast<int>(view.Collapsed.Buttons.size()); ++i) {
    const bool hot = pointer.Hot.What == K::kCollapsedGroup && pointer.Hot.Button == i;
    const bool pressed = pointer.Pressed.What == K::kCollapsedGroup && pointer.Pressed.Button == i;
    const RECT r = Moved(view.Collapsed.Buttons[i].Bounds, area.left, area.top);
    PaintButton(dc, nullptr, view.Collapsed.Buttons[i], r, hot, pressed, ground);
    if (focused_.What == K::kCollapsedGroup && focused_.Button == i) DrawFocusMark(dc, r);
  }
}

void BarPainter::DrawGlyph(HDC dc, const GroupPanel* group, const BarButton& b, int x, int y, int size) {
  switch (b.Glyph.Source) {
    case GlyphSource::kGroupImageList: {
      if (!group) return;
      resources_.DrawSystemIcon(dc, resources_.IconIndex(b.FileName), x, y, size);
      return;
    }
    case GlyphSource::kImageList1: resources_.DrawImage1(dc, b.Glyph.Index, x, y); return;
    case GlyphSource::kResource:
      DrawTransparentBitmap(dc, resources_.NamedBitmap(b.Glyph.Resource), x, y, kPictureKey,
                            resources_.PictureDc());
      return;
    case GlyphSource::kNone: return;
  }
}

void BarPainter::PaintButton(HDC dc, const GroupPanel* group, const BarButton& b, RECT r, bool hot,
                             bool pressed, const std::vector<ColorRef>& ground) {
  if (Empty(r) || !RectVisible(dc, &r)) return;
  const int shift = pressed ? 1 : 0;
  if (!b.Flat) DrawPushButton(dc, r, pressed);
  if (b.IsCollapse() && b.Flat) {
    // The arrow alone, in the middle.
    const SIZE size = BitmapSize(resources_.NamedBitmap(b.Glyph.Resource));
    DrawGlyph(dc, group, b, (r.left + r.right - size.cx) / 2 + shift,
              (r.top + r.bottom - size.cy) / 2 + shift, 0);
    DrawFlatFrame(dc, r, hot, pressed);
    return;
  }
  // The shell's icons come at the size needed; the bar's own pictures at the one they have.
  int iconSize = b.Glyph.Source == GlyphSource::kGroupImageList ? scale_(16) : kImageList1Size;
  if (b.Glyph.Source == GlyphSource::kGroupImageList && group && group->LargeImageList) iconSize = scale_(32);
  if (b.Glyph.Source == GlyphSource::kResource)
    iconSize = BitmapSize(resources_.NamedBitmap(b.Glyph.Resource)).cy;
  if (b.Glyph.Source == GlyphSource::kNone) iconSize = 0;

  const bool link = hot && !b.FlatDraw && b.Flat;
  const ThemePalette& palette = CurrentPalette();
  COLORREF textColor =
      link ? palette.bar.link : (group ? ThemedColor(group->Data.Font.Color) : palette.bar.text);
  // The light look keeps the user's pairs as they always were; the others make every caption readable.
  if (palette.mode == ThemeMode::kHighContrast && !link) textColor = palette.bar.text;
  // A raised button has the face under its caption, not the group's ground.
  if (palette.mode != ThemeMode::kLight) {
    const ColorRef face[] = {palette.bar.face};
    textColor = b.Flat ? ReadableTextColor(textColor, ground) : ReadableTextColor(textColor, face);
  }
  HFONT font = group ? resources_.Font(group->Data.Font, link) : resources_.UiFont();
  SelectObjectScope selectFont(dc, font);
  const int textH = TextHeight(dc);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const bool caption = !b.Caption.empty();
  if (b.TextUnderIcon || !caption) {
    const int spacing = scale_(kSpacingBesideIcon);
    const int block = iconSize + (caption ? spacing / 2 + textH : 0);
    const int top = r.top + std::max(1, (height - block) / 2) + shift;
    DrawGlyph(dc, group, b, r.left + (width - iconSize) / 2 + shift, top, iconSize);
    if (caption) {
      RECT text{r.left + 2 + shift, top + iconSize + spacing / 2, r.right - 2 + shift, r.bottom};
      text.bottom = std::min<LONG>(text.bottom, text.top + textH);
      DrawText(dc, b.Caption, text, DT_CENTER | DT_TOP, textColor);
    }
  } else {
    const int spacing = scale_(b.Spacing > 0 ? b.Spacing : kSpacingBesideIcon);
    const int x = r.left + scale_(kTextMargin) + shift;
    DrawGlyph(dc, group, b, x, r.top + (height - iconSize) / 2 + shift, iconSize);
    RECT text{x + iconSize + spacing, r.top + shift, r.right - (b.HasDropDownMenu ? 10 : 2),
              r.bottom + shift};
    DrawText(dc, b.Caption, text, DT_LEFT | DT_VCENTER, textColor);
  }
  if (b.HasDropDownMenu) DrawDropDownMark(dc, r, b.Menu, textColor);
  if (b.Flat && b.FlatDraw) DrawFlatFrame(dc, r, hot, pressed);
}

}  // namespace wendlix
