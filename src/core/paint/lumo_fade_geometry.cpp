#include "core/paint/lumo_fade_geometry.h"

#include <algorithm>

namespace wendlix {
namespace {

bool HasGraphic(const PictureInfo& p) { return p.kind != PictureKind::kNone; }

// Metafiles and icons leave parts of the image unpainted: those show the colour.
bool Transparent(const PictureInfo& p) {
  return p.kind == PictureKind::kMetafile || p.kind == PictureKind::kIcon;
}

ImageRecipe Stretched(const PictureInfo& p, int w, int h) {
  switch (p.kind) {
    case PictureKind::kNone: return {w, h, true, PictureDraw::kNone};
    case PictureKind::kMetafile: return {w, h, true, PictureDraw::kStretched};
    case PictureKind::kIcon: return {w, h, false, PictureDraw::kIconRule};
    case PictureKind::kBitmap: break;
  }
  return {w, h, false, PictureDraw::kStretched};
}

ImageRecipe Filled(int w, int h) { return {w, h, true, PictureDraw::kNone}; }

}  // namespace

ResetLayout PlanReset(int controlWidth, int controlHeight, bool stretchToFit, PictureInfo picFrom,
                      PictureInfo picTo) {
  ResetLayout out;
  int w = std::max(controlWidth, 0), h = std::max(controlHeight, 0);
  if (stretchToFit) {
    out.from = Stretched(picFrom, w, h);
    out.to = Stretched(picTo, w, h);
  } else if (HasGraphic(picFrom) && HasGraphic(picTo)) {
    // The starting picture sizes the control; the final one is stretched to match.
    w = std::max(picFrom.width, 0), h = std::max(picFrom.height, 0);
    out.from = {w, h, Transparent(picFrom), PictureDraw::kAtOrigin};
    out.to = Stretched(picTo, w, h);
  } else if (HasGraphic(picFrom) || HasGraphic(picTo)) {
    const PictureInfo& pic = HasGraphic(picFrom) ? picFrom : picTo;
    w = std::max(pic.width, 0), h = std::max(pic.height, 0);
    const ImageRecipe drawn{w, h, Transparent(pic), PictureDraw::kAtOrigin};
    out.from = HasGraphic(picFrom) ? drawn : Filled(w, h);
    out.to = HasGraphic(picTo) ? drawn : Filled(w, h);
  } else {
    out.from = out.to = Filled(w, h);
  }
  out.controlWidth = w;
  out.controlHeight = h;
  return out;
}

}  // namespace wendlix
