// How the fade control builds its two images from its pictures: the sizes, which image
// is filled with its colour first, and how each picture is drawn onto it.
#pragma once

namespace wendlix {

enum class PictureKind { kNone, kBitmap, kMetafile, kIcon };

struct PictureInfo {
  PictureKind kind = PictureKind::kNone;
  int width = 0, height = 0;
};

enum class PictureDraw {
  kNone,       // no picture: the image is only filled
  kStretched,  // over the whole image
  kAtOrigin,   // unscaled at (0, 0)
  kIconRule,   // the icon on a patch of the image's colour, that patch stretched over the image
};

struct ImageRecipe {
  int width = 0, height = 0;
  bool fillFirst = false;  // fill with the image's colour before drawing
  PictureDraw draw = PictureDraw::kNone;
  friend bool operator==(const ImageRecipe&, const ImageRecipe&) = default;
};

struct ResetLayout {
  int controlWidth = 0, controlHeight = 0;  // unstretched pictures size the control
  ImageRecipe from, to;
  friend bool operator==(const ResetLayout&, const ResetLayout&) = default;
};

ResetLayout PlanReset(int controlWidth, int controlHeight, bool stretchToFit, PictureInfo picFrom,
                      PictureInfo picTo);

}  // namespace wendlix
