// The bar served to screen readers (core/accessible/bar_accessible.h says what it holds) and
// the default actions they ask for, carried out as the same click later from the window's queue.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/accessible/bar_accessible.h"
#include "win/bar/bar_painter.h"
#include "win/bar/bar_window.h"
#include "win/ui/accessible_list.h"

namespace wendlix {

class BarAccessibility {
 public:
  // Posted when a client asked for a default action; the window hands it to RunPosted.
  static constexpr UINT kActionMessage = WM_APP + 40;

  // `click` does what a click on the element does.
  BarAccessibility(BarWindow& bar, const BarPainter& painter, std::function<void(const BarHit&)> click);

  std::optional<LRESULT> GetObject(WPARAM wp, LPARAM lp);
  void RunPosted();
  // The groups or their buttons were laid out again: a reader that asked for the tree hears which
  // items were renamed, added or taken away.
  void Rearranged();

 private:
  void Post(int index);
  std::vector<std::string> Names() const;

  BarWindow& bar_;
  const BarPainter& painter_;
  std::function<void(const BarHit&)> click_;
  std::vector<BarHit> posted_;
  // The items' names when the bar was last laid out, kept only once a reader has asked.
  std::optional<std::vector<std::string>> names_;
  AccessibleHost host_;
};

// The keyboard moved to `hit` on `bar` (nothing is raised for an element not in the tree).
void NotifyBarFocus(BarWindow& bar, const BarHit& hit);

}  // namespace wendlix
