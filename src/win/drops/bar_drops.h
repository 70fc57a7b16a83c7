// Drops on the bar: files from the shell (WM_DROPFILES) and by OLE into shortcut groups, web
// links into web groups, and launch buttons moved within their group; and a held launch button
// dragged out as a file with Ctrl, or to another place in its group. One OLE target plays the
// three roles (their handlers keep their names); what the drag carries and what lies under the
// point choose the role, and the work of a drop runs posted, after the source program got its
// answer, so that no question holds that program while it is open.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/drops/drop_plan.h"
#include "core/drops/drop_roles.h"
#include "win/bar/bar_window.h"
#include "win/drops/bar_drop_target.h"

namespace wendlix {

class BarDrops {
 public:
  // Posted to the bar by its drop target; the bar's window hands it to RunPostedDrops.
  static constexpr UINT kPostedDropMessage = WM_APP + 31;

  explicit BarDrops(BarWindow& bar) : bar_(bar) {}
  BarDrops(const BarDrops&) = delete;
  BarDrops& operator=(const BarDrops&) = delete;

  // The window takes shell drops and OLE drags from just after its first paint until Revoke, at its
  // destruction.
  void Register();
  void Revoke();

  void WMDropFiles(HDROP drop);
  // Runs the drops posted so far, in the order they came.
  void RunPostedDrops();

  // A press on a launch button at a client point may start a drag; a release ends that chance.
  void ButtonPressed(POINT client);
  void ButtonReleased() { mouseIsDown_ = false; }
  // Starts and runs the drag a move of the held launch button calls for; false when it calls for none.
  bool ButtonMouseMove(POINT client, WPARAM keys);

 private:
  // The drop target only records a drop and posts it.
  struct PendingDrop {
    DragOffer Offer;
    POINT Client{};
    DropRoute Route = DropRoute::kNone;
    std::optional<OwnButtonDrag> Button;  // the button drag the drop ended
  };

  // Files dropped at a client point: links in the shortcut group there, asking in the path's wording.
  void DropFilesAt(const std::vector<std::string>& files, POINT client, DropPath path);
  // What lies under a client point for a drop: the group (on its band, background or PanelBtn
  // button) and the launch button there.
  DropPoint DropPointAt(POINT client) const;
  // A drop on a bookmarks group changes nothing: the box says the browser keeps them.
  bool RefusedByBookmarks(const DropPoint& at);
  // The bar's own button drag when `offer` carries its token.
  std::optional<OwnButtonDrag> OwnButtonDragOf(const DragOffer& offer) const;
  DropChoice DropChoiceAt(POINT client, const DragOffer& offer, DWORD offered);
  void DropFileTarget1Enter(const DragOffer& offer);
  DWORD DropFileTarget1GetDropEffect(DWORD offered) const;
  void DropFileTarget1Drop(const DragOffer& offer, POINT client);
  void DropURLTarget1Drop(const DragOffer& offer, POINT client);
  void DropBMPTarget1DragOver(POINT client);
  void DropBMPTarget1Drop(const OwnButtonDrag& dragged, POINT client);
  void PostDrop(PendingDrop drop);

  BarWindow& bar_;
  Microsoft::WRL::ComPtr<BarDropTarget> target_;  // registered with OLE while the window lives
  std::deque<PendingDrop> pendingDrops_;
  bool runningDrops_ = false;
  std::string DragSourceDir;  // the folder of the first file of the file drag under way, or the last one
  std::optional<OwnButtonDrag> buttonDrag_;  // the launch button being dragged within its group
  std::uint32_t buttonDragSerial_ = 0;       // numbers the drags, so that an ended one is told apart
  bool fileDragOut_ = false;                 // a launch button's file is being dragged out with Ctrl
  POINT pressPoint_{};                       // where a launch button was pressed (client coordinates)
  bool mouseIsDown_ = false;
};

}  // namespace wendlix
