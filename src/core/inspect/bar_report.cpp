#include "core/inspect/bar_report.h"

#include <algorithm>

namespace wendlix {
namespace {

class Line {
 public:
  Line(std::string& out, const char* key) : out_(out) { out_ += key; }
  ~Line() { out_ += '\n'; }
  Line& operator<<(int v) {
    out_ += '\t';
    out_ += std::to_string(v);
    return *this;
  }
  Line& operator<<(bool v) { return *this << (v ? 1 : 0); }
  Line& operator<<(const std::string& text) {
    out_ += '\t';
    // A field never breaks the line or the columns.
    for (char c : text) out_ += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    return *this;
  }
  Line& operator<<(const char* text) { return *this << std::string(text); }
  Line& operator<<(const Rect& r) {
    return *this << (std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right) +
                     ',' + std::to_string(r.bottom));
  }

 private:
  std::string& out_;
};

Rect Moved(const Rect& r, const Rect& origin) {
  return Rect{r.left + origin.left, r.top + origin.top, r.right + origin.left, r.bottom + origin.top};
}

}  // namespace

std::string DescribeBar(const BarView& v, const std::vector<GroupPanel>& groups) {
  std::string out;
  Line(out, "edge") << static_cast<int>(v.Edge);
  Line(out, "client") << v.Client.cx << v.Client.cy;
  Line(out, "logo") << v.PanelLogo;
  Line(out, "btntitle") << Moved(v.Title.BtnTitle, v.PanelLogo);
  Line(out, "btnsys") << Moved(v.Title.btnSYS, v.PanelLogo) << v.Title.SysCaption;
  Line(out, "bevel") << Moved(v.Title.Bevel1, v.PanelLogo);
  Line(out, "coolbar") << v.CoolBar << (v.CoolBarVertical ? "vertical" : "horizontal");
  Line(out, "panelbtn") << v.PanelBtn;
  const int count = static_cast<int>(std::min(groups.size(), v.Bands.size()));
  for (int g = 0; g < count; ++g) {
    const GroupPanel& p = groups[g];
    const BandPlace& band = v.Bands[g];
    Line(out, "group") << g << p.Data.Title << static_cast<int>(p.Data.PanelStyle) << band.Visible
                       << band.Band << band.Header << v.GroupPanelRect(g) << p.Band.Text << p.Band.ImageIndex
                       << p.Hint;
    const Rect panel = v.GroupPanelRect(g);
    for (int i = 0; i < static_cast<int>(p.Children.size()); ++i) {
      const BarButton& b = p.Children[i];
      const bool shown = band.Visible && b.Visible;
      if (b.IsCollapse()) {
        Line(out, "collapse") << g << shown << Moved(b.Bounds, panel) << b.Glyph.Resource;
      } else {
        Line(out, "button") << g << i << b.Tag << shown << Moved(b.Bounds, panel) << b.Caption << b.Hint
                            << b.IsDirectory << b.FlatDraw << b.TextUnderIcon;
      }
    }
  }
  for (const BarButton& b : v.Collapsed.Buttons) {
    Line(out, "collapsed") << b.Tag << Moved(b.Bounds, v.PanelBtn) << b.Caption;
  }
  return out;
}

}  // namespace wendlix
