#include "win/bar/group_backgrounds.h"

#include "win/paint/dib_section.h"
#include "win/paint/picture_file.h"
#include "win/paint/theme_win.h"

namespace wendlix {

void GroupBackgrounds::Resize(int count) { entries_.resize(count > 0 ? count : 0); }

void GroupBackgrounds::Update(int g, const GroupBackground& background) {
  if (g < 0) return;
  if (g >= static_cast<int>(entries_.size())) Resize(g + 1);
  Entry& e = entries_[g];
  using Kind = GroupBackground::Kind;
  // High contrast shows the group's ground alone: a gradient or picture could hide its text.
  e.shown = (background.Shown == Kind::kGradient || background.Shown == Kind::kPicture) &&
            CurrentThemeMode() != ThemeMode::kHighContrast;
  if (!e.shown) return;
  TBackgndObj back;
  if (background.Shown == Kind::kGradient) {
    back.BackStyle = TBackStyle::bgGradient;
    back.Gradient = background.Gradient;
  } else {
    back.BackStyle = TBackStyle::bgTileBitmap;
    back.Picture = PictureFor(background.PictureFile);
  }
  e.control.SetSize(background.Bounds.Width(), background.Bounds.Height());
  e.control.SetBackObj(back);
}

bool GroupBackgrounds::Shown(int g) const {
  return g >= 0 && g < static_cast<int>(entries_.size()) && entries_[g].shown;
}

void GroupBackgrounds::Draw(HDC dc, int g, POINT origin, const RECT& clip) {
  if (!Shown(g)) return;
  DrawPixels(dc, entries_[g].control.Buffer(), origin.x, origin.y, clip);
}

const PixelBuffer* GroupBackgrounds::Picture(int g) const {
  if (!Shown(g)) return nullptr;
  const TBackgndObj& back = entries_[g].control.BackObj();
  return back.BackStyle == TBackStyle::bgTileBitmap ? &back.Picture : nullptr;
}

void GroupBackgrounds::Reset() {
  pictures_.clear();
  for (Entry& e : entries_) e.control.SystemColorsChanged();
}

int GroupBackgrounds::PaintCount(int g) const {
  return g >= 0 && g < static_cast<int>(entries_.size()) ? entries_[g].control.PaintCount() : 0;
}

const PixelBuffer& GroupBackgrounds::PictureFor(const std::string& path) {
  auto it = pictures_.find(path);
  if (it == pictures_.end()) it = pictures_.emplace(path, LoadPicturePixels(path)).first;
  return it->second;
}

}  // namespace wendlix
