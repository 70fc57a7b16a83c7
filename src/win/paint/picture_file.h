// Pictures from files (bitmaps, JPEG, GIF, icons, metafiles) as pixels for the core's painters.
#pragma once
#include <string>

#include "core/paint/pixel_buffer.h"

namespace wendlix {

// The picture at `path` at its own size; empty when the file is missing or unreadable.
PixelBuffer LoadPicturePixels(const std::string& path);

}  // namespace wendlix
