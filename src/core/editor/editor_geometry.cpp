#include "core/editor/editor_geometry.h"

namespace wendlix {

namespace {
constexpr int kButtonAreaHeight = 45;
constexpr int kButtonsFromBottom = 35;
constexpr int kCancelFromRight = 10;
constexpr int kButtonGap = 2;
constexpr int kDragScrollMargin = 24;
}  // namespace

EditorFormLayout LayoutEditorForm(const EditorFormMetrics& m) {
  EditorFormLayout l;
  const int width = m.Panel.cx + 2 * m.PanelLeft;
  const int height = m.Panel.cy + kButtonAreaHeight + m.CaptionHeight;
  l.Client = {width, height};
  l.CaptionStrip = MakeRect(0, 0, width, m.CaptionHeight);
  l.Panel = MakeRect(m.PanelLeft, m.CaptionHeight, m.Panel.cx, m.Panel.cy);
  const int top = height - kButtonsFromBottom;
  l.CancelButton =
      MakeRect(width - m.CancelButton.cx - kCancelFromRight, top, m.CancelButton.cx, m.CancelButton.cy);
  l.OkButton = MakeRect(l.CancelButton.left - kButtonGap - m.OkButton.cx, top, m.OkButton.cx, m.OkButton.cy);
  // Both frames stay inside the client area, so their bottom edges are seen.
  l.Bevel1 = Rect{0, 1, width, height};
  l.Bevel9 = Rect{1, 1, width - 1, height - 1};
  return l;
}

int DragScrollBy(int rowTop, int rowHeight, int listHeight, bool topVisible, bool hasPredecessor) {
  if (rowTop > listHeight - kDragScrollMargin) return rowTop;
  if (topVisible && hasPredecessor) return -rowHeight;
  return 0;
}

}  // namespace wendlix
