// The whole main window laid out for its edge: the title strip, the band bar with one
// band per group, each group's buttons, and PanelBtn with the collapsed groups. The
// window draws exactly this, hit-tests against it and reports it to tests.
#pragma once
#include <string>
#include <vector>

#include "core/bar/band_bar.h"
#include "core/bar/bar_layout.h"

namespace wendlix {

struct BarView {
  TAppToolBarEdge Edge = abeRight;
  DpiScale Scale;  // every size below is at this DPI
  Size Client;
  EdgeArrangement Arrangement;
  Rect PanelLogo;    // client coordinates
  TitleStrip Title;  // PanelLogo coordinates
  Rect CoolBar;      // client coordinates
  bool CoolBarVertical = true;
  std::vector<BandPlace> Bands;              // one per group, in band order; client coordinates
  Rect PanelBtn;                             // client coordinates
  CollapsedPanel Collapsed;                  // its buttons in PanelBtn coordinates
  std::vector<GroupAppearance> Appearances;  // one per group

  // Where group `g`'s panel lies in client coordinates (empty when its band is hidden);
  // its buttons' bounds are relative to that rectangle's top-left corner.
  Rect GroupPanelRect(int g) const;
};

// What the caller measured or knows per group: the band header's width on a horizontal
// bar (its title's text extent and icon) and whether the group's picture file exists.
struct GroupOutside {
  int HeaderLength = kBandGripThickness;
  bool PictureExists = false;
};

// Lays out everything for `edge` in a client area of `client`: each group's look is applied
// and its buttons placed in its band's panel. A group's thickness across the bar follows
// the band bar; its length along the bar stays what the group asked for. Sizes are at
// `scale`: the measured header lengths and the groups' lengths are pixels at it already.
// `sysColor` resolves the system colours a group's gradient is computed from.
BarView ArrangeBar(std::vector<GroupPanel>& groups, TAppToolBarEdge edge, Size client, bool flatDrawMode,
                   const std::vector<GroupOutside>& outside = {}, DpiScale scale = {},
                   const SysColorFunc& sysColor = {});

struct BarHit {
  enum class Kind {
    kNone,
    kBackground,  // the main panel around everything: drags the window
    kTitleStrip,  // PanelLogo away from its buttons
    kBtnTitle,
    kBtnSys,
    kBandHeader,      // Group: the band
    kGroup,           // Group: the panel's background
    kGroupButton,     // Group and Button: a shown button of the panel (launch or collapse)
    kPanelBtn,        // PanelBtn away from its buttons
    kCollapsedGroup,  // Button: index in PanelBtn's buttons; Group: its group
  };
  Kind What = Kind::kNone;
  int Group = -1;
  int Button = -1;
  friend bool operator==(const BarHit&, const BarHit&) = default;
};

BarHit HitTestBar(const BarView& view, const std::vector<GroupPanel>& groups, Point client);

// The client rectangle of the element `hit` names (empty for none), and its hint: a
// button's caption, a group's title (over its header and its own area), the program's credit
// over the title button.
Rect HitBounds(const BarView& view, const std::vector<GroupPanel>& groups, const BarHit& hit);
std::string HitHint(const BarView& view, const std::vector<GroupPanel>& groups, const BarHit& hit);

}  // namespace wendlix
