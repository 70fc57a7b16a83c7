// Active Accessibility for a window that paints its parts: WM_GETOBJECT is answered with an
// IAccessible whose children are the items of an AccessibleTree (core/accessible). Nothing is
// built before a client asks, and the tree is asked for again at each question, so it always
// follows the window. A part that holds others (a group) is served as an object of its own;
// every child id is the item's index + 1 whichever object is asked, so that an event's child id
// names the same item everywhere.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "core/accessible/accessible_tree.h"

namespace wendlix {

class AccessibleHost {
 public:
  // `tree` describes the window now; `doDefault` carries out item `index`'s default action and
  // must not run it inside the call (a client waits on it): post a message to the window.
  AccessibleHost(std::function<AccessibleTree()> tree, std::function<void(int index)> doDefault);
  // Objects a client still holds answer that they are gone.
  ~AccessibleHost();
  AccessibleHost(const AccessibleHost&) = delete;
  AccessibleHost& operator=(const AccessibleHost&) = delete;

  // WM_GETOBJECT: the answer for the client area, nothing for the default handling of the others.
  std::optional<LRESULT> GetObject(HWND hwnd, WPARAM wp, LPARAM lp);

  struct Link;

 private:
  std::shared_ptr<Link> link_;
};

// Raises `event` for item `index` of `hwnd`'s client (-1: the client itself). NotifyWinEvent does
// nothing when no client listens.
inline void NotifyAccessible(DWORD event, HWND hwnd, int index) {
  NotifyWinEvent(event, hwnd, OBJID_CLIENT, index >= 0 ? index + 1 : CHILDID_SELF);
}

}  // namespace wendlix
