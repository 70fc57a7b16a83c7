// The bar's one OLE drop target (OLE allows one per window). It plays the three drop roles
// (DropFileTarget1 for file lists, DropURLTarget1 for web links, DropBMPTarget1 for the bar's
// own launch buttons), chosen per point by the window from what the drag carries, and holds
// DropDummy1, which draws the drag image over the whole window whatever lies under it.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "core/drops/drop_roles.h"
#include "core/drops/url_drop.h"
#include "win/common/com_object.h"

namespace wendlix {

// Takes no drop; shows the drag source's image over a window through the shell's helper (where
// the system has none, or it refuses, nothing is drawn and nothing else changes).
class DropDummy {
 public:
  DropDummy();
  void Enter(HWND window, IDataObject* data, POINTL pt, DWORD effect);
  void Over(POINTL pt, DWORD effect);
  void Leave();
  void Drop(IDataObject* data, POINTL pt, DWORD effect);
  void Show(bool show);

 private:
  Microsoft::WRL::ComPtr<IDropTargetHelper> helper_;
  bool shown_ = true;
};

class BarDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  struct Handlers {
    // A drag entered the window (DropFileTarget1Enter takes its file list).
    std::function<void(const DragOffer& offer)> Enter;
    // The role and effect at a client point for what the drag offers and the effects the source allows.
    std::function<DropChoice(POINT client, const DragOffer& offer, DWORD offered)> Effect;
    // A drop the role accepted.
    std::function<void(const DragOffer& offer, POINT client, DropRoute route)> Drop;
    // True while a drag is over the window (to keep an auto-hide bar out).
    std::function<void(bool over)> Hover;
  };

  BarDropTarget(HWND window, Handlers handlers) : window_(window), handlers_(std::move(handlers)) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  POINT ToClient(POINTL pt) const;
  DropChoice ChoiceAt(POINTL pt, DWORD offered);

  HWND window_;
  Handlers handlers_;
  DropDummy DropDummy1;
  DragOffer offer_;  // of the drag under way
  bool hovering_ = false;
};

// The file paths a data object carries as CF_HDROP; empty when it carries none.
std::vector<std::string> FilesOf(IDataObject* data);

// The clipboard format of the bar's own launch-button drag.
CLIPFORMAT ButtonDragFormat();

// Everything the bar can use from a data object. Texts come from the wide formats when
// offered, else from the narrow ones read as code page 936; "FileContents" is item 0; the
// first file's start is read when it ends in ".url". Sizes are checked against the data,
// and each read is capped, so a malformed or huge offer gives less, never more.
DragOffer ReadDragOffer(IDataObject* data);

}  // namespace wendlix
