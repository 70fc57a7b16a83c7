// Where FormShow puts the editor's parts: the client size for the mode's panel, the OK
// and Cancel buttons at the bottom right, and the two frame bevels.
#pragma once
#include "core/common/geometry.h"

namespace wendlix {

struct EditorFormMetrics {
  bool GroupMode = true;
  Size Panel;              // Panel2 in group mode, Panel1 in button mode
  int CaptionHeight = 20;  // Image1, the painted caption strip
  int PanelLeft = 4;       // both panels sit this far in from the left and right
  Size OkButton;
  Size CancelButton;
};

struct EditorFormLayout {
  Size Client;
  Rect CaptionStrip;
  Rect Panel;
  Rect OkButton;
  Rect CancelButton;
  Rect Bevel1;  // the outer raised frame, below the strip's first row
  Rect Bevel9;  // the inner frame, one pixel in
  bool operator==(const EditorFormLayout&) const = default;
};

// Client = the panel + 2 x PanelLeft wide, the panel + 45 + CaptionHeight high; Cancel 10
// from the right edge and OK 2 to its left, both 35 above the bottom.
EditorFormLayout LayoutEditorForm(const EditorFormMetrics& m);

// How far a drag over a row of the buttons list scrolls it, in pixels (positive: down). A
// row whose top is within 24 pixels of the list's bottom comes to the top; the top visible
// row, when another stands above it, goes one row down. Elsewhere nothing scrolls.
int DragScrollBy(int rowTop, int rowHeight, int listHeight, bool topVisible, bool hasPredecessor);

}  // namespace wendlix
