// Draws the main window as its view lays it out: the title strip on its gradient, the
// band headers, each group on its colour or background with its buttons, and PanelBtn.
// Buttons are not windows: they are drawn here, flat until the pointer is over them.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "core/bar/bar_view.h"
#include "win/bar/bar_resources.h"
#include "win/bar/group_backgrounds.h"
#include "win/paint/dib_section.h"

namespace wendlix {

struct BarPointer {
  BarHit Hot;      // under the pointer
  BarHit Pressed;  // held down
};

class BarPainter {
 public:
  BarPainter(BarResources& resources, GroupBackgrounds& backgrounds)
      : resources_(resources), backgrounds_(backgrounds) {}

  // Paints the whole client area into `dc`.
  void Paint(HDC dc, const BarView& view, const std::vector<GroupPanel>& groups, const BarPointer& pointer);
  // The button with the keyboard focus, drawn with a focus mark from the next paint on; none by default.
  void SetFocused(const BarHit& focused) { focused_ = focused; }
  const BarHit& Focused() const { return focused_; }

 private:
  void PaintTitleStrip(HDC dc, const BarView& view, const BarPointer& pointer);
  void PaintBand(HDC dc, const BarView& view, const GroupPanel& group, int g);
  void PaintGroup(HDC dc, const BarView& view, const GroupPanel& group, int g, const BarPointer& pointer);
  void PaintPanelBtn(HDC dc, const BarView& view, const BarPointer& pointer);
  void DrawFocusMark(HDC dc, RECT r);
  // `ground` is what the caption lies on (the group's colour, gradient stops or picture samples).
  void PaintButton(HDC dc, const GroupPanel* group, const BarButton& b, RECT r, bool hot, bool pressed,
                   const std::vector<ColorRef>& ground);
  void DrawGlyph(HDC dc, const GroupPanel* group, const BarButton& b, int x, int y, int size);

  BarResources& resources_;
  GroupBackgrounds& backgrounds_;
  DpiScale scale_;  // the painted view's
  RECT clip_{};     // the painted DC's clip box
  // The title strip's gradient, painted again only when its size, direction or colours change.
  std::shared_ptr<DibSection> logo_;
  BarHit focused_;
  int logoStyle_ = -1;
  ColorRef logoFrom_ = 0, logoTo_ = 0;
};

}  // namespace wendlix
