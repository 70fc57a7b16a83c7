// The fade control on Win32: the core model drawing into 32-bit DIB sections that it
// changes in place, painted into the parent window at the control's bounds with one
// BitBlt. The control has no window of its own: the parent calls Paint from WM_PAINT
// and answers WM_ERASEBKGND with 1.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/paint/lumo_fade.h"
#include "win/common/unique_handle.h"
#include "win/paint/dib_section.h"

namespace wendlix {

// A copy of a bitmap, enhanced metafile or icon, drawn with GDI.
FadePicture FadePictureFromBitmap(HBITMAP bitmap);
FadePicture FadePictureFromEnhMetafile(HENHMETAFILE metafile);
FadePicture FadePictureFromIcon(HICON icon);

class LumoFadeControl final : public FadeHost {
 public:
  explicit LumoFadeControl(HWND parent);
  ~LumoFadeControl() override;
  LumoFadeControl(const LumoFadeControl&) = delete;
  LumoFadeControl& operator=(const LumoFadeControl&) = delete;

  TLumoFade& Fade() { return fade_; }

  void SetVisible(bool visible);
  // The control's rectangle in the parent's client area.
  RECT BoundsRect() const;

  // Paints FromImage at the control's bounds, when visible (from the parent's WM_PAINT).
  void Paint(HDC dc) const;

  // Counted for tests and measurements: every repaint of a step.
  int RepaintCount() const { return repaints_; }
  void ResetRepaintCount() { repaints_ = 0; }
  // Waits are slept by default; a test may count them instead.
  bool sleepOnWait = true;
  std::vector<std::int64_t> waits;

  // FadeHost
  void Invalidate() override;
  PixelBuffer MakeImage(int width, int height) override;
  void Repaint(const PixelBuffer& image) override;
  void Wait(std::int64_t milliseconds) override;
  void ProcessMessages() override;

 private:
  void Blit(HDC dc, const PixelBuffer& image) const;

  HWND parent_;
  bool visible_ = true;
  int repaints_ = 0;
  std::vector<std::weak_ptr<DibSection>> dibs_;  // the images this control made
  unique_memory_dc memoryDc_;
  TLumoFade fade_;  // last: its constructor already makes images through this host
};

}  // namespace wendlix
